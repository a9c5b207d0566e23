#pragma once
// The widget that shows one control model, and the forwarding of its user events
// back to the model. One subclass per kind of control (ControlViews.h, the list,
// combo and spin views); MakeView picks it once, when the window is built.
#include <QWidget>
#include <memory>
#include <string>

#include "ui/Controls.h"
#include "ui/qt/Dispatcher.h"

namespace tabulizer::qt {

class ControlView {
public:
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    ui::Control& Model() const { return model_; }
    QWidget* Widget() const { return widget_; }

    // Sets the widget from the model, touching only what differs, so that a cursor
    // or a selection survives an unrelated change. The plain fields (caption,
    // visibility, geometry) are compared every time; the content only when the
    // model's revision moved since the last time.
    void Sync();
    // The room the window gives beyond the model's geometry (a top-level control
    // of an enlarged window): moved by `shift`, grown by `grow`, in pixels.
    void SetRoom(QPoint shift, QSize grow);
    // The window is going away: its widget's events no longer reach the model,
    // which the logic may already have destroyed.
    void Detach() { detached_ = true; }

protected:
    // `widget` is made by the subclass with the window (or its panel) as parent.
    ControlView(ui::Control& model, QWidget* widget, Dispatcher& dispatcher, double zoom);

    // Plain fields of this kind (caption, picture): cheap, compared on every sync.
    virtual void SyncLook() {}
    // What the revision covers (text, value, list content).
    virtual void SyncContent() {}
    // The widget's own user events; the event filter covers focus and clicks.
    virtual void Connect() {}
    // An input event of the widget (or its viewport); true when consumed.
    virtual bool FilterInput(QObject* watched, QEvent* event);

    // Runs a model call for a user act, unless the window is going away or the
    // widget is only echoing the model.
    void Forward(const std::function<void()>& action);
    bool Syncing() const { return dispatcher_.Syncing(); }
    int Pixels(int twips) const;
    int Twips(int pixels) const;
    double Zoom() const { return zoom_; }
    void WatchInput(QObject* target);

private:
    friend std::unique_ptr<ControlView> MakeView(ui::Control&, QWidget*, Dispatcher&, double);
    void Start();
    void SyncCommon();
    void SyncGeometry();
    void SyncFont();

    ui::Control& model_;
    Dispatcher& dispatcher_;
    QWidget* widget_;  // owned by its Qt parent
    QObject* hook_ = nullptr;
    double zoom_;
    unsigned long revision_ = 0;
    bool synced_ = false;
    int fontSize_ = 0;
    QPoint shift_;
    QSize grow_{0, 0};
    bool detached_ = false;
};

// The view of `model`'s kind. `parent` is the window widget, or the widget of the
// control's panel; `zoom` is the window's (below 1 when drawn smaller to fit).
std::unique_ptr<ControlView> MakeView(ui::Control& model, QWidget* parent, Dispatcher& dispatcher,
                                      double zoom = 1.0);

}  // namespace tabulizer::qt
