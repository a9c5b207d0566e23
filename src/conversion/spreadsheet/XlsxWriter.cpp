// Saving the workbook: its sheets in order, each copied as deflated when it was put
// aside or read back and written then (Workbook::WriteSheets), so that the save
// needs the memory of the largest sheet, not of the workbook.
#include "conversion/spreadsheet/Workbook.h"
#include "conversion/spreadsheet/XlsxPackage.h"

namespace tabulizer::sheet {

int SaveProgress::Percent() const {
    const int all = total.load();
    return all > 0 ? static_cast<int>(static_cast<long long>(written.load()) * 100 / all) : 0;
}

void WriteXlsx(Workbook& workbook, const std::string& path, SaveProgress* progress) {
    SaveProgress none;
    SaveProgress& shown = progress ? *progress : none;
    shown.written = 0;
    shown.total = workbook.SheetCount();
    XlsxPackage package(path, workbook.Formats(), workbook.SheetCount());
    workbook.WriteSheets(package, shown);
    package.Finish(workbook.ActiveIndex());
}

}  // namespace tabulizer::sheet
