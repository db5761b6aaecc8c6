#include "bookmarksettings.h"

#include "bookmarks.h"
#include "widgets/qtpaths.h"

#include <QSettings>
#include <QUrl>

namespace skarde::gui {
namespace {

bool isWebAddress(const QString& text) {
    const QUrl address(text, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    return address.isValid() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !address.host().isEmpty();
}

QString storedText(QSettings& settings, const QString& key) {
    return settings.value(key).toString().trimmed();
}

} // namespace

std::vector<ConfiguredBookmark> readBookmarks(QSettings& settings) {
    std::vector<ConfiguredBookmark> bookmarks;
    for (const Bookmark& builtIn : kBookmarks) {
        ConfiguredBookmark bookmark{builtIn.number, toQString(builtIn.entryName),
                                    toQString(builtIn.caption), toQString(builtIn.address)};
        const QString number = QString::number(builtIn.number);
        const QString caption = storedText(settings, QStringLiteral("Bookmarks/Caption") + number);
        if (!caption.isEmpty()) {
            bookmark.caption = caption;
        }
        const QString address = storedText(settings, QStringLiteral("Bookmarks/Address") + number);
        if (isWebAddress(address)) {
            bookmark.address = address;
        }
        bookmarks.push_back(bookmark);
    }
    return bookmarks;
}

QString bookmarkAddress(const std::vector<ConfiguredBookmark>& bookmarks, int number) {
    for (const ConfiguredBookmark& bookmark : bookmarks) {
        if (bookmark.number == number) {
            return bookmark.address;
        }
    }
    return {};
}

QString readSearchPage(QSettings& settings) {
    const QString page = storedText(settings, QStringLiteral("Browser/SearchPage"));
    return isWebAddress(page) ? page : QString::fromLatin1(kDefaultSearchPage);
}

} // namespace skarde::gui
