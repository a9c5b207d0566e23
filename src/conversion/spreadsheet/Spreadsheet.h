#pragma once
// The spreadsheet application the conversion drives: the operations of the old
// automation interface over an in-memory workbook, written to .xlsx when saved.
// Every operation acts on the active workbook and its active sheet; formatting
// operations act on the current selection. Failures raise tabulizer::Failure.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "conversion/spreadsheet/SaveProgress.h"

namespace tabulizer::sheet {

// Values as the automation interface passes them.
enum HAlign : int { kAlignCenter = -4108, kAlignLeft = -4131, kAlignRight = -4152 };
enum ReadingOrder : int { kOrderContext = -5002, kOrderLtr = -5003, kOrderRtl = -5004 };
enum BorderIndex : int { kEdgeLeft = 7, kEdgeBottom = 9, kEdgeRight = 10 };
enum LineStyle : int { kContinuous = 1, kDashDot = 4 };
enum BorderWeight : int { kHairline = 1, kThick = 4 };

struct CellValue {
    enum Kind { kEmpty, kNumber, kText } kind = kEmpty;
    double number = 0;
    std::string text;  // CP1251
    bool IsZero() const { return kind == kNumber && number == 0; }
};

class Workbook;

// Save hook for tests of failing writes (a full disk): called with the temporary
// path just before it is renamed over the output; returning false fails the save.
using SaveProbe = bool (*)(const std::string& temporaryPath);

class Application {
public:
    Application();  // a new, invisible instance
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void SetSheetsInNewWorkbook(int count);
    void AddWorkbook();
    void SetScreenUpdating(bool on);
    void SetDisplayAlerts(bool on);
    void SetVisible(bool on);
    bool ScreenUpdating() const;
    bool DisplayAlerts() const;
    bool Visible() const;

    // "A1" or "A1:C3" (letters and row; corners in any order).
    void SelectRange(std::string_view a1);
    void SetHorizontalAlignment(int alignment);
    void SetReadingOrder(int order);
    void SetMergeCells(bool merge);
    void SetBorderLineStyle(int index, int style);
    void SetBorderWeight(int index, int weight);
    void SetFontName(const std::string& utf8Name);
    void SetFontSize(int points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);
    void SetNumberFormat(const std::string& format);

    // Row and column from 1. The text (CP1251) is taken as typed: numeric text
    // becomes a number, unless the cell has the text format "@".
    void SetCellValue(int row, int column, std::string_view cp1251);
    CellValue GetCellValue(int row, int column) const;
    // GetCellValue(row, column).IsZero(), without copying a text: asked of every
    // cell a report writes when zeros are left out.
    bool IsZero(int row, int column) const;
    // What a cell of the active sheet shows: the text it was typed as (CP1251), taken
    // from the top-left cell of the merged area it lies in; that cell's row and
    // column come back through `sourceRow` and `sourceColumn`.
    std::string ShownText(int row, int column, int& sourceRow, int& sourceColumn) const;

    // Whole column, addressed as "B:B".
    void SetColumnWidth(std::string_view columns, double width);

    void AddSheet();            // before the active sheet, and activates it
    void DeleteActiveSheet();   // a workbook keeps at least one sheet
    void SaveActiveWorkbookAs(const std::string& utf8Path);  // atomic replace; 1004 on failure
    // The save under way (or the last one), for a window to show from another thread.
    const SaveProgress& Saving() const { return saving_; }
    void CloseActiveWorkbook();
    void Quit();

    int SheetCount() const;
    int ActiveSheetIndex() const;  // 0-based position in workbook order

    // A readable dump of the active workbook (sheets in workbook order, with names,
    // cells, styles, merges, widths) for tests.
    std::string Dump() const;

    static void SetSaveProbe(SaveProbe probe);

private:
    std::unique_ptr<Workbook> workbook_;
    bool screenUpdating_ = true;
    bool displayAlerts_ = true;
    bool visible_ = false;
    int sheetsInNewWorkbook_ = 1;
    bool quit_ = false;
    SaveProgress saving_;
};

}  // namespace tabulizer::sheet
