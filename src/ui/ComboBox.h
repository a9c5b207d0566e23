#pragma once
// A drop-down list of fixed entries. The logic selects an entry without an event;
// only the user's own choice (Choose) runs OnClick.
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace tabulizer::ui {

class ComboBox : public Control {
public:
    ComboBox(Window& owner, std::string name, Control* parent = nullptr);

    const std::vector<std::string>& Entries() const { return entries_; }
    void SetEntries(std::vector<std::string> entries);  // UTF-8; clears the selection

    // 0-based index of the selected entry; -1 = none.
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);  // no event; an index outside the entries selects none

    // What a front end calls when the user picks entry `index`: selects it and runs
    // OnClick, also when it was selected already.
    void Choose(int index);

private:
    std::vector<std::string> entries_;
    int listIndex_ = -1;
};

}  // namespace tabulizer::ui
