#pragma once
// The Host of the window logic under Qt: message boxes and file dialogs, one
// widget per window model, and the one guarded path from widget events to the
// models. Ending the program (ProgramExit) closes the windows and leaves the
// event loop with the status.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QMargins>
#include <QRect>

#include "ui/Controls.h"
#include "ui/Host.h"
#include "ui/qt/Dispatcher.h"

class QWidget;

namespace tabulizer::qt {

class WindowView;

class QtHost : public ui::Host, public Dispatcher {
public:
    // What a modal dialog would ask of the user; tests put answers in their place.
    using MessageHook = std::function<ui::Answer(const std::string& text, ui::Buttons, ui::Icon)>;
    using FileHook = std::function<std::string(const std::string& title, const std::string& filter, bool save)>;
    using FontHook = std::function<std::optional<ui::FontChoice>(const ui::FontChoice& initial)>;

    QtHost();
    ~QtHost() override;

    void SetMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
    void SetFileHook(FileHook hook) { fileHook_ = std::move(hook); }
    void SetFontHook(FontHook hook) { fontHook_ = std::move(hook); }

    // `window` opens beside the window shown when it opens (help, options), not
    // over it as a window that replaces another does.
    void StandBeside(const ui::Window& window) { beside_.insert(&window); }

    // Runs `start` (which creates and shows the first window) and then the event
    // loop until the program ends; returns the exit status.
    int Run(const std::function<void()>& start);

    // The status the program ends with, once a handler has ended it.
    std::optional<int> ExitStatus() const { return exitStatus_; }
    // The widgets of a window model (nullptr before its first Show or after Unload).
    QWidget* WidgetOf(const ui::Window& window) const;
    QWidget* WidgetOf(const ui::Control& control) const;

    ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon) override;
    std::string OpenFileDialog(std::string_view title, std::string_view filter) override;
    std::string SaveFileDialog(std::string_view title, std::string_view filter) override;
    std::optional<ui::FontChoice> FontDialog(const ui::FontChoice& initial) override;
    void Show(ui::Window& window) override;
    void Hide(ui::Window& window) override;
    void Unload(ui::Window& window) override;
    void ProcessEvents() override;
    bool OpenInDesktop(const std::string& path) override;

    void Forward(const std::function<void()>& action) override;
    bool Syncing() const override { return syncing_; }

private:
    WindowView* Find(const ui::Window& window) const;
    WindowView& ViewFor(ui::Window& window);
    QPoint Place(WindowView& view);
    void Remember(const WindowView& view);
    void SyncShown();
    void CloseAndExit(int status);
    void ReportUnexpected(const std::string& what);
    void ThrowIfEnding() const;

    MessageHook messageHook_;
    FileHook fileHook_;
    FontHook fontHook_;
    std::map<const ui::Window*, std::unique_ptr<WindowView>> views_;
    std::optional<int> exitStatus_;
    QRect lastFrame_;     // where the window hidden last stood, frame included
    QMargins frame_;      // the window manager's frame, once a shown window has one
    std::set<const ui::Window*> beside_;
    bool syncing_ = false;
};

}  // namespace tabulizer::qt
