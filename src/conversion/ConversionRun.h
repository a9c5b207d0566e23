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
    enum class Result { Saved, HandedOver, Cancelled };

    ConversionRun(DocumentDescription& description, RunState& run, ui::Host& host);

    // Runs to the end of the input. Failures raise Failure.
    Result Execute();
    // Closes the workbook and quits the spreadsheet application (also after a failure).
    void CloseAndQuit() noexcept;

    RunContext& context() { return ctx_; }

    // Called after every information line: keeps the window responsive.
    std::function<void()> wait;
    // The row of the last information line written, and the finished sheets.
    std::function<void(i16 rows, i16 sheets)> showProgress;
    // The finished sheets, when a page begins.
    std::function<void(i16 sheets)> showSheets;

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

    RunContext ctx_;
};

}  // namespace tabulizer
