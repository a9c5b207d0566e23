// Saving the workbook: its sheets, read back one at a time (only the active one
// stays in memory), each written into the package as it is read, so that the save
// needs the memory of the largest sheet, not of the workbook.
#include "conversion/spreadsheet/Workbook.h"
#include "conversion/spreadsheet/XlsxPackage.h"

namespace tabulizer::sheet {

int SaveProgress::Percent() const {
    const int all = total.load();
    return all > 0 ? static_cast<int>(static_cast<long long>(written.load()) * 100 / all) : 0;
}

void WriteXlsx(const Workbook& workbook, const std::string& path, SaveProgress* progress) {
    SaveProgress none;
    SaveProgress& shown = progress ? *progress : none;
    shown.written = 0;
    shown.total = workbook.SheetCount();
    XlsxPackage package(path, workbook.Styles(), workbook.SheetCount());
    for (int i = 0; i < workbook.SheetCount(); ++i) {
        const SheetRef sheet = workbook.At(i);
        WriteSheetRows(package.BeginSheet(sheet->Name(), HeadOf(*sheet, i == workbook.ActiveIndex())), *sheet);
        package.EndSheet(sheet->merges.All(), nullptr);
        shown.written = i + 1;
    }
    package.Finish(workbook.ActiveIndex());
}

}  // namespace tabulizer::sheet
