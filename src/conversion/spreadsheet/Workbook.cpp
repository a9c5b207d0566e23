#include "conversion/spreadsheet/Workbook.h"

namespace tabulizer::sheet {

Workbook::Workbook(int sheetCount) {
    for (int i = 0; i < sheetCount; ++i) sheets_.push_back(NewSheet());
}

Workbook::Slot Workbook::NewSheet() {
    return {std::make_unique<Sheet>("Лист" + std::to_string(++created_)), {}};
}

Sheet& Workbook::Active() {
    if (activeSheet_) return *activeSheet_;
    Slot& slot = sheets_[active_];
    if (!slot.sheet) slot.sheet = spill_.Load(slot.aside);
    activeSheet_ = slot.sheet.get();
    return *activeSheet_;
}

SheetRef Workbook::At(int index) const {
    const Slot& slot = sheets_[index];
    return slot.sheet ? SheetRef(*slot.sheet) : SheetRef(spill_.Load(slot.aside));
}

void Workbook::AddSheet() {
    activeSheet_ = nullptr;
    Slot& left = sheets_[active_];
    if (left.sheet) {
        left.aside = spill_.Store(*left.sheet);
        left.sheet.reset();
    }
    sheets_.insert(sheets_.begin() + active_, NewSheet());
}

void Workbook::DeleteActiveSheet() {
    if (sheets_.size() == 1) return;
    activeSheet_ = nullptr;
    sheets_.erase(sheets_.begin() + active_);
    if (active_ == SheetCount()) --active_;
}

}  // namespace tabulizer::sheet
