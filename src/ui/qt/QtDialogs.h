#pragma once
// The modal dialogs of the Qt host, as the user sees them.
#include <optional>
#include <string>

#include "ui/Host.h"

namespace tabulizer::qt {

// A message box titled with the program's name; returns the button pressed.
ui::Answer AskUser(const std::string& text, ui::Buttons buttons, ui::Icon icon);
// An open or save dialog; the chosen path (UTF-8), empty when cancelled.
// `filter` is in the "Описание|*.ext" form of the window logic.
std::string ChooseFile(const std::string& title, const std::string& filter, bool save);
// The font dialog opened on `initial`; the size as chosen (a fraction too), or
// nullopt when cancelled.
std::optional<ui::FontChoice> ChooseFont(const ui::FontChoice& initial);

}  // namespace tabulizer::qt
