#pragma once
// Cell addresses in the "A1" notation of the automation interface: column
// letters and a row number, ranges as two corners joined by ":".
#include <string>
#include <string_view>
#include <utility>

namespace tabulizer::sheet {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// A rectangle of cells, rows and columns from 1, bounds included.
struct CellRange {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    bool Intersects(const CellRange& other) const {
        return top <= other.bottom && other.top <= bottom && left <= other.right &&
               other.left <= right;
    }
    bool IsSingleCell() const { return top == bottom && left == right; }
    long long Area() const {
        return static_cast<long long>(bottom - top + 1) * (right - left + 1);
    }
    // The smallest range holding both.
    CellRange Union(const CellRange& other) const;
    bool operator==(const CellRange&) const = default;
};

// "A1" or "B7:A2" (corners in any order; letters in either case). Malformed text,
// a column beyond XFD or a row beyond the last one is a failure with code 1004.
CellRange ParseRange(std::string_view text);

// A whole-column address "B:B" or "B:D"; gives the first and last column.
std::pair<int, int> ParseColumns(std::string_view text);

// 1 -> "A", 27 -> "AA".
std::string ColumnName(int column);
std::string CellName(int row, int column);
std::string RangeName(const CellRange& range);

// Throws 1004 unless the row and column lie on a sheet.
void CheckCell(int row, int column);

}  // namespace tabulizer::sheet
