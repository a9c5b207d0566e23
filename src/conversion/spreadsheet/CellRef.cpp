#include "conversion/spreadsheet/CellRef.h"

#include <algorithm>

#include "common/Failure.h"

namespace tabulizer::sheet {
namespace {

[[noreturn]] void BadAddress(std::string_view text) {
    throw Failure(kCannotWrite, "bad cell address: \"" + std::string(text) + "\"");
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads column letters at `pos`; 0 when there are none or they name no column.
int ReadColumn(std::string_view text, std::size_t& pos) {
    int column = 0;
    std::size_t start = pos;
    while (pos < text.size() && IsLetter(text[pos])) {
        if (pos - start == 3) return 0;  // XFD is the last column: three letters at most
        column = column * 26 + ((text[pos] | 0x20) - 'a' + 1);
        ++pos;
    }
    return column <= kMaxColumns ? column : 0;
}

// Reads a row number at `pos`; 0 when there is none or it lies off the sheet.
int ReadRow(std::string_view text, std::size_t& pos) {
    long long row = 0;
    std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        row = row * 10 + (text[pos] - '0');
        if (row > kMaxRows) return 0;
        ++pos;
    }
    return pos > start ? static_cast<int>(row) : 0;
}

// One corner "A1"; the whole of `part` must be used.
std::pair<int, int> ParseCorner(std::string_view part, std::string_view whole) {
    std::size_t pos = 0;
    int column = ReadColumn(part, pos);
    int row = column ? ReadRow(part, pos) : 0;
    if (!row || pos != part.size()) BadAddress(whole);
    return {row, column};
}

}  // namespace

CellRange CellRange::Union(const CellRange& other) const {
    return {std::min(top, other.top), std::min(left, other.left),
            std::max(bottom, other.bottom), std::max(right, other.right)};
}

CellRange ParseRange(std::string_view text) {
    std::size_t colon = text.find(':');
    auto [r1, c1] = ParseCorner(text.substr(0, colon), text);
    if (colon == std::string_view::npos) return {r1, c1, r1, c1};
    auto [r2, c2] = ParseCorner(text.substr(colon + 1), text);
    return {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
}

std::pair<int, int> ParseColumns(std::string_view text) {
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) BadAddress(text);
    std::size_t pos = 0;
    int first = ReadColumn(text, pos);
    if (!first || pos != colon) BadAddress(text);
    ++pos;
    int last = ReadColumn(text, pos);
    if (!last || pos != text.size()) BadAddress(text);
    return {std::min(first, last), std::max(first, last)};
}

std::string ColumnName(int column) {
    std::string name;
    for (; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
}

std::string CellName(int row, int column) { return ColumnName(column) + std::to_string(row); }

std::string RangeName(const CellRange& range) {
    return CellName(range.top, range.left) + ":" + CellName(range.bottom, range.right);
}

void CheckCell(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw Failure(kCannotWrite, "no such cell: row " + std::to_string(row) + ", column " +
                                        std::to_string(column));
}

}  // namespace tabulizer::sheet
