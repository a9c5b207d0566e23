#pragma once
// The modal dialogs of the Qt host, as the user sees them.
#include <string>

#include "ui/Host.h"

namespace tabulizer::qt {

// A message box titled with the program's name; returns the button pressed.
ui::Answer AskUser(const std::string& text, ui::Buttons buttons, ui::Icon icon);
// An open or save dialog; the chosen path (UTF-8), empty when cancelled.
// `filter` is in the "Описание|*.ext" form of the window logic.
std::string ChooseFile(const std::string& title, const std::string& filter, bool save);

}  // namespace tabulizer::qt
