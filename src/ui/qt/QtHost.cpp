#include "ui/qt/QtHost.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <exception>
#include <vector>

#include "ui/qt/Placement.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WindowView.h"

namespace tabulizer::qt {

namespace {

constexpr int kUnexpectedFailureStatus = 70;

// Marks the widgets as being set from the models for as long as it lives.
class SyncScope {
public:
    explicit SyncScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~SyncScope() { flag_ = previous_; }
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

QtHost::QtHost() : messageHook_(AskUser), fileHook_(ChooseFile), fontHook_(ChooseFont) {}

QtHost::~QtHost() = default;

int QtHost::Run(const std::function<void()>& start) {
    Forward(start);
    if (exitStatus_) return *exitStatus_;
    const int status = QApplication::exec();
    return exitStatus_.value_or(status);
}

WindowView* QtHost::Find(const ui::Window& window) const {
    auto found = views_.find(&window);
    return found != views_.end() ? found->second.get() : nullptr;
}

// A window's widget is made the first time the window is shown.
WindowView& QtHost::ViewFor(ui::Window& window) {
    if (WindowView* view = Find(window)) return *view;
    SyncScope scope(syncing_);
    auto view = std::make_unique<WindowView>(window, *this);
    WindowView& made = *view;
    views_.emplace(&window, std::move(view));
    return made;
}

QWidget* QtHost::WidgetOf(const ui::Window& window) const { return Find(window); }

std::optional<ui::FontChoice> QtHost::FontDialog(const ui::FontChoice& initial) {
    ThrowIfEnding();
    std::optional<ui::FontChoice> choice = fontHook_(initial);
    ThrowIfEnding();
    return choice;
}

QWidget* QtHost::WidgetOf(const ui::Control& control) const {
    WindowView* view = Find(control.Owner());
    return view != nullptr ? view->WidgetOf(control) : nullptr;
}

// A modal dialog runs its own event loop, in which a handler may end the program;
// the end is carried on here, outside Qt, as the ProgramExit the caller expects.
ui::Answer QtHost::MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon) {
    ThrowIfEnding();
    const ui::Answer answer = messageHook_(std::string(text), buttons, icon);
    ThrowIfEnding();
    return answer;
}

std::string QtHost::OpenFileDialog(std::string_view title, std::string_view filter) {
    ThrowIfEnding();
    std::string path = fileHook_(std::string(title), std::string(filter), false);
    ThrowIfEnding();
    return path;
}

std::string QtHost::SaveFileDialog(std::string_view title, std::string_view filter) {
    ThrowIfEnding();
    std::string path = fileHook_(std::string(title), std::string(filter), true);
    ThrowIfEnding();
    return path;
}

void QtHost::Show(ui::Window& window) {
    WindowView& view = ViewFor(window);
    window.Visible = true;
    SyncScope scope(syncing_);
    const bool opening = !view.isVisible();
    const QPoint place = opening ? Place(view) : view.pos();
    if (window.Minimized) {
        view.showMinimized();
    } else {
        view.show();
        view.activateWindow();
    }
    // Some platforms forget a position given before the window first shows.
    if (opening && view.pos() != place) view.move(place);
    view.Sync();
}

void QtHost::Hide(ui::Window& window) {
    window.Visible = false;
    if (WindowView* view = Find(window)) {
        Remember(*view);
        view->hide();
    }
}

// A window opens centred over the window it replaces: one still shown (the active
// one first), else the one hidden last; the first window of all on the screen. A
// secondary window (help, options) opens beside the main window still shown, clear
// of the other secondary windows.
QPoint QtHost::Place(WindowView& view) {
    const bool secondary = beside_.count(&view.Model()) != 0;
    QRect anchor = lastFrame_;
    bool shown = false;
    std::vector<QRect> others;
    for (const auto& [window, other] : views_) {
        if (other.get() == &view || !other->isVisible()) continue;
        if (secondary && beside_.count(window) != 0) {
            others.push_back(other->frameGeometry());
            continue;
        }
        Remember(*other);
        anchor = lastFrame_;
        shown = true;
        if (other->isActiveWindow()) break;
    }
    const QScreen* screen = anchor.isNull() ? nullptr : QGuiApplication::screenAt(anchor.center());
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return view.pos();
    const QRect available = screen->availableGeometry();
    if (anchor.isNull()) anchor = available;
    const QPoint place = secondary && shown ? BesideOf(view.size(), frame_, anchor, available, others)
                                            : CentredOver(view.size(), frame_, anchor, available);
    view.move(place);
    return place;
}

void QtHost::Remember(const WindowView& view) {
    if (!view.isVisible()) return;
    const QRect outer = view.frameGeometry();
    const QRect inner = view.geometry();
    lastFrame_ = outer;
    frame_ = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                      outer.bottom() - inner.bottom());
}

// The widget may be inside the call of one of its own buttons, so it is deleted
// once control is back in the event loop; it is cut off from the model at once.
void QtHost::Unload(ui::Window& window) {
    window.Visible = false;
    auto found = views_.find(&window);
    if (found == views_.end()) return;
    WindowView* view = found->second.release();
    views_.erase(found);
    view->Detach();
    Remember(*view);
    view->hide();
    view->deleteLater();
}

void QtHost::ProcessEvents() {
    SyncShown();
    QCoreApplication::processEvents();
    ThrowIfEnding();
}

bool QtHost::OpenInDesktop(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(path)));
}

void QtHost::Forward(const std::function<void()>& action) {
    if (exitStatus_) return;  // the program is ending: nothing more reaches the logic
    try {
        action();
    } catch (const ui::ProgramExit& exit) {
        CloseAndExit(exit.status);
    } catch (const std::exception& failure) {
        ReportUnexpected(failure.what());
    } catch (...) {
        ReportUnexpected("неизвестная ошибка");
    }
    if (!exitStatus_) SyncShown();
}

// A window that changed its size (the editor growing for its side panels, the
// help of another step) may now stand over a window beside it: those are placed
// beside it again.
void QtHost::SyncShown() {
    SyncScope scope(syncing_);
    bool resized = false;
    for (auto& [window, view] : views_) {
        if (!window->Visible) continue;
        const QSize before = view->size();
        view->Sync();
        resized = resized || view->size() != before;
    }
    if (!resized) return;
    for (auto& [window, view] : views_)
        if (window->Visible && view->isVisible() && beside_.count(window) != 0) Place(*view);
}

// The first status wins: a nested handler that ended the program makes the outer
// ones end too, with the same status.
void QtHost::CloseAndExit(int status) {
    if (!exitStatus_) exitStatus_ = status;
    for (auto& [window, view] : views_) view->hide();
    QCoreApplication::exit(*exitStatus_);
}

void QtHost::ReportUnexpected(const std::string& what) {
    exitStatus_ = kUnexpectedFailureStatus;  // no other event reaches the logic meanwhile
    try {
        messageHook_("Внутренняя ошибка программы:\n" + what, ui::Buttons::Ok, ui::Icon::Critical);
    } catch (...) {
        // The program ends all the same; nothing may escape into the event loop.
    }
    CloseAndExit(kUnexpectedFailureStatus);
}

void QtHost::ThrowIfEnding() const {
    if (exitStatus_) throw ui::ProgramExit{*exitStatus_};
}

}  // namespace tabulizer::qt
