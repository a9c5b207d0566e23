#include "conversion/spreadsheet/SheetXml.h"

#include <algorithm>
#include <charconv>

#include "common/Failure.h"
#include "conversion/spreadsheet/TypedInput.h"
#include "conversion/spreadsheet/XlsxText.h"

namespace tabulizer::sheet {
namespace {

// The part is handed to the archive in pieces of about this size.
constexpr std::size_t kPiece = 256 * 1024;

// The dimension written before the extent is known, as long as the longest one.
constexpr std::string_view kDimensionRoom = "<dimension ref=\"A1:XFD1048576\"/>";

std::string DimensionElement(const std::string& ref) { return "<dimension ref=\"" + ref + "\"/>"; }

// A sheet's extent as its dimension names it; bottom 0 is a sheet without cells.
std::string ExtentRef(const CellRange& extent) {
    if (extent.bottom == 0) return "A1";
    return extent.IsSingleCell() ? CellName(extent.top, extent.left) : RangeName(extent);
}

bool Written(const Cell& cell) { return cell.kind != kCellEmpty || cell.style != 0; }
bool Written(const CellOut& cell) { return cell.kind != kCellEmpty || cell.style != 0; }

// Characters are appended as a pointer and a length: appending a pair of pointers
// takes the string's general replacing path, a cost in every cell.
void AppendInt(std::string& out, long long value) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void AppendNumber(std::string& out, double value) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, static_cast<std::size_t>(end - buffer));
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

void AppendView(std::string& out, const SheetHead& head) {
    out += "<sheetViews><sheetView ";
    if (head.active) out += "tabSelected=\"1\" ";
    out += "workbookViewId=\"0\"";
    const CellRange& s = head.selection;
    if (head.frozenRows > 0) {
        out += "><pane ySplit=\"";
        AppendInt(out, head.frozenRows);
        out += "\" topLeftCell=\"" + CellName(head.frozenRows + 1, 1) +
               "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\"/></sheetView>";
    } else if (s.IsSingleCell() && s.top == 1 && s.left == 1) {
        out += "/>";
    } else {
        std::string range = s.IsSingleCell() ? CellName(s.top, s.left) : RangeName(s);
        out += "><selection activeCell=\"" + CellName(s.top, s.left) + "\" sqref=\"" + range + "\"/></sheetView>";
    }
    out += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
}

void AppendColumns(std::string& out, const std::vector<ColumnLook>& columns, CellFormats& formats) {
    if (columns.empty()) return;
    out += "<cols>";
    for (const ColumnLook& look : columns) {
        out += "<col min=\"";
        AppendInt(out, look.column);
        out += "\" max=\"";
        AppendInt(out, look.column);
        out += "\" width=\"";
        AppendNumber(out, StoredWidth(look.width));
        out += '"';
        if (std::uint32_t format = formats.IndexOf(look.style)) {
            out += " style=\"";
            AppendInt(out, format);
            out += '"';
        }
        out += look.width == kDefaultColumnWidth ? "/>" : " customWidth=\"1\"/>";
    }
    out += "</cols>";
}

}  // namespace

// 7 pixels a digit and 5 of padding in the default font, stored in 1/256 of a
// character.
double StoredWidth(double width) {
    constexpr double kDigit = 7, kPadding = 5;
    if (width <= 0) return 0;
    double pixels = width < 1 ? static_cast<std::uint16_t>(width * (kDigit + kPadding) + 0.5)
                              : static_cast<std::uint16_t>(width * kDigit + 0.5) + kPadding;
    return static_cast<std::uint16_t>(pixels / kDigit * 256.0) / 256.0;
}

SheetXmlWriter::SheetXmlWriter(ZipWriter& zip, CellFormats& formats, const SheetHead& head)
    : zip_(zip), formats_(formats) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    if (!head.dimension.empty()) {
        out_ += DimensionElement(head.dimension);
    } else {
        out_ += kDimensionRoom;
        zip_.Reserve(out_);
        reserved_.swap(out_);
    }
    out_.reserve(kPiece + 64 * 1024);
    AppendView(out_, head);
    AppendColumns(out_, head.columns, formats_);
}

void SheetXmlWriter::Extend(const CellRange& area) { extent_ = extent_.bottom == 0 ? area : extent_.Union(area); }

void SheetXmlWriter::Flush(std::size_t above) {
    if (out_.size() < above) return;
    zip_.Write(out_);
    out_.clear();
}

