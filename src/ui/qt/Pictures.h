#pragma once
// The pictures that windows and controls name by resource.
#include <QPixmap>
#include <string>

namespace tabulizer::qt {

// A picture by the name a model gives: a Qt resource (":/pictures/title.png"), a
// file path, or a bare name ("title", "forward.png") looked up among the program's
// own pictures. A null pixmap when the name is empty or nothing is found.
QPixmap LoadPicture(const std::string& name);

}  // namespace tabulizer::qt
