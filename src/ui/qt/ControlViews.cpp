#include "ui/qt/ControlViews.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "ui/qt/Pictures.h"
#include "ui/qt/QtText.h"

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

void SetButtonText(QAbstractButton* button, const std::string& caption) {
    const QString text = ToDisplay(caption);
    if (button->text() != text) button->setText(text);
}

// Breaks a caption into lines at its spaces so that each line fits `width` pixels
// (a word longer than that gets a line of its own); a caption that fits stays as is.
QString WrapCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    if (width <= 0 || caption.contains(QLatin1Char('\n')) || metrics.horizontalAdvance(caption) <= width)
        return caption;
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines.push_back(line);
    return lines.join(QLatin1Char('\n'));
}

QWidget* MakeTextBox(const ui::Control& model, QWidget* parent) {
    if (!model.MultiLine) return new QLineEdit(parent);
    // Multi-line for a prompt on two lines, not for tabs: Tab moves the focus.
    auto* edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    return edit;
}

QAbstractButton* MakeCheck(const ui::Control& model, QWidget* parent) {
    if (model.Kind() == ui::ControlKind::OptionButton) return new QRadioButton(parent);
    return new QCheckBox(parent);
}

}  // namespace

ButtonView::ButtonView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, new QPushButton(parent), dispatcher, zoom), button_(static_cast<QPushButton*>(Widget())) {}

void ButtonView::Connect() {
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] { Forward([this] { Model().Click(); }); });
}

// A caption wider than its button goes on several lines, as a command button of
// the original windows shows it, instead of being cut at both ends.
void ButtonView::SyncLook() {
    constexpr int kPadding = 12;  // the style's frame and margins, both sides together
    const int room = Model().Geometry.Width > 0 ? Pixels(Model().Geometry.Width) - kPadding : 0;
    const QString text = WrapCaption(ToDisplay(Model().Caption), button_->fontMetrics(), room);
    if (button_->text() != text) button_->setText(text);
    SyncPicture();
    SyncIconSize();
    SyncBackColor();
}

void ButtonView::SyncPicture() {
    if (picture_ == Model().Picture) return;
    picture_ = Model().Picture;
    const QPixmap picture = LoadPicture(picture_);
    pictureSize_ = picture.size();
    button_->setIcon(QIcon(picture));
}

// A picture larger than its button is shrunk to fit inside the button's frame.
void ButtonView::SyncIconSize() {
    if (pictureSize_.isEmpty()) return;
    constexpr int kFrame = 6;
    const QSize room = (button_->size() - QSize(kFrame, kFrame)).expandedTo(QSize(1, 1));
    const QSize wanted = pictureSize_.boundedTo(room) == pictureSize_
                             ? pictureSize_
                             : pictureSize_.scaled(room, Qt::KeepAspectRatio);
    if (button_->iconSize() != wanted) button_->setIconSize(wanted);
}

// The models keep colours as 0xBBGGRR. A coloured button keeps a dark caption and
// a visible frame, so that it still reads as a button.
void ButtonView::SyncBackColor() {
    if (backColor_ == Model().BackColor) return;
    backColor_ = Model().BackColor;
    if (backColor_ == ui::kDefaultColor) {
        button_->setStyleSheet(QString());
        return;
    }
    const QColor color(backColor_ & 0xFF, (backColor_ >> 8) & 0xFF, (backColor_ >> 16) & 0xFF);
    button_->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black;"
                                          " border: 1px solid #505050; border-radius: 3px; }"
                                          " QPushButton:disabled { color: #404040; }")
                               .arg(color.name()));
}

CheckView::CheckView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, MakeCheck(model, parent), dispatcher, zoom),
      button_(static_cast<QAbstractButton*>(Widget())) {}

// Any change of the state is the model's click, whoever made it: the mouse, the
// keyboard, or assistive technology toggling the box without a click. A click that
// changed nothing (an option already on) is the model's click all the same. An
// option switched off by its group's new choice is the model's business, not a
// click of its own.
void CheckView::Connect() {
    QObject::connect(button_, &QAbstractButton::pressed, button_, [this] { toggledByClick_ = false; });
    QObject::connect(button_, &QAbstractButton::toggled, button_, [this](bool checked) {
        if (Syncing() || checked == (Model().Value != 0)) return;
        if (!checked && Model().Kind() == ui::ControlKind::OptionButton) return;
        toggledByClick_ = true;
        Forward([this] { Model().Click(); });
    });
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] {
        if (std::exchange(toggledByClick_, false)) return;
        Forward([this] { Model().Click(); });
    });
}

