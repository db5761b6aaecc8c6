#include "artwork.h"

namespace skarde::gui {

QPixmap programPicture() {
    return QPixmap(QStringLiteral(":/artwork/picture.bmp"));
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/artwork/skardetools.ico"));
}

QIcon volExtractorIcon() {
    return QIcon(QStringLiteral(":/artwork/volextract.ico"));
}

} // namespace skarde::gui
