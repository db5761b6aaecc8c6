#include "artwork.h"

namespace skarde::gui {

QPixmap programPicture() {
    return QPixmap(QStringLiteral(":/artwork/picture.bmp"));
}

QIcon programIcon() {
    QIcon icon(QStringLiteral(":/artwork/skardetools.ico"));
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/artwork/skardetools-%1.png").arg(size));
    return icon;
}

} // namespace skarde::gui
