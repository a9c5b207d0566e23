#include "ui/qt/QtMain.h"

#include <QApplication>

#include "ui/qt/QtHost.h"
#include "ui/qt/RussianTexts.h"

namespace tabulizer::qt {

int RunWindows(int argc, char** argv, const std::function<int(QtHost&)>& program) {
    QApplication app(argc, argv);
    // The windows come and go by the logic's Show and Hide, and the program ends
    // only when the logic ends it; the last hidden window must not quit it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallRussianTexts(app);
    QtHost host;  // destroyed before the application, with all its widgets
    return program(host);
}

}  // namespace tabulizer::qt
