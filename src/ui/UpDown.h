#pragma once
// A spin (up-down) control bound to a text box: its value stays within Min..Max,
// moves by Increment, and is written into the bound box as a plain number. Every
// change of the value, by the logic or by the user, runs OnChange.
#include <string>

#include "ui/Controls.h"

namespace tabulizer::ui {

class UpDown : public Control {
public:
    UpDown(Window& owner, std::string name, Control* buddy, Control* parent = nullptr);

    Control* Buddy() const { return buddy_; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }
    // Sets the range; the value is brought into it.
    void SetRange(int min, int max, int increment = 1);

    int Position() const { return position_; }
    // Clamped into Min..Max; writes the bound box; OnChange when the value moved.
    void SetPosition(int value);

    // What a front end calls for the arrows: one Increment up (+1) or down (-1).
    void Spin(int direction);

private:
    Control* buddy_;
    int min_ = 0;
    int max_ = 10;
    int increment_ = 1;
    int position_ = 0;
};

}  // namespace tabulizer::ui