void SheetXmlWriter::AppendCell(const CellOut& cell, std::string_view ref) {
    out_ += "<c r=\"";
    out_ += ref;
    out_ += '"';
    if (std::uint32_t format = formats_.IndexOf(cell.style)) {
        out_ += " s=\"";
        AppendInt(out_, format);
        out_ += '"';
    }
    // A number the spreadsheet cannot hold would make it refuse the whole file:
    // it goes in as the text of its digits.
    std::string numberText;
    if (cell.kind == kCellNumber && !SpreadsheetHolds(cell.number)) AppendNumber(numberText, cell.number);
    if (cell.kind == kCellNumber && numberText.empty()) {
        out_ += "><v>";
        AppendNumber(out_, cell.number);
        out_ += "</v></c>";
    } else if (cell.kind != kCellEmpty) {
        auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
        const std::string_view text = numberText.empty() ? cell.text : numberText;
        bool keepBlanks = !text.empty() && (blank(text.front()) || blank(text.back()));
        out_ += keepBlanks ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
        if (AppendXlsxCellText(out_, text) > kMaxCellText)
            throw Failure(kCannotWrite, "a cell text is longer than 32767 characters",
                          "текст ячейки длиннее 32767 знаков");
        out_ += "</t></is></c>";
    } else {
        out_ += "/>";
    }
}

void SheetXmlWriter::Row(int row, const std::vector<CellOut>& cells) {
    if (std::none_of(cells.begin(), cells.end(), [](const CellOut& c) { return Written(c); })) return;
    if (!rows_) out_ += "<sheetData>";
    rows_ = true;
    char digits[16];
    const auto digitCount = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, row).ptr - digits);
    out_ += "<row r=\"";
    out_.append(digits, digitCount);
    out_ += "\">";
    // Every cell names itself, although the format lets a cell that follows the one
    // before it go without: without the references the XML is a sixth smaller and
    // deflates to 30% less, but Gnumeric puts such cells nowhere.
    std::string ref;
    int first = 0, last = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!Written(cells[i])) continue;
        last = static_cast<int>(i) + 1;
        if (first == 0) first = last;
        ref = Letters(last);
        ref.append(digits, digitCount);
        AppendCell(cells[i], ref);
    }
    out_ += "</row>";
    Extend({row, first, row, last});
    Flush(kPiece);
}

void SheetXmlWriter::End(const std::vector<CellRange>& merges, const CellRange* filter) {
    out_ += rows_ ? "</sheetData>" : "<sheetData/>";
    if (filter) out_ += "<autoFilter ref=\"" + RangeName(*filter) + "\"/>";
    if (!merges.empty()) {
        out_ += "<mergeCells count=\"";
        AppendInt(out_, static_cast<long long>(merges.size()));
        out_ += "\">";
        for (const CellRange& area : merges) out_ += "<mergeCell ref=\"" + RangeName(area) + "\"/>";
        out_ += "</mergeCells>";
    }
    out_ += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
            "</worksheet>";
    Flush(0);
    if (!reserved_.empty()) {
        for (const CellRange& area : merges) Extend(area);
        // Blanks between elements fill the room the longest extent would take.
        std::string element = DimensionElement(ExtentRef(extent_));
        element.resize(kDimensionRoom.size(), ' ');
        reserved_.replace(reserved_.size() - kDimensionRoom.size(), kDimensionRoom.size(), element);
        zip_.Rewrite(reserved_);
    }
}

namespace {

std::string Dimension(const Sheet& sheet) {
    CellRange extent{0, 0, 0, 0};
    auto take = [&extent](const CellRange& r) { extent = extent.bottom == 0 ? r : extent.Union(r); };
    for (int row = 1; row <= sheet.RowCount(); ++row) {
        const auto& cells = sheet.Row(row);
        auto written = [](const sheet::Cell& c) { return Written(c); };
        auto first = std::find_if(cells.begin(), cells.end(), written);
        if (first == cells.end()) continue;
        auto last = std::find_if(cells.rbegin(), cells.rend(), written);
        take({row, static_cast<int>(first - cells.begin()) + 1, row, static_cast<int>(cells.rend() - last)});
    }
    for (const CellRange& area : sheet.merges.All()) take(area);
    return ExtentRef(extent);
}

SheetHead HeadOf(const Sheet& sheet, bool active) {
    SheetHead head{Dimension(sheet), active, sheet.selection, 0, {}};
    for (const auto& [column, width] : sheet.widths) head.columns.push_back({column, width, 0});
    return head;
}

void WriteRows(SheetXmlWriter& writer, const Sheet& sheet) {
    std::vector<CellOut> cells;
    for (int row = 1; row <= sheet.RowCount(); ++row) {
        const std::vector<Cell>& held = sheet.Row(row);
        // Filled field by field where they stay: a whole CellOut made aside and copied
        // in is read back before its parts are stored, a stall in every cell.
        cells.resize(held.size());
        for (std::size_t i = 0; i < held.size(); ++i) {
            CellOut& out = cells[i];
            out.kind = static_cast<CellKind>(held[i].kind);
            out.number = held[i].number;
            out.text = sheet.Text(held[i]);
            out.style = held[i].style;
        }
        writer.Row(row, cells);
    }
}

}  // namespace

void WriteHeldSheet(ZipWriter& zip, CellFormats& formats, const Sheet& sheet, bool active) {
    SheetXmlWriter writer(zip, formats, HeadOf(sheet, active));
    WriteRows(writer, sheet);
    writer.End(sheet.merges.All(), nullptr);
}

}  // namespace tabulizer::sheet
