#include "app/mainwindow.h"
#include "app/mainwindowgeometry.h"
#include "app/pictures/splashwindow.h"
#include "app/startup.h"
#include "guifixtures/apptestsupport.h"
#include "widgets/mainwindowgrowth.h"

#include <QMainWindow>
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
    Startup startup;
    MainWindow& main = test::startToMainWindow(startup);
    EXPECT_EQ(main.mdiArea().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(main.mdiArea().verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
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

TEST(MainWindowGrowth, BringsAChildIntoViewByGrowingOrWhereTheScreenIsTooSmallByScrolling) {
    QMainWindow window;
    auto* area = new QMdiArea;
    window.setCentralWidget(area);
    window.setGeometry(40, 40, 300, 250);
    window.show();
    settle();
    const QRect room = availableArea(window);

    QMdiSubWindow* near = area->addSubWindow(new QWidget);
    near->setFixedSize(120, 80);
    near->move(260, 10);
    near->show();
    bringIntoView(*near);
    settle();
    EXPECT_TRUE(showsWhole(*area, *near));
    EXPECT_TRUE(room.contains(window.frameGeometry()));

    // Beyond any screen: the window grows as far as it can, then the area scrolls to the child.
    QMdiSubWindow* far = area->addSubWindow(new QWidget);
    far->setFixedSize(120, 80);
    far->move(room.width() * 2, room.height() * 2);
    far->show();
    bringIntoView(*far);
    settle();
    EXPECT_TRUE(area->viewport()->rect().contains(far->geometry().topLeft()));
    EXPECT_TRUE(room.contains(window.frameGeometry()));
}

} // namespace
} // namespace skarde::gui
