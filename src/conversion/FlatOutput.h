#pragma once
// The run's side of the flat table: the header row made of the first page's cap,
// and each information line cut into cells and typed as the paged output types
// them, handed to the table file at once.
#include <memory>
#include <string>
#include <vector>

#include "conversion/RunContext.h"
#include "conversion/spreadsheet/FlatTable.h"

namespace tabulizer {

class FlatOutput {
public:
    // Creates the table file at `utf8Path`: CSV when `csv` (in the
    // dialect the run asks for), else .xlsx. A failure of
    // the table names `shownPath`, the file the user asked for, in its detail.
    FlatOutput(RunContext& ctx, const std::string& utf8Path, const std::string& shownPath, bool csv);

    // The cap rows first..last of the sheet just written become the header row; only
    // the first call counts (the cap repeats on every page).
    void TakeHeader(i16 firstRow, i16 lastRow);
    // The current information line as one row; a line without any text gives none.
    void TakeLine();
    // Writes the header when no cap was met, and closes the file.
    void Close();

    long Rows() const { return rows_; }

private:
    void Header(std::vector<std::string> texts);
    template <class Step> void Named(Step step);

    RunContext& ctx_;
    std::string shownPath_;
    std::unique_ptr<sheet::FlatTable> table_;
    bool headerDone_ = false;
    long rows_ = 0;  // information rows written
};

// The column widths and number formats of the flat table, as the pages get them.
std::vector<sheet::FlatColumn> FlatColumns(const DocumentDescription& d);

// A cap text with the table's line characters left out: the vertical line
// characters wherever they stand, and words made of horizontal line characters
// alone ("-----", "+---+", "===="). CP1251 in and out; blanks are collapsed.
std::string WithoutLineCharacters(std::string_view cp1251);

// A cell text typed as the paged output types it: a number unless the column has
// the text format; a zero dropped when `delNull`; text trimmed of blanks.
sheet::CellValue FlatValue(std::string_view text, bool textFormat, bool delNull);

}  // namespace tabulizer
