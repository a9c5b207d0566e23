#pragma once
// The workbook being written: its sheets in workbook order, the active one, and the
// style table its cells refer to. Only the active sheet is held in memory; a sheet
// left for a new one is put aside in a temporary file (SheetSpill), so that memory
// is bounded by the largest page, not by the report.
#include <deque>
#include <memory>
#include <string>

#include "conversion/spreadsheet/CellFormats.h"
#include "conversion/spreadsheet/SaveProgress.h"
#include "conversion/spreadsheet/Sheet.h"
#include "conversion/spreadsheet/SheetSpill.h"
#include "conversion/spreadsheet/Style.h"

namespace tabulizer::sheet {

// A sheet to read: one in memory, or a copy read back for as long as this lives.
class SheetRef {
public:
    explicit SheetRef(const Sheet& resident) : sheet_(&resident) {}
    explicit SheetRef(std::unique_ptr<Sheet> loaded) : loaded_(std::move(loaded)), sheet_(loaded_.get()) {}
    const Sheet& operator*() const { return *sheet_; }
    const Sheet* operator->() const { return sheet_; }

private:
    std::unique_ptr<Sheet> loaded_;
    const Sheet* sheet_;
};

class XlsxPackage;

class Workbook {
public:
    explicit Workbook(int sheetCount);

    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    int ActiveIndex() const { return active_; }
    // The active sheet, read back first when it had been put aside.
    Sheet& Active();
    SheetRef At(int index) const;
    StyleTable& Styles() { return styles_; }
    const StyleTable& Styles() const { return styles_; }
    // The formats of the package, numbered as sheets are written: a sheet put aside
    // is written then, the others at the save.
    CellFormats& Formats() { return formats_; }

    // A new sheet before the active one, made active; the one it replaces is put
    // aside. Sheets are named "Лист1", "Лист2", ... in the order they were
    // created, wherever they stand.
    void AddSheet();
    // Removes the active sheet; the next one becomes active, or the previous one
    // when it was the last. The only sheet of a workbook is kept.
    void DeleteActiveSheet();

    // Puts the sheets into `package` in workbook order; `written` counts them.
    void WriteSheets(XlsxPackage& package, SaveProgress& written);

    // The workbook that was active before this one was added.
    std::unique_ptr<Workbook> previous;

private:
    // A sheet in memory, or where it was put aside.
    struct Slot {
        std::unique_ptr<Sheet> sheet;
        SpillRef aside;
        std::string name;  // the sheet's, for a part copied without reading the sheet back
    };

    Slot NewSheet();

    // A new page's sheet goes before the active one, which is the first during a
    // run: a deque takes it there in constant time, however many pages came before.
    std::deque<Slot> sheets_;
    int active_ = 0;
    // The active sheet once found: every cell written asks for it, and indexing the
    // deque divides by its node size.
    Sheet* activeSheet_ = nullptr;
    int created_ = 0;
    StyleTable styles_;
    CellFormats formats_{styles_};
    SheetSpill spill_;
};

// The readable text of a workbook, for tests; the format is described in Dump.cpp.
std::string DumpWorkbook(const Workbook& workbook);

// Writes the workbook as .xlsx to `path`; throws 1004 when that fails.
void WriteXlsx(Workbook& workbook, const std::string& path, SaveProgress* progress = nullptr);

}  // namespace tabulizer::sheet
