#include "ui/qt/QtMain.h"

#include <QApplication>

namespace tabulizer::qt {
int RunWindows(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
}  // namespace tabulizer::qt
