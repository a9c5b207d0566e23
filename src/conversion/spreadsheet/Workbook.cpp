#include "conversion/spreadsheet/Workbook.h"

namespace tabulizer::sheet {

Workbook::Workbook(int sheetCount) {
    for (int i = 0; i < sheetCount; ++i) sheets_.push_back(NewSheet());
}

std::unique_ptr<Sheet> Workbook::NewSheet() {
    return std::make_unique<Sheet>("Лист" + std::to_string(++created_));
}

void Workbook::AddSheet() { sheets_.insert(sheets_.begin() + active_, NewSheet()); }

void Workbook::DeleteActiveSheet() {
    if (sheets_.size() == 1) return;
    sheets_.erase(sheets_.begin() + active_);
    if (active_ == SheetCount()) --active_;
}

}  // namespace tabulizer::sheet
