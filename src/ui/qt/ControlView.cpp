#include "ui/qt/ControlView.h"

#include <QMouseEvent>
#include <cmath>

#include "ui/qt/EventHook.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"

namespace tabulizer::qt {

ControlView::ControlView(ui::Control& model, QWidget* widget, Dispatcher& dispatcher, double zoom)
    : model_(model), dispatcher_(dispatcher), widget_(widget), zoom_(zoom) {
    widget_->setObjectName(ToQt(model_.Name()));
}

// Runs once the subclass is complete: the virtual parts are theirs.
void ControlView::Start() {
    hook_ = new EventHook(widget_, [this](QObject* watched, QEvent* event) { return !detached_ && FilterInput(watched, event); });
    widget_->installEventFilter(hook_);
    Connect();
    Sync();
}

void ControlView::WatchInput(QObject* target) { target->installEventFilter(hook_); }

void ControlView::Forward(const std::function<void()>& action) {
    if (detached_ || dispatcher_.Syncing()) return;
    dispatcher_.Forward(action);
}

int ControlView::Pixels(int twips) const { return ToPixels(twips, zoom_); }

int ControlView::Twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel / zoom_));
}

// Gaining focus by the user (mouse, Tab, a window coming back) is the model's
// focus, with its handler, which runs before the widget takes the event, so that
// a prompt it clears is gone before the first key reaches the box.
bool ControlView::FilterInput(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusIn) Forward([this] { model_.SetFocus(); });
    return false;
}

void ControlView::Sync() {
    SyncCommon();
    SyncFont();
    SyncLook();
    SyncGeometry();
    if (synced_ && revision_ == model_.Revision()) return;
    synced_ = true;
    revision_ = model_.Revision();
    SyncContent();
}

void ControlView::SyncCommon() {
    if (widget_->isHidden() == model_.Visible) widget_->setVisible(model_.Visible);
    if (widget_->testAttribute(Qt::WA_Disabled) == model_.Enabled) widget_->setEnabled(model_.Enabled);
    const QString tip = ToQt(model_.ToolTip);
    if (widget_->toolTip() != tip) widget_->setToolTip(tip);
    // A picture button without a name of its own is called what its tip says.
    const QString name = ToDisplay(model_.SpokenName().empty() ? model_.ToolTip : model_.SpokenName());
    if (widget_->accessibleName() != name) widget_->setAccessibleName(name);
}

// A label or text box with a size of its own; the window's font otherwise.
void ControlView::SyncFont() {
    if (fontSize_ == model_.FontSize) return;
    fontSize_ = model_.FontSize;
    QFont font = widget_->parentWidget() != nullptr ? widget_->parentWidget()->font() : widget_->font();
    if (fontSize_ > 0) font.setPointSizeF(fontSize_ * zoom_);
    widget_->setFont(font);
}

void ControlView::SetRoom(QPoint shift, QSize grow) {
    if (shift_ == shift && grow_ == grow) return;
    shift_ = shift;
    grow_ = grow;
    SyncGeometry();
}

void ControlView::SyncGeometry() {
    const ui::Rect& g = model_.Geometry;
    const QSize hint = widget_->sizeHint();
    // A control the logic gave no size to keeps the size its content needs.
    const QRect wanted(QPoint(Pixels(g.Left), Pixels(g.Top)) + shift_,
                       QSize(g.Width > 0 ? Pixels(g.Width) : hint.width(), g.Height > 0 ? Pixels(g.Height) : hint.height()) +
                           grow_);
    if (widget_->geometry() != wanted) widget_->setGeometry(wanted);
}

}  // namespace tabulizer::qt
