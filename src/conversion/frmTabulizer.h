#pragma once
// The conversion window: loading it runs the whole conversion of the input
// document into a workbook and ends the program on every path.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "conversion/spreadsheet/SaveProgress.h"
#include "description/DocumentDescription.h"
#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer {

class ConversionRun;

class frmTabulizer : public ui::Window {
public:
    frmTabulizer(DocumentDescription& description, RunState& run, ui::Host& host);
    ~frmTabulizer() override;

    // The run. Ends with ProgramExit: 0 when the workbook was saved or handed over,
    // non-zero after a failure or a cancel.
    [[noreturn]] void Form_Load();
    void ButExit_Click();

    // The least time between two rounds of window events during the run.
    std::chrono::milliseconds EventInterval{20};

    static constexpr std::string_view kSavingText = "Сохранение книги…";
    static constexpr std::string_view kSaveNotCancelled =
        "Книга сохраняется, прервать сохранение нельзя !\nПрограмма завершится, когда книга будет сохранена.";

    ui::Control lbLine{*this, ui::ControlKind::Label, "lbLine"};
    ui::Control txtCountLine{*this, ui::ControlKind::TextBox, "txtCountLine"};
    ui::Control lbList{*this, ui::ControlKind::Label, "lbList"};
    ui::Control txtCount{*this, ui::ControlKind::TextBox, "txtCount"};
    ui::Control prgRead{*this, ui::ControlKind::ProgressBar, "prgRead"};  // share of the input read
    ui::Control lbState{*this, ui::ControlKind::Label, "lbState"};
    ui::Control ButExit{*this, ui::ControlKind::Button, "ButExit"};

private:
    void SetUpControls();
    void ShowFrom(ConversionRun& conversion);
    void SaveBesideEvents(const sheet::SaveProgress& progress, const std::function<void()>& save);
    int ReportKept(const std::string& path);

    DocumentDescription& description_;
    RunState& run_;
    ui::Host& host_;
    ConversionRun* active_ = nullptr;  // the run in progress, for the cancel handler
    bool saving_ = false;              // the workbook is being written by another thread
};

}  // namespace tabulizer
