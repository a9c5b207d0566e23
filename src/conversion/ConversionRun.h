#pragma once
// The conversion of the whole input document into one workbook, one sheet per
// page: title, cap and information part of each page, the page end with its
// formatting and postscript, and the end of input.
#include <functional>
#include <string>

#include "conversion/RunContext.h"

namespace tabulizer {

// A folder of its own under the system's temporary folder, for a workbook that is
// handed to the desktop's spreadsheet application instead of being saved.
std::string TemporaryWorkbookPath(const std::string& nameIn);

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
    // For the flat table: the rows written so far, and the pages read.
    std::function<void(int rows, int sheets)> showProgress;
    // The finished sheets, when a page begins.
    std::function<void(long sheets)> showSheets;
    // Runs the saving of the workbook (a long step for a large one); unset, it runs
    // at once. The windows run it beside their events.
    std::function<void(const std::function<void()>& save)> runSave;

private:
    void Start();
    // Every page to the end of the input; false when the user cancelled.
    bool AllPages();
    void NextPage();
    // The run of the flat table (ConversionRunFlat.cpp).
    Result ExecuteFlat();
    void FlatLine();
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
