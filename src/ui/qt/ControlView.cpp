#include "ui/qt/ControlView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "ui/qt/EventHook.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"

namespace tabulizer::qt {

namespace {

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsLeftRelease(const QEvent* event) {
    return event->type() == QEvent::MouseButtonRelease &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

}  // namespace

ControlView::ControlView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : model_(model), dispatcher_(dispatcher), zoom_(zoom) {
    widget_ = CreateWidget(parent);
    widget_->setObjectName(ToQt(model_.Name()));
    ConnectSignals();
    Sync();
}

QWidget* ControlView::CreateWidget(QWidget* parent) {
    switch (model_.Kind()) {
    case ui::ControlKind::Button: return new QPushButton(parent);
    case ui::ControlKind::CheckBox: return new QCheckBox(parent);
    case ui::ControlKind::OptionButton: return new QRadioButton(parent);
    case ui::ControlKind::Panel: return new QGroupBox(parent);
    case ui::ControlKind::ProgressBar: return new QProgressBar(parent);
    case ui::ControlKind::TextBox:
        if (model_.MultiLine) {
            // Multi-line for a prompt on two lines, not for tabs: Tab moves the focus.
            auto* edit = new QPlainTextEdit(parent);
            edit->setTabChangesFocus(true);
            return edit;
        }
        return new QLineEdit(parent);
    case ui::ControlKind::Label:
    case ui::ControlKind::Picture:
    case ui::ControlKind::ListView:
    case ui::ControlKind::ComboBox:
    case ui::ControlKind::UpDown: break;
    }
    auto* label = new QLabel(parent);
    label->setWordWrap(model_.Kind() == ui::ControlKind::Label);
    return label;
}

void ControlView::ConnectSignals() {
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [this] {
            if (!detached_) dispatcher_.Forward([this] { model_.Click(); });
        });
    } else if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        // textEdited comes from the user only, never from setText.
        QObject::connect(line, &QLineEdit::textEdited, line, [this](const QString& text) { UserEdited(text); });
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit] {
            if (!dispatcher_.Syncing()) UserEdited(edit->toPlainText());
        });
    }
    auto* hook = new EventHook(widget_, [this](QObject*, QEvent* event) { return FilterInput(event); });
    widget_->installEventFilter(hook);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) edit->viewport()->installEventFilter(hook);
}

// Enter in a text box is the model's "Enter" and inserts nothing; a click on a
// text box, label or picture is the model's click; gaining focus by the user
// (mouse, Tab, a window coming back) is the model's focus, with its handler.
bool ControlView::FilterInput(QEvent* event) {
    if (detached_) return false;
    const bool textBox = model_.Kind() == ui::ControlKind::TextBox;
    if (textBox && IsEnterKey(event)) {
        dispatcher_.Forward([this] { model_.PressEnter(); });
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        // The handler runs before the widget takes the focus event, so that a
        // prompt it clears is gone before the first key reaches the box.
        if (!dispatcher_.Syncing()) dispatcher_.Forward([this] { model_.SetFocus(); });
        return false;
    }
    if (IsLeftRelease(event) && qobject_cast<QAbstractButton*>(widget_) == nullptr &&
        model_.Kind() != ui::ControlKind::Panel) {
        dispatcher_.Forward([this] { model_.Click(); });
    }
    return false;
}

void ControlView::UserEdited(const QString& widgetText) {
    if (detached_) return;
    if (ToDisplay(model_.Text()) == widgetText) return;
    dispatcher_.Forward([this, text = FromDisplay(widgetText)] { model_.SetText(text); });
}

void ControlView::Sync() {
    SyncCommon();
    SyncGeometry();
    SyncContent();
}

void ControlView::SyncCommon() {
    if (widget_->isHidden() == model_.Visible) widget_->setVisible(model_.Visible);
    if (widget_->testAttribute(Qt::WA_Disabled) == model_.Enabled) widget_->setEnabled(model_.Enabled);
    const QString tip = ToQt(model_.ToolTip);
    if (widget_->toolTip() != tip) widget_->setToolTip(tip);
    const QString name = ToDisplay(model_.SpokenName());
    if (widget_->accessibleName() != name) widget_->setAccessibleName(name);
}

