#include "toolbaricons.h"

#include <QBitmap>
#include <QColor>
#include <QPixmap>

namespace skarde::gui {
namespace {

QString themeName(const QString& key) {
    static const QLatin1String names[][2] = {
        {QLatin1String("Back"), QLatin1String("go-previous")},
        {QLatin1String("Forward"), QLatin1String("go-next")},
        {QLatin1String("Stop"), QLatin1String("process-stop")},
        {QLatin1String("Refresh"), QLatin1String("view-refresh")},
        {QLatin1String("Home"), QLatin1String("go-home")},
        {QLatin1String("Search"), QLatin1String("edit-find")},
    };
    for (const auto& [button, name] : names) {
        if (key == button) {
            return name;
        }
    }
    return {};
}

} // namespace

QIcon drawnToolBarIcon(const QString& key) {
    QPixmap pixmap(QStringLiteral(":/browsericons/%1.bmp").arg(key.toLower()));
    if (pixmap.isNull()) {
        return {};
    }
    pixmap.setMask(pixmap.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
    return QIcon(pixmap);
}

QIcon toolBarIcon(const QString& key) {
    return QIcon::fromTheme(themeName(key), drawnToolBarIcon(key));
}

} // namespace skarde::gui
