#pragma once
// The in-memory workbook: its sheets in workbook order, the active one, and the
// style table its cells refer to.
#include <memory>
#include <string>
#include <vector>

#include "conversion/spreadsheet/Sheet.h"
#include "conversion/spreadsheet/Style.h"

namespace tabulizer::sheet {

class Workbook {
public:
    explicit Workbook(int sheetCount);

    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    int ActiveIndex() const { return active_; }
    Sheet& Active() { return *sheets_[active_]; }
    const Sheet& At(int index) const { return *sheets_[index]; }
    StyleTable& Styles() { return styles_; }
    const StyleTable& Styles() const { return styles_; }

    // A new sheet before the active one, made active. Sheets are named "Лист1",
    // "Лист2", ... in the order they were created, wherever they stand.
    void AddSheet();
    // Removes the active sheet; the next one becomes active, or the previous one
    // when it was the last. The only sheet of a workbook is kept.
    void DeleteActiveSheet();

    // The workbook that was active before this one was added.
    std::unique_ptr<Workbook> previous;

private:
    std::unique_ptr<Sheet> NewSheet();

    std::vector<std::unique_ptr<Sheet>> sheets_;
    int active_ = 0;
    int created_ = 0;
    StyleTable styles_;
};

// The readable text of a workbook, for tests; the format is described in Dump.cpp.
std::string DumpWorkbook(const Workbook& workbook);

// Writes the workbook as .xlsx to `path`; throws 1004 when that fails.
void WriteXlsx(const Workbook& workbook, const std::string& path);

}  // namespace tabulizer::sheet
