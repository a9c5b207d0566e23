// A sheet's part of the package: its extent, view and selection, column widths,
// rows of cells (texts inline, numbers in their shortest exact form), merged areas.
#include <algorithm>
#include <charconv>
#include <climits>

#include "common/Failure.h"
#include "conversion/spreadsheet/CellRef.h"
#include "conversion/spreadsheet/XlsxParts.h"
#include "conversion/spreadsheet/XlsxText.h"

namespace tabulizer::sheet {
namespace {

// The part is handed to the archive in pieces of about this size.
constexpr std::size_t kPiece = 256 * 1024;

bool Written(const Cell& cell) { return cell.kind != kCellEmpty || cell.style != 0; }

void AppendInt(std::string& out, long long value) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

void AppendNumber(std::string& out, double value) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

// The rectangle of the written cells and merged areas; none: just "A1".
std::string Dimension(const Sheet& sheet) {
    CellRange extent{INT_MAX, INT_MAX, 0, 0};
    auto take = [&extent](const CellRange& r) {
        extent = {std::min(extent.top, r.top), std::min(extent.left, r.left),
                  std::max(extent.bottom, r.bottom), std::max(extent.right, r.right)};
    };
    for (int row = 1; row <= sheet.RowCount(); ++row) {
        const auto& cells = sheet.Row(row);
        auto first = std::find_if(cells.begin(), cells.end(), Written);
        if (first == cells.end()) continue;
        auto last = std::find_if(cells.rbegin(), cells.rend(), Written);
        take({row, static_cast<int>(first - cells.begin()) + 1, row, static_cast<int>(cells.rend() - last)});
    }
    for (const CellRange& area : sheet.merges.All()) take(area);
    if (extent.bottom == 0) return "A1";
    return extent.IsSingleCell() ? CellName(extent.top, extent.left) : RangeName(extent);
}

void AppendHead(std::string& out, const Sheet& sheet, bool active) {
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    out += "<dimension ref=\"" + Dimension(sheet) + "\"/><sheetViews><sheetView ";
    if (active) out += "tabSelected=\"1\" ";
    out += "workbookViewId=\"0\"";
    const CellRange& s = sheet.selection;
    if (s.IsSingleCell() && s.top == 1 && s.left == 1) {
        out += "/>";
    } else {
        std::string range = s.IsSingleCell() ? CellName(s.top, s.left) : RangeName(s);
        out += "><selection activeCell=\"" + CellName(s.top, s.left) + "\" sqref=\"" + range + "\"/></sheetView>";
    }
    out += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
}

// Widths in characters become the stored width of the spreadsheet's default font
// (7 pixels a digit, 5 of padding, in 1/256 of a character).
double StoredWidth(double width) {
    constexpr double kDigit = 7, kPadding = 5;
    if (width <= 0) return 0;
    double pixels = width < 1 ? static_cast<std::uint16_t>(width * (kDigit + kPadding) + 0.5)
                              : static_cast<std::uint16_t>(width * kDigit + 0.5) + kPadding;
    return static_cast<std::uint16_t>(pixels / kDigit * 256.0) / 256.0;
}

void AppendColumns(std::string& out, const Sheet& sheet) {
    if (sheet.widths.empty()) return;
    out += "<cols>";
    for (const auto& [column, width] : sheet.widths) {
        out += "<col min=\"";
        AppendInt(out, column);
        out += "\" max=\"";
        AppendInt(out, column);
        out += "\" width=\"";
        AppendNumber(out, StoredWidth(width));
        out += width == 8.43 ? "\"/>" : "\" customWidth=\"1\"/>";  // 8.43 is the default width
    }
    out += "</cols>";
}

void AppendCell(std::string& out, const Sheet& sheet, const Cell& cell, std::string_view ref,
                CellFormats& formats) {
    out += "<c r=\"";
    out += ref;
    out += '"';
    if (std::uint32_t format = formats.IndexOf(cell.style)) {
        out += " s=\"";
        AppendInt(out, format);
        out += '"';
    }
    if (cell.kind == kCellNumber) {
        out += "><v>";
        AppendNumber(out, cell.number);
        out += "</v></c>";
    } else if (cell.kind == kCellText) {
        std::string_view text = sheet.Text(cell);
        auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
        bool keepBlanks = !text.empty() && (blank(text.front()) || blank(text.back()));
        out += keepBlanks ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
        if (AppendXlsxCellText(out, text) > kMaxCellText)
            throw Failure(kCannotWrite, "a cell text is longer than 32767 characters",
                          "текст ячейки длиннее 32767 знаков");
        out += "</t></is></c>";
    } else {
        out += "/>";
    }
}

// Column letters, made once per column and thread.
const std::string& Letters(int column) {
    thread_local std::vector<std::string> names;
    if (static_cast<int>(names.size()) < column) {
        int known = static_cast<int>(names.size());
        names.resize(column);
        for (int c = known + 1; c <= column; ++c) names[c - 1] = ColumnName(c);
    }
    return names[column - 1];
}

void AppendRow(std::string& out, const Sheet& sheet, int row, CellFormats& formats) {
    const auto& cells = sheet.Row(row);
    if (std::none_of(cells.begin(), cells.end(), Written)) return;
    char rowDigits[16];
    auto digitsEnd = std::to_chars(rowDigits, rowDigits + sizeof rowDigits, row).ptr;
    out += "<row r=\"";
    out.append(rowDigits, digitsEnd);
    out += "\">";
    std::string ref;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!Written(cells[i])) continue;
        ref = Letters(static_cast<int>(i) + 1);
        ref.append(rowDigits, digitsEnd);
        AppendCell(out, sheet, cells[i], ref, formats);
    }
    out += "</row>";
}

void AppendMerges(std::string& out, const Sheet& sheet) {
    const std::vector<CellRange> areas = sheet.merges.All();
    if (areas.empty()) return;
    out += "<mergeCells count=\"";
    AppendInt(out, static_cast<long long>(areas.size()));
    out += "\">";
    for (const CellRange& area : areas) out += "<mergeCell ref=\"" + RangeName(area) + "\"/>";
    out += "</mergeCells>";
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
}

void WriteSheetXml(ZipWriter& zip, const Sheet& sheet, bool active, CellFormats& formats) {
    std::string out;
    out.reserve(kPiece + 64 * 1024);
    AppendHead(out, sheet, active);
    AppendColumns(out, sheet);
    out += sheet.RowCount() == 0 ? "<sheetData/>" : "<sheetData>";
    for (int row = 1; row <= sheet.RowCount(); ++row) {
        AppendRow(out, sheet, row, formats);
        if (out.size() >= kPiece) {
            zip.Write(out);
            out.clear();
        }
    }
    if (sheet.RowCount() != 0) out += "</sheetData>";
    AppendMerges(out, sheet);
    out += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
           "</worksheet>";
    zip.Write(out);
}

}  // namespace tabulizer::sheet
