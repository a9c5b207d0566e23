#include "conversion/frmTabulizer.h"

#include <chrono>
#include <new>

#include "conversion/ConversionRun.h"

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
    Caption = "Конвертирование документа";
    Geometry = {0, 0, 5160, 2220};
    lbLine.Caption = "Обработано строк:";
    lbLine.Geometry = {240, 300, 2400, 315};
    txtCountLine.SetText("0");
    txtCountLine.Geometry = {2760, 240, 2040, 375};
    lbList.Caption = "Обработано листов:";
    lbList.Geometry = {240, 840, 2400, 315};
    txtCount.SetText("0");
    txtCount.Geometry = {2760, 780, 2040, 375};
    ButExit.Caption = "Выход";
    ButExit.Geometry = {1800, 1380, 1560, 435};
    ButExit.OnClick = [this] { ButExit_Click(); };
    OnClose = [this] { ButExit_Click(); };
}

frmTabulizer::~frmTabulizer() = default;

void frmTabulizer::ButExit_Click() {
    if (!active_) return;
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
    conversion.showProgress = [this](i16 rows, i16 sheets) {
        txtCountLine.SetText(std::to_string(rows));
        host_.Progress(rows, sheets);
    };
    conversion.showSheets = [this](i16 sheets) { txtCount.SetText(std::to_string(sheets)); };

    int status = kExitFailed;
    try {
        switch (conversion.Execute()) {
        case ConversionRun::Result::Saved:
        case ConversionRun::Result::HandedOver: status = kExitSaved; break;
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

}  // namespace tabulizer
