#pragma once
// One worksheet of the in-memory workbook: cells row by row (a vector of rows,
// each a vector of cells by column), the texts of the cells in one byte arena,
// merged areas, column widths and the selection.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/spreadsheet/CellRef.h"
#include "conversion/spreadsheet/Merges.h"
#include "conversion/spreadsheet/Style.h"

namespace tabulizer::sheet {

enum CellKind : std::uint32_t { kCellEmpty, kCellNumber, kCellText };

struct Cell {
    double number = 0;
    // Arena offset + 1 of the cell's text, 0 for none. A text cell's value; for a
    // number, the text it was typed as, unless that is FixedText(number, decimals).
    std::uint32_t text = 0;
    std::uint32_t style : 24 = 0;
    std::uint32_t kind : 2 = kCellEmpty;
    std::uint32_t decimals : 6 = 0;
};

// The most decimals a number cell can give back without keeping its text.
inline constexpr int kMaxKeptDecimals = 63;

// The longest text a cell holds.
inline constexpr std::size_t kMaxCellText = 32767;

class Sheet {
public:
    explicit Sheet(std::string utf8Name) : name_(std::move(utf8Name)) {}

    const std::string& Name() const { return name_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Cells of row `row` (from 1), shorter than the sheet when its end is empty.
    const std::vector<Cell>& Row(int row) const { return rows_[row - 1]; }
    const Cell* Find(int row, int column) const;
    std::string_view Text(const Cell& cell) const;
    // The text a number cell was typed as.
    std::string TypedText(const Cell& cell) const;

    // Stores a typed text (CP1251); `asText` for cells of the text format "@".
    void SetValue(int row, int column, std::string_view typed, bool asText);
    // Applies a style change to every cell of the range.
    void Format(const CellRange& range, StyleTable& styles, StyleChange change);
    // Turns the values of the range into text, as cells of the format "@" hold them.
    void MakeText(const CellRange& range);

    // The sheet as one record of the file of finished sheets, and back (SheetSpill.cpp).
    void Encode(std::string& out) const;
    static std::unique_ptr<Sheet> Decode(const std::string& record);

    MergeSet merges;
    std::map<int, double> widths;  // column -> width in characters
    CellRange selection;

private:
    Cell& At(int row, int column);
    void Widen(std::vector<Cell>& cells, int columns);
    void SetText(Cell& cell, std::string_view text);
    void Clear(Cell& cell);

    std::string name_;
    std::vector<std::vector<Cell>> rows_;
    int widest_ = 0;  // the most cells any row has had
    std::string arena_;  // each text: its length (4 bytes), then its bytes
};

}  // namespace tabulizer::sheet
