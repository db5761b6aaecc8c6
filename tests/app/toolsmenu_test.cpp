#include "app/mainwindow.h"
#include "app/pictures/artwork.h"
#include "app/pictures/splashwindow.h"
#include "app/startup.h"
#include "guifixtures/apptestsupport.h"

#include <QAction>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

using test::settle;

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage();
}

TEST(ToolsMenu, EachEntryOpensOneWindowOfItsKindWearingItsOwnIcon) {
    test::SettingsSandbox settings;
    Startup startup;
    MainWindow& main = test::startToMainWindow(startup);
    struct Entry {
        const char* menuEntry;
        const char* window;
        const char* caption;
    };
    std::vector<QImage> icons{pictureOf(programIcon())};
    for (const Entry& entry :
         {Entry{"mnuToolspba2bmp", "frmpba2bmp", "PBA -> BMP"},
          Entry{"mnuToolsmakeskin", "frmbmp2pbmp", "RuziRire+"},
          Entry{"mnupplextract", "frmpplextract", "PPL Extract"},
          Entry{"mnuToolsvolextract", "frmvolextract", "VOL File Extractor"}}) {
        for (int time = 0; time < 2; ++time)
            test::menuEntry(main, entry.menuEntry)->trigger();
        settle();
        std::vector<QMdiSubWindow*> opened;
        for (QMdiSubWindow* child : main.findChild<QMdiArea*>()->subWindowList())
            if (child->widget()->objectName() == entry.window)
                opened.push_back(child);
        ASSERT_EQ(opened.size(), 1u) << entry.window;
        EXPECT_EQ(opened[0]->windowTitle(), entry.caption);
        const QImage icon = pictureOf(opened[0]->windowIcon());
        EXPECT_FALSE(icon.isNull()) << entry.window;
        EXPECT_EQ(std::count(icons.begin(), icons.end(), icon), 0) << entry.window;
        icons.push_back(icon);
    }
    main.close();
    settle();
}

// The one tool drawn no icon of its own shows the program's.
TEST(ToolsMenu, PbmpToBmpWearsTheMainWindowsIcon) {
    test::SettingsSandbox settings;
    Startup startup;
    MainWindow& main = test::startToMainWindow(startup);
    test::menuEntry(main, "mnuToolspbmp2bmp")->trigger();
    settle();
    const QMdiSubWindow* child = main.toolWindow(QStringLiteral("mnuToolspbmp2bmp"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->widget()->objectName(), "frmpbmp2bmp");
    EXPECT_EQ(child->windowTitle(), "PBMP -> BMP Conversion");
    EXPECT_EQ(pictureOf(child->windowIcon()), pictureOf(programIcon()));
    main.close();
    settle();
}

} // namespace
} // namespace skarde::gui
