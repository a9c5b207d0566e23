#pragma once
// The one door through which widget events reach the window logic.
#include <functional>

namespace tabulizer::qt {

class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    // Runs a model call for a widget event. No exception leaves it (the Qt event
    // loop must never see one); afterwards every shown window is redrawn from its
    // model. Does nothing once the program is ending.
    virtual void Forward(const std::function<void()>& action) = 0;
    // True while widgets are being set from the models: the signals they emit then
    // are echoes of the models, not acts of the user, and are not forwarded.
    virtual bool Syncing() const = 0;
};

}  // namespace tabulizer::qt
