#include "ui/qt/ChoiceViews.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "ui/qt/QtText.h"

namespace tabulizer::qt {

namespace {

// A spin box whose steps are the model's: it moves only when the model says so,
// and its own text field is hidden behind the arrows.
class ArrowsOnly : public QSpinBox {
public:
    ArrowsOnly(ui::UpDown& model, QWidget* parent, std::function<void(std::function<void()>)> forward)
        : QSpinBox(parent), model_(model), forward_(std::move(forward)) {
        lineEdit()->hide();
        setFocusPolicy(Qt::StrongFocus);
    }

    void stepBy(int steps) override {
        forward_([this, steps] { model_.Spin(steps < 0 ? -1 : 1); });
    }

protected:
    StepEnabled stepEnabled() const override {
        if (!isEnabled()) return StepNone;
        StepEnabled enabled = StepNone;
        if (model_.Position() > model_.Min()) enabled |= StepDownEnabled;
        if (model_.Position() < model_.Max()) enabled |= StepUpEnabled;
        return enabled;
    }

private:
    ui::UpDown& model_;
    std::function<void(std::function<void()>)> forward_;
};

}  // namespace

ComboView::ComboView(ui::ComboBox& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, new QComboBox(parent), dispatcher, zoom), combo_(model), box_(static_cast<QComboBox*>(Widget())) {}

void ComboView::Connect() {
    // activated comes from the user only, also for the entry already selected.
    QObject::connect(box_, &QComboBox::activated, box_,
                     [this](int index) { Forward([this, index] { combo_.Choose(index); }); });
}

void ComboView::SyncContent() {
    QStringList entries;
    for (const std::string& entry : combo_.Entries()) entries << ToQt(entry);
    QStringList shown;
    for (int i = 0; i < box_->count(); ++i) shown << box_->itemText(i);
    if (shown != entries) {
        box_->clear();
        box_->addItems(entries);
    }
    if (box_->currentIndex() != combo_.ListIndex()) box_->setCurrentIndex(combo_.ListIndex());
}

SpinView::SpinView(ui::UpDown& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, new ArrowsOnly(model, parent, [this](std::function<void()> act) { Forward(act); }),
                  dispatcher, zoom),
      spin_(model) {}

// The widget keeps the model's range and value for its accessibility and arrows.
void SpinView::SyncContent() {
    auto* box = static_cast<QSpinBox*>(Widget());
    if (box->minimum() != spin_.Min() || box->maximum() != spin_.Max()) box->setRange(spin_.Min(), spin_.Max());
    if (box->singleStep() != spin_.Increment()) box->setSingleStep(spin_.Increment());
    if (box->value() != spin_.Position()) box->setValue(spin_.Position());
    box->update();
}

}  // namespace tabulizer::qt