// Options stay auto-exclusive, which is what makes them radio buttons to Qt's
// accessibility and to the arrow keys. Qt would refuse to switch off the last
// option of a group, which the model may do, so the value is set past that rule.
// The value is compared on every sync: a click the model refused is undone here,
// after Qt has already toggled the box.
void CheckView::SyncLook() {
    SetButtonText(button_, Model().Caption);
    FitCaption();
    const bool checked = Model().Value != 0;
    if (button_->isChecked() == checked) return;
    const bool exclusive = button_->autoExclusive();
    button_->setAutoExclusive(false);
    button_->setChecked(checked);
    button_->setAutoExclusive(exclusive);
}

// A caption longer than the room the logic gave it is drawn a little smaller
// rather than cut off (down to three quarters of the window's font).
void CheckView::FitCaption() {
    const int width = Model().Geometry.Width > 0 ? Pixels(Model().Geometry.Width) : 0;
    QFont font = button_->parentWidget()->font();
    if (width > 0 && !button_->text().isEmpty()) {
        const double needed = button_->sizeHint().width() * font.pointSizeF() / button_->font().pointSizeF();
        if (needed > width) font.setPointSizeF(font.pointSizeF() * std::max(0.75, width / needed));
    }
    if (button_->font() != font) button_->setFont(font);
}

TextBoxView::TextBoxView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, MakeTextBox(model, parent), dispatcher, zoom) {}

// Every change of the text reaches the model, also one made by assistive technology
// (which sets the whole text); the model's own text comes back while syncing only.
void TextBoxView::Connect() {
    if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
        QObject::connect(line, &QLineEdit::textChanged, line, [this](const QString& text) { UserEdited(text); });
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(Widget())) {
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit] { UserEdited(edit->toPlainText()); });
        WatchInput(edit->viewport());
    }
}

// Enter is the model's "Enter"; a click on the box is the model's click.
bool TextBoxView::FilterInput(QObject* watched, QEvent* event) {
    if (IsEnterKey(event)) {
        Forward([this] { Model().PressEnter(); });
        return true;
    }
    if (IsLeftRelease(event)) Forward([this] { Model().Click(); });
    return ControlView::FilterInput(watched, event);
}

// A box that only shows its text refuses a change by putting its own text back.
void TextBoxView::UserEdited(const QString& widgetText) {
    if (ToDisplay(Model().Text()) == widgetText) return;
    Forward([this, text = FromDisplay(widgetText)] {
        if (Model().ReadOnly || !Model().Enabled) Model().Touch();
        else Model().SetText(text);
    });
}

void TextBoxView::SyncLook() {
    if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
        if (line->isReadOnly() != Model().ReadOnly) line->setReadOnly(Model().ReadOnly);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(Widget())) {
        if (edit->isReadOnly() != Model().ReadOnly) edit->setReadOnly(Model().ReadOnly);
    }
}

void TextBoxView::SyncContent() {
    const QString text = ToDisplay(Model().Text());
    if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
        if (line->text() != text) line->setText(text);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(Widget())) {
        if (edit->toPlainText() != text) edit->setPlainText(text);
    }
}

LabelView::LabelView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, new QLabel(parent), dispatcher, zoom) {
    static_cast<QLabel*>(Widget())->setWordWrap(model.Kind() == ui::ControlKind::Label);
}

bool LabelView::FilterInput(QObject* watched, QEvent* event) {
    if (IsLeftRelease(event)) Forward([this] { Model().Click(); });
    return ControlView::FilterInput(watched, event);
}

void LabelView::SyncLook() {
    auto* label = static_cast<QLabel*>(Widget());
    if (Model().Kind() == ui::ControlKind::Picture) {
        if (picture_ == Model().Picture) return;
        picture_ = Model().Picture;
        label->setPixmap(LoadPicture(picture_));
        return;
    }
    const QString text = ToDisplay(Model().Caption);
    if (label->text() != text) label->setText(text);
}

PanelView::PanelView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, new QGroupBox(parent), dispatcher, zoom) {}

void PanelView::SyncLook() {
    auto* panel = static_cast<QGroupBox*>(Widget());
    const QString title = ToQt(Model().Caption);
    if (panel->title() != title) panel->setTitle(title);
}

ProgressView::ProgressView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, new QProgressBar(parent), dispatcher, zoom) {}

// An empty range is Qt's busy bar, which moves without telling a share. The value
// is a plain field, so it is compared on every sync.
void ProgressView::SyncLook() {
    auto* bar = static_cast<QProgressBar*>(Widget());
    const int maximum = Model().Value == ui::Control::kBusy ? 0 : 100;
    if (bar->maximum() != maximum) bar->setRange(0, maximum);
    if (maximum != 0 && bar->value() != Model().Value) bar->setValue(Model().Value);
}

}  // namespace tabulizer::qt
