// The operations of the automation interface over the in-memory workbook.
#include "conversion/spreadsheet/Spreadsheet.h"

#include "common/Failure.h"
#include "common/ReplaceFile.h"
#include "conversion/spreadsheet/AutomationValues.h"
#include "conversion/spreadsheet/Workbook.h"

namespace tabulizer::sheet {
namespace {

SaveProbe saveProbe = nullptr;

// Font names longer than this make a file the spreadsheet refuses to open.
constexpr std::size_t kMaxFontName = 31;

std::size_t Utf8Length(const std::string& text) {
    std::size_t length = 0;
    for (unsigned char c : text) length += (c & 0xC0) != 0x80;
    return length;
}

}  // namespace

Application::Application() = default;
Application::~Application() = default;

// --- the application and its workbooks ---

static Workbook& Open(const std::unique_ptr<Workbook>& workbook, bool quit) {
    if (quit) throw Failure(kCannotWrite, "the application has quit");
    if (!workbook) throw Failure(kCannotWrite, "no workbook is open");
    return *workbook;
}

void Application::SetSheetsInNewWorkbook(int count) {
    if (count < 1 || count > 255)
        throw Failure(kCannotWrite, "unable to set SheetsInNewWorkbook to " + std::to_string(count));
    sheetsInNewWorkbook_ = count;
}

void Application::AddWorkbook() {
    if (quit_) throw Failure(kCannotWrite, "the application has quit");
    auto added = std::make_unique<Workbook>(sheetsInNewWorkbook_);
    added->previous = std::move(workbook_);
    workbook_ = std::move(added);
}

void Application::SetScreenUpdating(bool on) { screenUpdating_ = on; }
void Application::SetDisplayAlerts(bool on) { displayAlerts_ = on; }
void Application::SetVisible(bool on) { visible_ = on; }
bool Application::ScreenUpdating() const { return screenUpdating_; }
bool Application::DisplayAlerts() const { return displayAlerts_; }
bool Application::Visible() const { return visible_; }

void Application::CloseActiveWorkbook() {
    Open(workbook_, quit_);
    workbook_ = std::move(workbook_->previous);
}

void Application::Quit() {
    while (workbook_) workbook_ = std::move(workbook_->previous);
    quit_ = true;
}

void Application::SetSaveProbe(SaveProbe probe) { saveProbe = probe; }

void Application::SaveActiveWorkbookAs(const std::string& utf8Path) {
    Workbook& book = Open(workbook_, quit_);
    try {
        ReplaceFile(utf8Path, [this, &book](const std::string& path) { WriteXlsx(book, path, &saving_); }, saveProbe);
    } catch (const Failure& failure) {
        // Whatever stopped it, a workbook that cannot be written is one failure;
        // running out of memory is told as such.
        if (failure.code() != kCannotWrite && failure.code() != kOutOfMemory)
            throw Failure(kCannotWrite, failure.what(), failure.detail());
        throw;
    }
}

// --- sheets ---

void Application::AddSheet() { Open(workbook_, quit_).AddSheet(); }
void Application::DeleteActiveSheet() { Open(workbook_, quit_).DeleteActiveSheet(); }
int Application::SheetCount() const { return Open(workbook_, quit_).SheetCount(); }
int Application::ActiveSheetIndex() const { return Open(workbook_, quit_).ActiveIndex(); }

std::string Application::Dump() const {
    return workbook_ ? DumpWorkbook(*workbook_) : std::string();
}

// --- the selection and its properties ---

void Application::SelectRange(std::string_view a1) {
    Sheet& sheet = Open(workbook_, quit_).Active();
    sheet.selection = ParseRange(a1);
}

// Applies one style change to every cell of the active sheet's selection.
static void FormatSelection(Workbook& book, StyleChange change) {
    Sheet& sheet = book.Active();
    sheet.Format(sheet.selection, book.Styles(), change);
}

void Application::SetHorizontalAlignment(int alignment) {
    FormatSelection(Open(workbook_, quit_), AlignmentChange(alignment));
}

void Application::SetReadingOrder(int order) {
    FormatSelection(Open(workbook_, quit_), ReadingOrderChange(order));
}

void Application::SetMergeCells(bool merge) {
    Sheet& sheet = Open(workbook_, quit_).Active();
    if (merge) sheet.merges.Merge(sheet.selection);
    else sheet.merges.Unmerge(sheet.selection);
}

// The edge of the selection a border index names: its bottom row, or its
// leftmost or rightmost column.
static CellRange EdgeOf(const CellRange& range, int index) {
    CellRange edge = range;
    if (index == kEdgeBottom) edge.top = range.bottom;
    else if (index == kEdgeLeft) edge.right = range.left;
    else if (index == kEdgeRight) edge.left = range.right;
    return edge;
}

static void FormatEdge(Workbook& book, int index, StyleChange change) {
    Sheet& sheet = book.Active();
    sheet.Format(EdgeOf(sheet.selection, index), book.Styles(), change);
}

void Application::SetBorderLineStyle(int index, int style) {
    FormatEdge(Open(workbook_, quit_), index, BorderLineChange(index, style));
}

void Application::SetBorderWeight(int index, int weight) {
    FormatEdge(Open(workbook_, quit_), index, BorderWeightChange(index, weight));
}

void Application::SetFontName(const std::string& utf8Name) {
    Workbook& book = Open(workbook_, quit_);
    if (utf8Name.empty() || Utf8Length(utf8Name) > kMaxFontName)
        throw Failure(kCannotWrite, "unable to set the font name to \"" + utf8Name + "\"");
    FormatSelection(book, {Property::kFontName, book.Styles().fontNames.Intern(utf8Name)});
}

void Application::SetFontSize(int points) {
    FormatSelection(Open(workbook_, quit_), FontSizeChange(points));
}

void Application::SetFontBold(bool bold) {
    FormatSelection(Open(workbook_, quit_), {Property::kBold, bold});
}

void Application::SetFontItalic(bool italic) {
    FormatSelection(Open(workbook_, quit_), {Property::kItalic, italic});
}

void Application::SetNumberFormat(const std::string& format) {
    Workbook& book = Open(workbook_, quit_);
    std::string_view general = format == "General" ? std::string_view() : std::string_view(format);
    FormatSelection(book, {Property::kNumberFormat, book.Styles().numberFormats.Intern(general)});
    if (format == "@") book.Active().MakeText(book.Active().selection);
}

// --- cells and columns ---

void Application::SetCellValue(int row, int column, std::string_view cp1251) {
    Workbook& book = Open(workbook_, quit_);
    CheckCell(row, column);
    Sheet& sheet = book.Active();
    const Cell* cell = sheet.Find(row, column);
    sheet.SetValue(row, column, cp1251, cell && book.Styles().IsTextFormat(cell->style));
}

CellValue Application::GetCellValue(int row, int column) const {
    Workbook& book = Open(workbook_, quit_);
    CheckCell(row, column);
    Sheet& sheet = book.Active();
    CellValue value;
    const Cell* cell = sheet.Find(row, column);
    if (!cell || cell->kind == kCellEmpty) return value;
    if (cell->kind == kCellNumber) {
        value.kind = CellValue::kNumber;
        value.number = cell->number;
    } else {
        value.kind = CellValue::kText;
        value.text = sheet.Text(*cell);
    }
    return value;
}

bool Application::IsZero(int row, int column) const {
    Workbook& book = Open(workbook_, quit_);
    CheckCell(row, column);
    const Cell* cell = book.Active().Find(row, column);
    return cell && cell->kind == kCellNumber && cell->number == 0;
}

std::string Application::ShownText(int row, int column, int& sourceRow, int& sourceColumn) const {
    const Sheet& sheet = Open(workbook_, quit_).Active();
    sourceRow = row;
    sourceColumn = column;
    for (const CellRange& area : sheet.merges.All())
        if (area.Intersects(CellRange{row, column, row, column})) {
            sourceRow = area.top;
            sourceColumn = area.left;
            break;
        }
    const Cell* cell = sheet.Find(sourceRow, sourceColumn);
    return cell && cell->kind != kCellEmpty ? sheet.TypedText(*cell) : std::string();
}

void Application::SetColumnWidth(std::string_view columns, double width) {
    Sheet& sheet = Open(workbook_, quit_).Active();
    auto [first, last] = ParseColumns(columns);
    if (!(width >= 0 && width <= 255))
        throw Failure(kCannotWrite, "unable to set the column width to " + std::to_string(width));
    for (int column = first; column <= last; ++column) sheet.widths[column] = width;
}

}  // namespace tabulizer::sheet
