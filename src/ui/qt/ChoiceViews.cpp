#include "ui/qt/ChoiceViews.h"

#include <QComboBox>
#include <QLineEdit>
#include <QEvent>
#include <QSpinBox>
#include <utility>

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

// A new entry is the user's choice, whoever selected it (the list, the keyboard,
// assistive technology); the entry already selected picked again from the list is
// a choice too, which only `activated` tells.
void ComboView::Connect() {
    QObject::connect(box_, &QComboBox::currentIndexChanged, box_, [this](int index) {
        if (Syncing() || index == combo_.ListIndex()) return;
        changed_ = true;
        Forward([this, index] { combo_.Choose(index); });
    });
    QObject::connect(box_, &QComboBox::activated, box_, [this](int index) {
        if (std::exchange(changed_, false)) return;
        Forward([this, index] { combo_.Choose(index); });
    });
}

// A choice begins with a press of the mouse or a key: what was left of an earlier
// change without a choice is forgotten.
bool ComboView::FilterInput(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) changed_ = false;
    return ControlView::FilterInput(watched, event);
}

// The selection is compared on every sync: a choice the model refused is undone.
void ComboView::SyncLook() {
    if (box_->count() == static_cast<int>(combo_.Entries().size()) && box_->currentIndex() != combo_.ListIndex())
        box_->setCurrentIndex(combo_.ListIndex());
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

// The arrows step through the model; a value set directly (assistive technology
// sets the value itself) is the model's new position, as if stepped there.
void SpinView::Connect() {
    auto* box = static_cast<QSpinBox*>(Widget());
    QObject::connect(box, &QSpinBox::valueChanged, box, [this](int value) {
        if (Syncing() || value == spin_.Position()) return;
        Forward([this, value] {
            if (spin_.Enabled) spin_.SetPosition(value);
        });
    });
}

// The widget keeps the model's range and value for its accessibility and arrows,
// compared on every sync: a value the model refused or clamped is put right.
void SpinView::SyncLook() {
    auto* box = static_cast<QSpinBox*>(Widget());
    if (box->minimum() != spin_.Min() || box->maximum() != spin_.Max()) box->setRange(spin_.Min(), spin_.Max());
    if (box->singleStep() != spin_.Increment()) box->setSingleStep(spin_.Increment());
    if (box->value() != spin_.Position()) box->setValue(spin_.Position());
}

// The arrows enabled follow the position.
void SpinView::SyncContent() { Widget()->update(); }

}  // namespace tabulizer::qt
