#include "conversion/spreadsheet/Sheet.h"

#include <algorithm>
#include <cstring>

#include "common/Failure.h"
#include "conversion/spreadsheet/TypedInput.h"

namespace tabulizer::sheet {
namespace {

// Formatting creates every cell of the range; a range beyond this is refused
// rather than exhausting memory (a conversion formats about 50 x 32767 cells).
constexpr long long kMaxFormattedCells = 1LL << 26;

}  // namespace

const Cell* Sheet::Find(int row, int column) const {
    if (row < 1 || row > RowCount()) return nullptr;
    const auto& cells = rows_[row - 1];
    if (column < 1 || column > static_cast<int>(cells.size())) return nullptr;
    return &cells[column - 1];
}

// Rows of a report tend to be equally wide: a row is given the width of the
// widest so far at once, rather than growing cell by cell (each growth copies
// the row and leaves it up to half empty).
void Sheet::Widen(std::vector<Cell>& cells, int columns) {
    widest_ = std::max(widest_, columns);
    if (static_cast<int>(cells.capacity()) < columns) cells.reserve(widest_);
    cells.resize(columns);
}

Cell& Sheet::At(int row, int column) {
    if (row > RowCount()) rows_.resize(row);
    auto& cells = rows_[row - 1];
    if (column > static_cast<int>(cells.size())) Widen(cells, column);
    return cells[column - 1];
}

std::string_view Sheet::Text(const Cell& cell) const {
    if (!cell.text) return {};
    std::uint32_t length;
    std::memcpy(&length, arena_.data() + cell.text - 1, sizeof length);
    return {arena_.data() + cell.text - 1 + sizeof length, length};
}

std::string Sheet::TypedText(const Cell& cell) const {
    return cell.text ? std::string(Text(cell)) : FixedText(cell.number, cell.decimals);
}

void Sheet::SetText(Cell& cell, std::string_view text) {
    std::uint32_t length = static_cast<std::uint32_t>(text.size());
    if (arena_.size() + sizeof length + length >= UINT32_MAX)
        throw Failure(kOutOfMemory, "the texts of one sheet exceed 4 GB");
    cell.text = static_cast<std::uint32_t>(arena_.size() + 1);
    arena_.append(reinterpret_cast<const char*>(&length), sizeof length);
    arena_.append(text);
}

void Sheet::Clear(Cell& cell) {
    cell.kind = kCellEmpty;
    cell.text = 0;
    cell.number = 0;
    cell.decimals = 0;
}

void Sheet::SetValue(int row, int column, std::string_view typed, bool asText) {
    if (typed.size() > kMaxCellText)
        throw Failure(kCannotWrite, "a cell holds at most 32767 characters");
    Cell& cell = At(row, column);
    Clear(cell);
    std::string_view trimmed = TrimBlanks(typed);
    if (asText) {
        if (trimmed.empty()) return;
        cell.kind = kCellText;
        SetText(cell, trimmed);
    } else if (auto number = ParseTyped(trimmed)) {
        cell.kind = kCellNumber;
        cell.number = number->value;
        if (number->decimals >= 0 && number->decimals <= kMaxKeptDecimals)
            cell.decimals = static_cast<std::uint32_t>(number->decimals);
        else
            SetText(cell, trimmed);
    } else if (!typed.empty()) {
        cell.kind = kCellText;
        SetText(cell, typed);
    }
}

void Sheet::Format(const CellRange& range, StyleTable& styles, StyleChange change) {
    if (range.Area() > kMaxFormattedCells)
        throw Failure(kOutOfMemory, "range too large to format: " + RangeName(range));
    At(range.bottom, range.right);  // grows the rows vector once
    std::uint32_t lastOld = UINT32_MAX, lastNew = 0;
    for (int row = range.top; row <= range.bottom; ++row) {
        auto& cells = rows_[row - 1];
        if (static_cast<int>(cells.size()) < range.right) Widen(cells, range.right);
        for (int column = range.left; column <= range.right; ++column) {
            Cell& cell = cells[column - 1];
            if (cell.style != lastOld) {
                lastOld = cell.style;
                lastNew = styles.Apply(lastOld, change);
            }
            cell.style = lastNew;
        }
    }
}

void Sheet::MakeText(const CellRange& range) {
    for (int row = range.top; row <= range.bottom && row <= RowCount(); ++row) {
        auto& cells = rows_[row - 1];
        int right = std::min(range.right, static_cast<int>(cells.size()));
        for (int column = range.left; column <= right; ++column) {
            Cell& cell = cells[column - 1];
            if (cell.kind == kCellNumber) {
                if (!cell.text) SetText(cell, FixedText(cell.number, cell.decimals));
                cell.kind = kCellText;  // the typed text, kept beside the number
                cell.number = 0;
            } else if (cell.kind == kCellText) {
                std::string_view text = Text(cell);
                std::string_view trimmed = TrimBlanks(text);
                if (trimmed.empty()) Clear(cell);
                // A copy: appending to the arena may move the text the view points into.
                else if (trimmed.size() != text.size()) SetText(cell, std::string(trimmed));
            }
        }
    }
}

}  // namespace tabulizer::sheet
