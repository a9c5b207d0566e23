#include "ui/qt/Pictures.h"

#include <QFileInfo>

#include "ui/qt/QtText.h"

// The resources live in a static library, whose registration object the linker
// would drop because nothing refers to it; registering them by hand keeps them.
// Q_INIT_RESOURCE has to be used outside any namespace.
static void RegisterPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace tabulizer::qt {

namespace {

void EnsureRegistered() {
    static const bool registered = (RegisterPictureResources(), true);
    (void)registered;
}

QString ResourcePath(const QString& name) {
    if (name.startsWith(QLatin1String(":/")) || QFileInfo(name).isAbsolute()) return name;
    QString path = QLatin1String(":/pictures/") + name;
    if (QFileInfo(name).suffix().isEmpty()) path += QLatin1String(".png");
    return path;
}

}  // namespace

QPixmap LoadPicture(const std::string& name) {
    if (name.empty()) return {};
    EnsureRegistered();
    const QString qname = ToQt(name);
    QPixmap picture(ResourcePath(qname));
    if (picture.isNull()) picture.load(qname);  // a path relative to the working folder
    return picture;
}

}  // namespace tabulizer::qt
