#pragma once
// The top-level widget that shows one window model with all its controls.
#include <QPixmap>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/qt/ControlView.h"
#include "ui/qt/Dispatcher.h"

namespace tabulizer::qt {

class WindowView : public QWidget {
public:
    WindowView(ui::Window& model, Dispatcher& dispatcher);
    ~WindowView() override;

    ui::Window& Model() const { return model_; }
    // The widget of a control of this window, or nullptr.
    QWidget* WidgetOf(const ui::Control& control) const;

    // Caption, size, background and every control from the model, then the focus.
    void Sync();
    // Cuts the widgets off from the models before the window is deleted later.
    void Detach();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ControlView* ViewOf(const ui::Control* control) const;
    ControlView& Build(ui::Control& control);
    void SyncFrame();
    void SyncFocus();
    void SyncRoom();
    void KeepOnScreen();

    ui::Window& model_;
    Dispatcher& dispatcher_;
    std::vector<std::unique_ptr<ControlView>> controls_;
    std::string background_;
    QPixmap backgroundPicture_;
    QSize base_;   // the size the model gives, in pixels
    QSize shown_;  // the size at the last sync
    double zoom_ = 1.0;  // below 1 when the window is drawn smaller to fit the screen
    bool detached_ = false;
};

}  // namespace tabulizer::qt