void ControlView::SyncGeometry() {
    const ui::Rect& g = model_.Geometry;
    const QSize hint = widget_->sizeHint();
    // A control the logic gave no size to keeps the size its content needs.
    const QRect wanted(ToPixels(g.Left, zoom_), ToPixels(g.Top, zoom_),
                       g.Width > 0 ? ToPixels(g.Width, zoom_) : hint.width(),
                       g.Height > 0 ? ToPixels(g.Height, zoom_) : hint.height());
    if (widget_->geometry() != wanted) widget_->setGeometry(wanted);
}

void ControlView::SyncContent() {
    switch (model_.Kind()) {
    case ui::ControlKind::Button:
        SyncButtonText(static_cast<QAbstractButton*>(widget_));
        SyncPicture();
        SyncIconSize(static_cast<QAbstractButton*>(widget_));
        return;
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
        SyncButtonText(static_cast<QAbstractButton*>(widget_));
        SyncCheck(static_cast<QAbstractButton*>(widget_));
        return;
    case ui::ControlKind::TextBox: SyncText(); return;
    case ui::ControlKind::Panel: {
        auto* panel = static_cast<QGroupBox*>(widget_);
        const QString title = ToQt(model_.Caption);
        if (panel->title() != title) panel->setTitle(title);
        return;
    }
    case ui::ControlKind::Label: {
        auto* label = static_cast<QLabel*>(widget_);
        const QString text = ToDisplay(model_.Caption);
        if (label->text() != text) label->setText(text);
        return;
    }
    case ui::ControlKind::Picture: SyncPicture(); return;
    case ui::ControlKind::ProgressBar: SyncProgress(static_cast<QProgressBar*>(widget_)); return;
    case ui::ControlKind::ListView:
    case ui::ControlKind::ComboBox:
    case ui::ControlKind::UpDown: return;  // not drawn yet
    }
}

// An empty range is Qt's busy bar, which moves without telling a share.
void ControlView::SyncProgress(QProgressBar* bar) {
    const int maximum = model_.Value == ui::Control::kBusy ? 0 : 100;
    if (bar->maximum() != maximum) bar->setRange(0, maximum);
    if (maximum != 0 && bar->value() != model_.Value) bar->setValue(model_.Value);
}

void ControlView::SyncButtonText(QAbstractButton* button) {
    const QString text = ToDisplay(model_.Caption);
    if (button->text() != text) button->setText(text);
}

// Options stay auto-exclusive, which is what makes them radio buttons to Qt's
// accessibility and to the arrow keys. Qt would refuse to switch off the last
// option of a group, which the model may do, so the value is set past that rule.
void ControlView::SyncCheck(QAbstractButton* button) {
    const bool checked = model_.Value != 0;
    if (button->isChecked() == checked) return;
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

void ControlView::SyncText() {
    const QString text = ToDisplay(model_.Text());
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        if (line->text() != text) line->setText(text);
        if (line->isReadOnly() != model_.ReadOnly) line->setReadOnly(model_.ReadOnly);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        if (edit->toPlainText() != text) edit->setPlainText(text);
        if (edit->isReadOnly() != model_.ReadOnly) edit->setReadOnly(model_.ReadOnly);
    }
}

void ControlView::SyncPicture() {
    if (picture_ == model_.Picture) return;
    picture_ = model_.Picture;
    const QPixmap picture = LoadPicture(picture_);
    pictureSize_ = picture.size();
    if (auto* button = qobject_cast<QPushButton*>(widget_)) {
        button->setIcon(QIcon(picture));
    } else if (auto* label = qobject_cast<QLabel*>(widget_)) {
        label->setPixmap(picture);
    }
}

// A picture larger than its button is shrunk to fit inside the button's frame.
void ControlView::SyncIconSize(QAbstractButton* button) {
    if (pictureSize_.isEmpty()) return;
    constexpr int kFrame = 6;
    const QSize room = (button->size() - QSize(kFrame, kFrame)).expandedTo(QSize(1, 1));
    const QSize wanted = pictureSize_.boundedTo(room) == pictureSize_
                             ? pictureSize_
                             : pictureSize_.scaled(room, Qt::KeepAspectRatio);
    if (button->iconSize() != wanted) button->setIconSize(wanted);
}

}  // namespace tabulizer::qt
