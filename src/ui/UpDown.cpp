#include "ui/UpDown.h"

#include <algorithm>

namespace tabulizer::ui {

UpDown::UpDown(Window& owner, std::string name, Control* buddy, Control* parent)
    : Control(owner, ControlKind::UpDown, std::move(name), parent), buddy_(buddy) {}

void UpDown::SetRange(int min, int max, int increment) {
    min_ = min;
    max_ = std::max(min, max);
    increment_ = std::max(1, increment);
    Touch();
    SetPosition(position_);
}

void UpDown::SetPosition(int value) {
    value = std::clamp(value, min_, max_);
    if (buddy_ != nullptr) buddy_->SetText(std::to_string(value));
    if (value == position_) return;
    position_ = value;
    Touch();
    if (OnChange) OnChange();
}

void UpDown::Spin(int direction) {
    if (!Enabled) return;
    SetPosition(position_ + (direction < 0 ? -increment_ : increment_));
}

}  // namespace tabulizer::ui
