// The program maps the web engine only when the first browser window opens.

#include "app/mainwindow.h"
#include "app/mainwindowgeometry.h"
#include "app/pictures/splashwindow.h"
#include "app/startup.h"
#include "browser/browsertestsupport.h"
#include "browser/localwebserver.h"
#include "guifixtures/apptestsupport.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

// Runs in a process of its own (as ctest runs every test): any browser window opened earlier
// in the same process would already have mapped the engine.
TEST(BrowserModule, IsLoadedByTheFirstBookmarkAndNotByStartUpOrTheTools) {
    test::SettingsSandbox sandbox;
    test::LocalWebServer server;
    {
        const auto settings = openProgramSettings();
        settings->setValue(QStringLiteral("Bookmarks/Address6"), server.address("/a"));
        settings->setValue(QStringLiteral("Bookmarks/Address3"), server.address("/b"));
    }
    ASSERT_FALSE(test::webEngineMapped());
    Startup startup;
    startup.Main();
    startup.splashWindow()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    test::settle();
    MainWindow& main = *startup.mainWindow();
    for (QAction* tool : main.findChild<QMenu*>(QStringLiteral("mnuTools"))->actions()) {
        tool->trigger();
    }
    test::settle();
    EXPECT_FALSE(main.mdiArea().subWindowList().isEmpty());
    EXPECT_FALSE(test::webEngineMapped());

    test::menuEntry(main, QStringLiteral("mnuViewSite6"))->trigger();
    EXPECT_TRUE(test::webEngineMapped());
    test::menuEntry(main, QStringLiteral("mnuViewSite3"))->trigger();
    QList<QMdiSubWindow*> browsers;
    for (QMdiSubWindow* child : main.mdiArea().subWindowList(QMdiArea::CreationOrder)) {
        if (child->widget()->objectName() == QStringLiteral("frmBrowser")) {
            browsers << child;
        }
    }
    ASSERT_EQ(browsers.size(), 2);
    EXPECT_TRUE(test::waitForCaption(*browsers[0]->widget(), QStringLiteral("Page A")));
    EXPECT_TRUE(test::waitForCaption(*browsers[1]->widget(), QStringLiteral("Page B")));
    main.close();
    test::settle();
}

} // namespace
} // namespace skarde::gui
