#pragma once
// The conversion of the whole input document into one workbook, one sheet per
// page: title, cap and information part of each page, the page end with its
// formatting and postscript, and the end of input.
#include <functional>
#include <string>

#include "conversion/RunContext.h"

namespace tabulizer {

class ConversionRun {
public:
    // KeptUnopened: the workbook to be left open was saved, but no desktop
    // application took it; it stays at KeptPath().
    enum class Result { Saved, HandedOver, KeptUnopened, Cancelled };

    ConversionRun(DocumentDescription& description, RunState& run, ui::Host& host);

    // Runs to the end of the input. Failures raise Failure.
    Result Execute();
    // Closes the workbook and quits the spreadsheet application (also after a failure).
    void CloseAndQuit() noexcept;

    RunContext& context() { return ctx_; }
    const std::string& KeptPath() const { return keptPath_; }

    // Called after every information line: keeps the window responsive.
    std::function<void()> wait;
    // The row of the last information line written, and the finished sheets.
    std::function<void(i16 rows, i16 sheets)> showProgress;
    // The finished sheets, when a page begins.
    std::function<void(i16 sheets)> showSheets;
    // Runs the saving of the workbook (a long step for a large one); unset, it runs
    // at once. The windows run it beside their events.
    std::function<void(const std::function<void()>& save)> runSave;

private:
    void Start();
    // Each returns false when the input ended inside it.
    bool Title();
    bool Cap();
    // The page's lines up to the first that does not belong to it.
    void Information();
    void PageEnd();
    void Postscript();
    Result EndOfInput();
    void GetStrOfTitle();
    void Save(const std::string& path);

    RunContext ctx_;
    std::string keptPath_;
};

}  // namespace tabulizer
