// Saving the workbook: its sheets, read back one at a time (only the active one
// stays in memory), each written into the package as it is read, so that the save
// needs the memory of the largest sheet, not of the workbook.
#include "conversion/spreadsheet/Workbook.h"
#include "conversion/spreadsheet/XlsxPackage.h"

namespace tabulizer::sheet {

void WriteXlsx(const Workbook& workbook, const std::string& path) {
    XlsxPackage package(path, workbook.Styles(), workbook.SheetCount());
    for (int i = 0; i < workbook.SheetCount(); ++i) {
        const SheetRef sheet = workbook.At(i);
        WriteSheetRows(package.BeginSheet(sheet->Name(), HeadOf(*sheet, i == workbook.ActiveIndex())), *sheet);
        package.EndSheet(sheet->merges.All(), nullptr);
    }
    package.Finish(workbook.ActiveIndex());
}

}  // namespace tabulizer::sheet
