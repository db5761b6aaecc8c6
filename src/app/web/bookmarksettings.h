#pragma once

// The bookmarks and the browser's search page as the user configured them in the settings
// store: section "Bookmarks", keys "Caption1".."Caption6" and "Address1".."Address6", and
// "SearchPage" in section "Browser". A value that is absent, empty or (for an address) not an
// http or https address yields the built-in one.

#include <QString>

#include <vector>

class QSettings;

namespace skarde::gui {

struct ConfiguredBookmark {
    int number = 0;
    QString entryName;
    QString caption;
    QString address;
};

inline constexpr const char* kDefaultSearchPage = "https://duckduckgo.com/";

// In the order of the WebPages menu.
std::vector<ConfiguredBookmark> readBookmarks(QSettings& settings);
// The address of the bookmark with this number (1 to 6) among `bookmarks`.
QString bookmarkAddress(const std::vector<ConfiguredBookmark>& bookmarks, int number);
QString readSearchPage(QSettings& settings);

} // namespace skarde::gui
