#pragma once
// The views of the combo box and of the spin control bound to a text box.
#include "ui/ComboBox.h"
#include "ui/UpDown.h"
#include "ui/qt/ControlView.h"

class QComboBox;

namespace tabulizer::qt {

// Only the user's own choice reaches the model's click; the logic's selection is
// drawn without one.
class ComboView : public ControlView {
public:
    ComboView(ui::ComboBox& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void Connect() override;
    bool FilterInput(QObject* watched, QEvent* event) override;
    void SyncLook() override;
    void SyncContent() override;

    ui::ComboBox& combo_;
    QComboBox* box_;
    bool changed_ = false;  // the choice under way has already reached the model
};

// The arrows of a spin control: its number stands in the bound text box, so the
// widget shows the arrows alone and each step goes to the model.
class SpinView : public ControlView {
public:
    SpinView(ui::UpDown& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void Connect() override;
    void SyncLook() override;
    void SyncContent() override;

    ui::UpDown& spin_;
};

}  // namespace tabulizer::qt
