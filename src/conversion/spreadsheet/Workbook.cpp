#include "conversion/spreadsheet/Workbook.h"

#include "conversion/spreadsheet/XlsxPackage.h"

namespace tabulizer::sheet {

Workbook::Workbook(int sheetCount) {
    for (int i = 0; i < sheetCount; ++i) sheets_.push_back(NewSheet());
}

Workbook::Slot Workbook::NewSheet() {
    std::string name = "Лист" + std::to_string(++created_);
    return {std::make_unique<Sheet>(name), {}, name};
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
        left.aside = spill_.Store(*left.sheet, formats_);
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

// A sheet read back since it was put aside may have changed, and the active one is
// written as shown first: those are written now, the others copied as deflated then.
void Workbook::WriteSheets(XlsxPackage& package, SaveProgress& written) {
    spill_.FinishParts();
    for (int i = 0; i < SheetCount(); ++i) {
        const Slot& slot = sheets_[i];
        if (i != active_ && !slot.sheet && spill_.HasPart(slot.aside)) spill_.CopyPart(slot.aside, slot.name, package);
        else package.WriteSheet(*At(i), i == active_);
        written.written = i + 1;
    }
}

}  // namespace tabulizer::sheet
