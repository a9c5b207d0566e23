#pragma once
// An event filter that hands the events of the widgets it watches to a function,
// so that a renderer needs no QObject subclass of its own for each kind of widget.
#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

namespace tabulizer::qt {

class EventHook : public QObject {
public:
    // Returns true when the event was consumed and the widget must not see it.
    using Handler = std::function<bool(QObject* watched, QEvent* event)>;

    EventHook(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    Handler handler_;
};

}  // namespace tabulizer::qt
