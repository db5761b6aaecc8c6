#include "useractions.h"

#include "app/mainwindow.h"
#include "app/startup.h"
#include "guifixtures/apptestsupport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace skarde::monkey {
namespace {

// The monkey does only what a user can: a window without a minimize button (the image preview)
// is never minimized. A minimized preview once took the main window's area into endless
// scroll-bar toggling, which no user can reach.
TEST(UserActions, MinimizesOnlyWindowsWithAMinimizeButton) {
    test::SettingsSandbox settings;
    gui::Startup startup;
    gui::MainWindow& main = test::startToMainWindow(startup);
    QWidget* extractor = main.openToolWindow(QStringLiteral("mnuToolsvolextract"));
    main.openToolWindow(QStringLiteral("mnuToolspbmp2bmp"));
    ASSERT_NE(extractor, nullptr);
    extractor->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    test::settle();
    std::mt19937_64 random(202);
    UserActions actions(main, random, [](const std::string&) {});
    ASSERT_EQ(actions.openWindows().size(), 3U);

    int minimizedTools = 0;
    for (int round = 0; round < 60; ++round) {
        actions.minimizeWindow();
        test::settle();
        for (QMdiSubWindow* window : main.mdiArea().subWindowList()) {
            const bool preview = window->widget()->objectName() == QLatin1String("frmImagePreview");
            EXPECT_FALSE(preview && window->isMinimized()) << "round " << round;
            minimizedTools += !preview && window->isMinimized();
        }
    }
    EXPECT_GT(minimizedTools, 0);
}

} // namespace
} // namespace skarde::monkey
