#include "artwork.h"

namespace skarde::gui {

QPixmap programPicture() {
    return QPixmap(QStringLiteral(":/artwork/picture.bmp"));
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/artwork/skardetools.ico"));
}

QIcon toolWindowIcon(const QString& windowName) {
    return QIcon(QStringLiteral(":/artwork/") + windowName + QStringLiteral(".ico"));
}

} // namespace skarde::gui
