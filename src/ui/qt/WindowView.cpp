#include "ui/qt/WindowView.h"

#include <algorithm>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

#include "ui/Host.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/Placement.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"

namespace tabulizer::qt {

namespace {

constexpr int kMargin = 8;  // around the controls of a window the logic gave no size

// A smaller window gets a smaller font, so that texts keep to their controls.
QFont Zoomed(QFont font, double zoom) {
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * zoom);
    else if (font.pixelSize() > 0) font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * zoom)));
    return font;
}

}  // namespace

// The zoom is decided once, before the controls are made: a window laid out for a
// larger screen (or a larger scale factor) is drawn smaller as a whole.
WindowView::WindowView(ui::Window& model, Dispatcher& dispatcher)
    : QWidget(nullptr), model_(model), dispatcher_(dispatcher) {
    setObjectName(ToQt(model_.Name()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize laidOut(ToPixels(model_.Geometry.Width), ToPixels(model_.Geometry.Height));
        zoom_ = FittingZoom(laidOut, screen->availableGeometry(), kFrameAllowance);
    }
    if (zoom_ < 1.0) setFont(Zoomed(font(), zoom_));
    for (ui::Control* control : model_.Controls()) Build(*control);
    // Esc anywhere in the window is the window's; one without a handler ignores it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, this, [this] {
        if (!detached_ && model_.OnEscape) dispatcher_.Forward([this] { if (model_.OnEscape) model_.OnEscape(); });
    });
    Sync();
}

WindowView::~WindowView() {
    // The widgets go first, while the views whose functions their signals call
    // still exist.
    for (QObject* child : children())
        if (child->isWidgetType()) delete child;
}

ControlView* WindowView::ViewOf(const ui::Control* control) const {
    for (const auto& view : controls_)
        if (&view->Model() == control) return view.get();
    return nullptr;
}

// A control lives inside its panel, so the panel's widget is made first, whatever
// the order in which the logic declared them.
ControlView& WindowView::Build(ui::Control& control) {
    if (ControlView* existing = ViewOf(&control)) return *existing;
    QWidget* parent = this;
    if (control.Parent() != nullptr) parent = Build(*control.Parent()).Widget();
    controls_.push_back(MakeView(control, parent, dispatcher_, zoom_));
    return *controls_.back();
}

QWidget* WindowView::WidgetOf(const ui::Control& control) const {
    ControlView* view = ViewOf(&control);
    return view != nullptr ? view->Widget() : nullptr;
}

void WindowView::Sync() {
    SyncFrame();
    SyncRoom();
    for (const auto& view : controls_) view->Sync();
    SyncFocus();
}

void WindowView::Detach() {
    for (const auto& view : controls_) view->Detach();
    detached_ = true;
}

void WindowView::SyncFrame() {
    const QString caption = ToQt(model_.Caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (background_ != model_.BackgroundPicture) {
        background_ = model_.BackgroundPicture;
        backgroundPicture_ = LoadPicture(background_);
        update();
    }
    QSize wanted(ToPixels(model_.Geometry.Width, zoom_), ToPixels(model_.Geometry.Height, zoom_));
    if (wanted.isEmpty()) wanted = childrenRect().marginsAdded(QMargins(0, 0, kMargin, kMargin)).size();
    if (model_.Stretch == nullptr) {
        // The controls stand where the logic put them: a larger window would only
        // add empty space, a smaller one hide them.
        if (size() != wanted || minimumSize() != maximumSize()) setFixedSize(wanted);
    } else if (wanted != base_) {
        // What the user added to the window stays added when the logic resizes it.
        const QSize added = base_.isValid() ? (size() - base_).expandedTo(QSize(0, 0)) : QSize(0, 0);
        base_ = wanted;
        setMinimumSize(wanted);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (!isMaximized() && !isFullScreen()) resize(wanted + added);
    }
    if (isVisible() && size() != shown_) KeepOnScreen();
    shown_ = size();
}

// A window that grew while shown (the help of another step) stays on its screen.
void WindowView::KeepOnScreen() {
    const QScreen* at = screen();
    if (at == nullptr || isMaximized()) return;
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                           frame.bottom() - inner.bottom());
    const QRect now(frame.topLeft(), size().grownBy(margins));
    const QPoint inside = CentredOver(size(), margins, now, at->availableGeometry());
    if (inside != frame.topLeft()) move(inside);
}

// The stretching control takes what the window has beyond the model's size; the
// controls beyond it keep their distance to its edges.
void WindowView::SyncRoom() {
    if (model_.Stretch == nullptr || !base_.isValid()) return;
    const QSize added = (size() - base_).expandedTo(QSize(0, 0));
    const ui::Rect& s = model_.Stretch->Geometry;
    for (const auto& view : controls_) {
        const ui::Control& control = view->Model();
        if (control.Parent() != nullptr) continue;
        const ui::Rect& g = control.Geometry;
        if (&control == model_.Stretch) {
            view->SetRoom({}, added);
            continue;
        }
        const int dx = g.Left >= s.Left + s.Width ? added.width() : 0;
        const int dy = g.Top + g.Height >= s.Top + s.Height ? added.height() : 0;
        view->SetRoom(QPoint(dx, dy), QSize(0, 0));
    }
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SyncRoom();
}

// The model's focus wins over whatever Qt chose while the widgets changed; the
// user's own focus moves reach the model as they happen.
void WindowView::SyncFocus() {
    ControlView* view = ViewOf(model_.Focus());
    if (view == nullptr || !isVisible()) return;
    QWidget* widget = view->Widget();
    if (widget->isVisible() && widget->isEnabled() && focusWidget() != widget) widget->setFocus();
}

void WindowView::closeEvent(QCloseEvent* event) {
    // The logic decides what closing means; the host hides or unloads the window.
    event->ignore();
    if (detached_) return;
    dispatcher_.Forward([this] {
        if (!model_.OnClose) throw ui::ProgramExit{0};
        model_.OnClose();
    });
}

void WindowView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (backgroundPicture_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF drawn = QSizeF(backgroundPicture_.deviceIndependentSize()) * zoom_;
    painter.drawPixmap(QRectF(QPointF(0, 0), drawn), backgroundPicture_, QRectF(backgroundPicture_.rect()));
}

}  // namespace tabulizer::qt
