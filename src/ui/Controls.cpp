#include "ui/Controls.h"

namespace tabulizer::ui {

Control::Control(Window& owner, ControlKind kind, std::string name, Control* parent)
    : owner_(owner), kind_(kind), name_(std::move(name)), parent_(parent) {
    owner_.controls_.push_back(this);
}

void Control::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Touch();
    if (OnChange) OnChange();
}

void Control::SetValue(int value) {
    if (kind_ == ControlKind::OptionButton && value != 0) {
        for (Control* other : owner_.Controls())
            if (other != this && other->kind_ == ControlKind::OptionButton && other->parent_ == parent_)
                if (other->Value != 0) {
                    other->Value = 0;
                    other->Touch();
                }
    }
    bool changed = Value != value;
    Value = value;
    if (changed) Touch();
    if (changed && OnClick) OnClick();
}

void Control::SetFocus() {
    owner_.SetFocus(this);
    if (OnFocus) OnFocus();
}
bool Control::HasFocus() const { return owner_.Focus() == this; }

void Control::Click() {
    if (!Enabled) return;
    switch (kind_) {
    case ControlKind::CheckBox: SetValue(Value ? 0 : 1); return;
    case ControlKind::OptionButton:
        if (Value) { if (OnClick) OnClick(); return; }
        SetValue(1);
        return;
    default:
        if (OnClick) OnClick();
    }
}

void Control::PressEnter() {
    if (Enabled && OnEnter) OnEnter();
}

Control* Window::Find(const std::string& name) const {
    for (Control* control : controls_)
        if (control->Name() == name) return control;
    return nullptr;
}

}  // namespace tabulizer::ui
