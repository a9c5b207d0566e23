#pragma once
// Qt's own texts (dialog buttons, file dialogs, the context menus of text boxes)
// in Russian, like the rest of the program, whatever the user's locale.
class QCoreApplication;

namespace tabulizer::qt {

// Loads Qt's Russian translation when the system has it (Debian package
// qt6-translations-l10n) and makes Russian the default locale. Returns whether
// the translation was found; the texts the program shows most are set by hand
// in its dialogs either way.
bool InstallRussianTexts(QCoreApplication& app);

}  // namespace tabulizer::qt
