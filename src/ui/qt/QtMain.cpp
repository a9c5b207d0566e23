#include "ui/qt/QtMain.h"

#include <QApplication>

#include "description/DocumentDescription.h"
#include "shell/frmBegin.h"
#include "ui/qt/QtHost.h"
#include "ui/qt/RussianTexts.h"

namespace tabulizer::qt {

int RunWindows(int argc, char** argv) {
    QApplication app(argc, argv);
    // The windows come and go by the logic's Show and Hide, and the program ends
    // only when the logic ends it; the last hidden window must not quit it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallRussianTexts(app);
    QtHost host;  // destroyed before the application, with all its widgets
    frmBegin start(Description(), Run(), host, std::string());
    return host.Run([&start] { start.Form_Load(); });
}

}  // namespace tabulizer::qt
