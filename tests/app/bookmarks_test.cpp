#include "app/mainwindow.h"
#include "app/mainwindowgeometry.h"
#include "app/web/bookmarks.h"
#include "app/web/bookmarksettings.h"
#include "app/web/browserloader.h"
#include "guifixtures/apptestsupport.h"
#include "widgets/qtpaths.h"

#include <QAction>
#include <QMdiArea>
#include <QSettings>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace skarde::gui {
namespace {

void store(const char* key, const QString& value) {
    openProgramSettings()->setValue(QString::fromLatin1(key), value);
}

TEST(Bookmarks, ComeFromTheSettingsWithTheBuiltInOnesForMissingOrUnusableValues) {
    test::SettingsSandbox sandbox;
    store("Bookmarks/Caption1", QStringLiteral("Guild hall"));
    store("Bookmarks/Address1", QStringLiteral("https://guild.example/hall"));
    store("Bookmarks/Caption2", QStringLiteral("  "));
    store("Bookmarks/Address2", QStringLiteral("ftp://files.example/"));
    store("Bookmarks/Address4", QStringLiteral("not an address"));
    store("Bookmarks/Address5", QStringLiteral("http://"));
    store("Browser/SearchPage", QStringLiteral("javascript:alert(1)"));

    MainWindow window;
    std::vector<QString> opened;
    window.setBrowserWindowFactory([&opened](const QString& address) {
        opened.push_back(address);
        return nullptr;
    });
    for (const Bookmark& builtIn : kBookmarks) {
        test::menuEntry(window, toQString(builtIn.entryName))->trigger();
    }
    // Menu order: 6, 1, 2, 4, 5, 3.
    EXPECT_EQ(test::menuEntry(window, QStringLiteral("mnuViewSite6"))->text(),
              QStringLiteral("Skardeplayers"));
    EXPECT_EQ(test::menuEntry(window, QStringLiteral("mnuViewSite1"))->text(),
              QStringLiteral("Guild hall"));
    EXPECT_EQ(test::menuEntry(window, QStringLiteral("mnuViewSite2"))->text(),
              toQString(kBookmarks[2].caption));
    ASSERT_EQ(opened.size(), kBookmarks.size());
    EXPECT_EQ(opened[1], QStringLiteral("https://guild.example/hall"));
    for (std::size_t builtIn : {0u, 2u, 3u, 4u, 5u}) {
        EXPECT_EQ(opened[builtIn], toQString(kBookmarks[builtIn].address)) << builtIn;
    }
    // Nothing opened here: the factory showed each page elsewhere.
    EXPECT_TRUE(window.mdiArea().subWindowList().isEmpty());
    EXPECT_EQ(readSearchPage(*openProgramSettings()), QString::fromLatin1(kDefaultSearchPage));
    store("Browser/SearchPage", QStringLiteral("https://find.example/?q="));
    EXPECT_EQ(readSearchPage(*openProgramSettings()), QStringLiteral("https://find.example/?q="));
}

TEST(BrowserLoader, WithoutItsModuleHandsEveryAddressToTheDesktop) {
    std::vector<QUrl> elsewhere;
    BrowserLoader loader(QStringLiteral("/nonexistent/skardebrowser"),
                         [&elsewhere](const QUrl& address) { elsewhere.push_back(address); });
    EXPECT_EQ(loader.open(QStringLiteral("https://a.example/"), {}), nullptr);
    EXPECT_EQ(loader.open(QStringLiteral("https://b.example/"), {}), nullptr);
    EXPECT_EQ(elsewhere, (std::vector<QUrl>{QUrl(QStringLiteral("https://a.example/")),
                                            QUrl(QStringLiteral("https://b.example/"))}));
}

} // namespace
} // namespace skarde::gui
