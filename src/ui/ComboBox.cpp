#include "ui/ComboBox.h"

namespace tabulizer::ui {

ComboBox::ComboBox(Window& owner, std::string name, Control* parent)
    : Control(owner, ControlKind::ComboBox, std::move(name), parent) {}

void ComboBox::SetEntries(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    listIndex_ = -1;
    Touch();
}

void ComboBox::SetListIndex(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) index = -1;
    if (index == listIndex_) return;
    listIndex_ = index;
    Touch();
}

void ComboBox::Choose(int index) {
    if (!Enabled || index < 0 || index >= static_cast<int>(entries_.size())) return;
    SetListIndex(index);
    if (OnClick) OnClick();
}

}  // namespace tabulizer::ui
