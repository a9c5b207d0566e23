#include "conversion/frmTabulizer.h"

#include <chrono>
#include <new>

#include "conversion/ConversionRun.h"
#include "conversion/RunBeside.h"

namespace tabulizer {
namespace {

constexpr int kExitSaved = 0;
constexpr int kExitFailed = 1;
constexpr int kExitCancelled = 3;

std::string FailureReport(int code) {
    return "Ошибка при выполнении программы Tabulizer ! \n          Код ошибки  Visual Basic: " +
           std::to_string(code);
}

}  // namespace

frmTabulizer::frmTabulizer(DocumentDescription& description, RunState& run, ui::Host& host)
    : ui::Window("frmTabulizer"), description_(description), run_(run), host_(host) {
    SetUpControls();
    ButExit.OnClick = [this] { ButExit_Click(); };
    OnClose = [this] { ButExit_Click(); };
}

void frmTabulizer::SetUpControls() {
    Caption = "Конвертирование документа";
    Geometry = {0, 0, 5160, 3060};
    lbLine.Caption = "Обработано строк:";
    lbLine.Geometry = {240, 300, 2400, 315};
    txtCountLine.SetText("0");
    txtCountLine.Geometry = {2760, 240, 2040, 375};
    lbList.Caption = "Обработано листов:";
    lbList.Geometry = {240, 840, 2400, 315};
    txtCount.SetText("0");
    txtCount.Geometry = {2760, 780, 2040, 375};
    txtCountLine.AccessibleName = lbLine.Caption;
    txtCount.AccessibleName = lbList.Caption;
    // The counters show the run's progress; nobody types into them.
    txtCountLine.ReadOnly = txtCount.ReadOnly = true;
    prgRead.Geometry = {240, 1320, 4560, 300};
    prgRead.AccessibleName = "Прочитано входного документа";
    lbState.Geometry = {240, 1710, 4560, 315};
    lbState.Visible = false;  // shown while the workbook is saved
    ButExit.Caption = "Выход";
    ButExit.Geometry = {1800, 2220, 1560, 435};
}

frmTabulizer::~frmTabulizer() = default;

// The save cannot be interrupted half-way without risking the workbook it
// replaces, so a cancel during it is refused with a message.
void frmTabulizer::ButExit_Click() {
    if (!active_) return;
    if (saving_) {
        host_.MessageBox(kSaveNotCancelled, ui::Buttons::Ok, ui::Icon::Question);
        return;
    }
    ui::Answer answer =
        host_.MessageBox("Вы действительно хотите прервать процесс ?", ui::Buttons::YesNo, ui::Icon::Question);
    if (answer != ui::Answer::Yes) return;
    RunContext& ctx = active_->context();
    ctx.Abort = true;
    if (ctx.ExcelApp) ctx.app().SetDisplayAlerts(false);
}

void frmTabulizer::Form_Load() {
    Minimized = run_.Batch;
    host_.Show(*this);
    ConversionRun conversion(description_, run_, host_);
    active_ = &conversion;
    // Between lines the window processes its events (the cancel button) without
    // pausing: a millisecond per line would make a long report take minutes. Events
    // are processed at most every EventInterval, since redrawing the window after
    // every line would cost more than converting it.
    if (!run_.Batch) {
        conversion.wait = [this, last = std::chrono::steady_clock::time_point{}]() mutable {
            auto now = std::chrono::steady_clock::now();
            if (now - last < EventInterval) return;
            last = now;
            host_.ProcessEvents();
        };
    }
    ShowFrom(conversion);
    if (!run_.Batch)
        conversion.runSave = [this, &conversion](const std::function<void()>& save) {
            SaveBesideEvents(conversion.context().app().Saving(), save);
        };

    int status = kExitFailed;
    try {
        switch (conversion.Execute()) {
        case ConversionRun::Result::Saved:
        case ConversionRun::Result::HandedOver: status = kExitSaved; break;
        case ConversionRun::Result::KeptUnopened: status = ReportKept(conversion.KeptPath()); break;
        case ConversionRun::Result::Cancelled: status = kExitCancelled; break;
        }
    } catch (const Failure& failure) {
        host_.MessageBox(FailureReport(failure.code()), ui::Buttons::Ok, ui::Icon::Question);
        if (!failure.detail().empty()) host_.Explain(failure.detail());
    } catch (const std::bad_alloc&) {
        host_.MessageBox(FailureReport(kOutOfMemory), ui::Buttons::Ok, ui::Icon::Question);
    } catch (const std::exception&) {
        host_.MessageBox(FailureReport(kInternalError), ui::Buttons::Ok, ui::Icon::Question);
    }
    conversion.CloseAndQuit();
    active_ = nullptr;
    host_.EndProgram(status);
}

void frmTabulizer::ShowFrom(ConversionRun& conversion) {
    conversion.showProgress = [this, &conversion](int rows, int sheets) {
        txtCountLine.SetText(std::to_string(rows));
        prgRead.Value = conversion.context().reader.PercentRead();
        host_.Progress(rows, sheets);
    };
    conversion.showSheets = [this](long sheets) { txtCount.SetText(std::to_string(sheets)); };
}

// The window stays responsive while a large workbook is written: the save runs on
// a thread of its own and the bar shows the sheets written. Nothing else touches
// the workbook meanwhile (a cancel is refused, see ButExit_Click).
void frmTabulizer::SaveBesideEvents(const sheet::SaveProgress& progress, const std::function<void()>& save) {
    lbState.Caption = kSavingText;
    lbState.Visible = true;
    prgRead.Value = 0;
    saving_ = true;
    try {
        host_.ProcessEvents();
        RunBeside(save, [this, &progress] {
            prgRead.Value = progress.Percent();
            host_.ProcessEvents();
        }, EventInterval);
    } catch (...) {
        saving_ = false;
        throw;
    }
    saving_ = false;
    prgRead.Value = 100;
    lbState.Visible = false;
}

// No desktop application took the workbook that was to stay open: it is the user's
// result all the same, so it is kept and the user told where.
int frmTabulizer::ReportKept(const std::string& path) {
    host_.MessageBox("Выходной документ не удалось открыть !\nКнига сохранена в файле\n" + path, ui::Buttons::Ok,
                     ui::Icon::Question);
    return kExitFailed;
}

}  // namespace tabulizer
