// The readable text of a workbook that tests assert on. Its format:
//
//   sheet Лист2 active          one block per sheet, in workbook order;
//   A1 s "Итого" bold            "active" marks the active sheet
//   B1 n 1512.43 format="0.00"
//   C1 e bottom=continuous/thick
//   merge A1:E1
//   width B 22
//
// A cell appears when it holds a value or a style other than the default, row by
// row: its address, its kind (n number, s text, e empty) and value (numbers in the
// shortest form that reads back exactly; texts in UTF-8 between quotes, with " and
// \ escaped by \), then its properties that differ from the default, in this
// order: font="Name" size=N bold italic align=left|center|right order=ltr|rtl
// bottom=LINE/WEIGHT left=LINE/WEIGHT right=LINE/WEIGHT format="text". LINE is
// continuous, dash, dashdot, dashdotdot, dot, double or slantdashdot; WEIGHT is
// hairline, thin, medium or thick. Merged areas follow by top row and left column,
// then column widths by column.
#include <charconv>

#include "common/Cp1251.h"
#include "conversion/spreadsheet/Workbook.h"

namespace tabulizer::sheet {
namespace {

std::string Number(double value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ec == std::errc() ? end : buffer);
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

const char* LineName(Line line) {
    static const char* const names[] = {"none", "continuous", "dash", "dashdot",
                                        "dashdotdot", "dot", "double", "slantdashdot"};
    return names[static_cast<int>(line)];
}

const char* WeightName(Weight weight) {
    static const char* const names[] = {"none", "hairline", "thin", "medium", "thick"};
    return names[static_cast<int>(weight)];
}

void AppendBorder(std::string& out, const char* edge, const Border& border) {
    if (border.line == Line::kNone) return;
    out += std::string(" ") + edge + "=" + LineName(border.line) + "/" + WeightName(border.weight);
}

std::string StyleText(const StyleTable& styles, std::uint32_t id) {
    const Style& s = styles.Get(id);
    std::string out;
    if (s.fontName) out += " font=" + Quoted(styles.fontNames.At(s.fontName));
    if (s.fontSize) out += " size=" + std::to_string(s.fontSize);
    if (s.bold) out += " bold";
    if (s.italic) out += " italic";
    static const char* const aligns[] = {"", " align=left", " align=center", " align=right"};
    out += aligns[static_cast<int>(s.align)];
    static const char* const orders[] = {"", " order=ltr", " order=rtl"};
    out += orders[static_cast<int>(s.order)];
    AppendBorder(out, "bottom", s.bottom);
    AppendBorder(out, "left", s.left);
    AppendBorder(out, "right", s.right);
    if (s.numberFormat) out += " format=" + Quoted(styles.numberFormats.At(s.numberFormat));
    return out;
}

void DumpCells(std::string& out, const Sheet& sheet, const StyleTable& styles) {
    for (int row = 1; row <= sheet.RowCount(); ++row) {
        const auto& cells = sheet.Row(row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const Cell& cell = cells[i];
            if (cell.kind == kCellEmpty && cell.style == 0) continue;
            out += CellName(row, static_cast<int>(i) + 1);
            if (cell.kind == kCellNumber) out += " n " + Number(cell.number);
            else if (cell.kind == kCellText) out += " s " + Quoted(Cp1251ToUtf8(sheet.Text(cell)));
            else out += " e";
            out += StyleText(styles, cell.style) + "\n";
        }
    }
}

}  // namespace

std::string DumpWorkbook(const Workbook& workbook) {
    std::string out;
    for (int i = 0; i < workbook.SheetCount(); ++i) {
        const SheetRef held = workbook.At(i);
        const Sheet& sheet = *held;
        out += "sheet " + sheet.Name() + (i == workbook.ActiveIndex() ? " active\n" : "\n");
        DumpCells(out, sheet, workbook.Styles());
        for (const CellRange& area : sheet.merges.All()) out += "merge " + RangeName(area) + "\n";
        for (const auto& [column, width] : sheet.widths)
            out += "width " + ColumnName(column) + " " + Number(width) + "\n";
    }
    return out;
}

}  // namespace tabulizer::sheet
