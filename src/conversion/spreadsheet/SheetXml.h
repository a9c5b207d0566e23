#pragma once
// One sheet's part of an .xlsx package, written row by row as the rows come, so
// that a sheet of any length passes through in pieces: its view and columns, the
// rows of cells (texts inline, numbers in their shortest exact form), then the
// autofilter and the merged areas.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/spreadsheet/CellFormats.h"
#include "conversion/spreadsheet/CellRef.h"
#include "conversion/spreadsheet/Sheet.h"
#include "conversion/spreadsheet/ZipWriter.h"

namespace tabulizer::sheet {

// The width of a column nobody sized; stored as such, not as a chosen width.
inline constexpr double kDefaultColumnWidth = 8.43;

struct ColumnLook {
    int column;           // from 1
    double width;         // characters
    std::uint32_t style;  // the column's own style; 0 = none
};

struct SheetHead {
    // "A1:E9", the extent of the cells; "" when not known beforehand: then room is
    // kept for it and filled with the extent of what was written when the part ends.
    std::string dimension;
    bool active = false;
    CellRange selection;    // A1 alone is the default and not written
    int frozenRows = 0;     // rows kept in view above the rest
    std::vector<ColumnLook> columns;
};

// One cell as the part writes it; a cell without a value or style is left out.
struct CellOut {
    CellKind kind = kCellEmpty;
    double number = 0;
    std::string_view text;  // CP1251
    std::uint32_t style = 0;
};

class SheetXmlWriter {
public:
    // Begins the part as the current entry of `zip`.
    SheetXmlWriter(ZipWriter& zip, CellFormats& formats, const SheetHead& head);
    // Row `row` (from 1, rising from call to call); cells[i] is column i + 1.
    void Row(int row, const std::vector<CellOut>& cells);
    // Ends the part; `filter`, when not null, is the range of its autofilter.
    void End(const std::vector<CellRange>& merges, const CellRange* filter);

private:
    void AppendCell(const CellOut& cell, std::string_view ref);
    void Flush(std::size_t above);
    void Extend(const CellRange& area);

    ZipWriter& zip_;
    CellFormats& formats_;
    std::string out_;
    bool rows_ = false;
    std::string reserved_;        // the part's start, when its dimension is written at the end
    CellRange extent_{0, 0, 0, 0};  // of what was written; bottom 0 = nothing yet
};

// A held sheet's whole part as the current entry of `zip`: the extent of its cells
// and merged areas, its selection, column widths, rows and merged areas; `active`
// for the sheet shown first.
void WriteHeldSheet(ZipWriter& zip, CellFormats& formats, const Sheet& sheet, bool active);

// Widths in characters as the package stores them (in the default font's terms).
double StoredWidth(double width);

}  // namespace tabulizer::sheet
