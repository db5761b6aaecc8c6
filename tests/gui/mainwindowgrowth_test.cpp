#include "gui/shelltestsupport.h"
#include "shell/mainwindow.h"
#include "shell/mainwindowgeometry.h"
#include "shell/mainwindowgrowth.h"
#include "shell/module1.h"
#include "shell/splashwindow.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

using test::settle;

const QRect kScreen(0, 0, 1280, 1024);

TEST(GrowFrame, GrowsInPlaceWhenTheScreenHasRoom) {
    EXPECT_EQ(growFrame(QRect(100, 80, 433, 433), QSize(300, 50), kScreen),
              QRect(100, 80, 733, 483));
    // Only the axis that falls short grows.
    EXPECT_EQ(growFrame(QRect(100, 80, 433, 433), QSize(300, -200), kScreen),
              QRect(100, 80, 733, 433));
}

TEST(GrowFrame, MovesLeftAndUpOnlyAsFarAsTheGrownFrameNeeds) {
    EXPECT_EQ(growFrame(QRect(900, 700, 300, 200), QSize(200, 200), kScreen),
              QRect(780, 624, 500, 400));
    // A screen to the right of the first, with a panel along its top.
    const QRect second(1280, 40, 1024, 728);
    EXPECT_EQ(growFrame(QRect(1800, 500, 300, 200), QSize(400, 100), second),
              QRect(1604, 468, 700, 300));
}

TEST(GrowFrame, StopsAtTheAvailableArea) {
    const QRect available(0, 30, 800, 570);
    EXPECT_EQ(growFrame(QRect(50, 100, 433, 433), QSize(2000, 2000), available), available);
    // A frame already partly off the area's near edge keeps its place there.
    EXPECT_EQ(growFrame(QRect(-20, 100, 433, 300), QSize(100, 0), available),
              QRect(-20, 100, 533, 300));
}

TEST(GrowFrame, NeverShrinksNorMovesAFrameThatNeedsNothingOrCannotGrow) {
    const QRect frame(-10, -10, 1500, 1200);
    EXPECT_EQ(growFrame(frame, QSize(100, 100), kScreen), frame);
    EXPECT_EQ(growFrame(QRect(2000, 2000, 300, 300), QSize(0, -5), kScreen),
              QRect(2000, 2000, 300, 300));
}

QRect availableArea(const QWidget& window) {
    return window.screen()->availableGeometry();
}

// The child lies wholly inside the part of the area the user sees.
bool showsWhole(const QMdiArea& area, const QMdiSubWindow& child) {
    return area.viewport()->rect().contains(child.geometry()) &&
           !area.horizontalScrollBar()->isVisible() && !area.verticalScrollBar()->isVisible();
}

TEST(MainWindowGrowth, AFirstRunsMainWindowGrowsToShowAWholeToolWindowAndKeepsThatSize) {
    test::SettingsSandbox settings;
    Module1 module1;
    module1.Main();
    module1.splashWindow()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    MainWindow& main = *module1.mainWindow();
    const QRect before = main.frameGeometry();
    ASSERT_LT(before.width(), 500);

    test::menuEntry(main, QStringLiteral("mnuToolspba2bmp"))->trigger();
    settle();
    const QMdiSubWindow* tool = main.toolWindow(QStringLiteral("mnuToolspba2bmp"));
    ASSERT_NE(tool, nullptr);
    ASSERT_LE(tool->width(), availableArea(main).width() - 100) << "the test needs room to grow";
    EXPECT_TRUE(showsWhole(main.mdiArea(), *tool));
    const QRect after = main.frameGeometry();
    EXPECT_TRUE(availableArea(main).contains(after));
    EXPECT_EQ(after.topLeft(), before.topLeft());

    main.close();
    settle();
    EXPECT_EQ(settings.value(QStringLiteral("MainWidth")).toInt(), toTwips(after).width);
    EXPECT_EQ(settings.value(QStringLiteral("MainHeight")).toInt(), toTwips(after).height);
}

class MainWindowGrowthTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.LoadAndShow();
        settle();
    }

    // Opens a stand-in tool window of this fixed size from the Tools menu.
    QMdiSubWindow& openTool(QSize size) {
        window.registerToolWindow(QStringLiteral("mnuToolspbmp2bmp"), [size] {
            auto tool = std::make_unique<QLabel>(QStringLiteral("tool"));
            tool->setFixedSize(size);
            return tool;
        });
        test::menuEntry(window, QStringLiteral("mnuToolspbmp2bmp"))->trigger();
        settle();
        return *window.toolWindow(QStringLiteral("mnuToolspbmp2bmp"));
    }

    test::SettingsSandbox settings;
    MainWindow window;
};

TEST_F(MainWindowGrowthTest, LeavesALargeMainWindowAsItIs) {
    const QRect available = availableArea(window);
    window.move(available.topLeft() + QPoint(10, 10));
    window.resize(available.size() - QSize(60, 80));
    settle();
    const QRect before = window.frameGeometry();
    EXPECT_TRUE(showsWhole(window.mdiArea(), openTool(QSize(200, 100))));
    EXPECT_EQ(window.frameGeometry(), before);
}

TEST_F(MainWindowGrowthTest, StopsAtTheScreensAvailableAreaAndScrollsToTheRest) {
    EXPECT_EQ(window.mdiArea().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(window.mdiArea().verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    const QRect available = availableArea(window);
    // Near the far corner, so that growing must also move it.
    window.move(available.bottomRight() - QPoint(300, 300));
    settle();
    openTool(available.size() * 2);
    EXPECT_EQ(window.frameGeometry(), available);
    EXPECT_TRUE(window.mdiArea().horizontalScrollBar()->isVisible());
    EXPECT_TRUE(window.mdiArea().verticalScrollBar()->isVisible());
}

} // namespace
} // namespace skarde::gui
