#pragma once
// Text at the edge between the models (UTF-8 std::string, line breaks as CR LF)
// and Qt (QString, line breaks as LF).
#include <QString>
#include <string>
#include <string_view>

namespace tabulizer::qt {

QString ToQt(std::string_view utf8);
std::string FromQt(const QString& text);

// A model text as a widget shows it: CR LF (and a lone CR) become LF.
QString ToDisplay(std::string_view modelText);
// A widget text as the model keeps it: LF becomes CR LF again.
std::string FromDisplay(const QString& widgetText);

// "Description (*.a)|*.a|Other|*.b;*.c" -> "Description (*.a);;Other (*.b *.c)".
// An empty filter stays empty, which lets a Qt file dialog show every file.
QString FilterToQt(std::string_view filter);

}  // namespace tabulizer::qt
