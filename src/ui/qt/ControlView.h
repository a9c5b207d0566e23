#pragma once
// The widget that shows one control model, and the forwarding of its user events
// (click, Enter, typing, focus) back to the model.
#include <QWidget>
#include <string>

#include "ui/Controls.h"
#include "ui/qt/Dispatcher.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;

namespace tabulizer::qt {

class ControlView {
public:
    // `parent` is the window widget, or the widget of the control's panel; `zoom`
    // is the window's (below 1 when the window is drawn smaller to fit the screen).
    ControlView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher, double zoom = 1.0);
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    ui::Control& Model() const { return model_; }
    QWidget* Widget() const { return widget_; }

    // Sets every property of the widget from the model; touches only what differs,
    // so that a cursor or a selection survives an unrelated change.
    void Sync();
    // The window is going away: its widget's events no longer reach the model,
    // which the logic may already have destroyed.
    void Detach() { detached_ = true; }

private:
    QWidget* CreateWidget(QWidget* parent);
    void ConnectSignals();
    bool FilterInput(QEvent* event);
    void UserEdited(const QString& widgetText);

    void SyncCommon();
    void SyncGeometry();
    void SyncContent();
    void SyncButtonText(QAbstractButton* button);
    void SyncCheck(QAbstractButton* button);
    void SyncText();
    void SyncPicture();
    void SyncIconSize(QAbstractButton* button);
    void SyncProgress(QProgressBar* bar);

    ui::Control& model_;
    Dispatcher& dispatcher_;
    QWidget* widget_ = nullptr;  // owned by its Qt parent
    std::string picture_;        // the picture name last loaded into the widget
    QSize pictureSize_;          // its natural size
    double zoom_;
    bool detached_ = false;
};

}  // namespace tabulizer::qt
