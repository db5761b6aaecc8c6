#include "app/mainwindow.h"
#include "app/pictures/splashwindow.h"
#include "app/prompts/progresswindow.h"
#include "app/startup.h"
#include "guifixtures/apptestsupport.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

using test::settle;

TEST(Startup, StartsOnTheSplashAndContinueShowsTheMainWindow) {
    test::SettingsSandbox settings;
    Startup startup;
    startup.Main();

    ASSERT_NE(startup.splashWindow(), nullptr);
    EXPECT_TRUE(startup.splashWindow()->isVisible());
    ASSERT_NE(startup.mainWindow(), nullptr);
    EXPECT_FALSE(startup.mainWindow()->isVisible());
    ASSERT_NE(startup.progressWindow(), nullptr);
    EXPECT_TRUE(startup.progressWindow()->testAttribute(Qt::WA_WState_Created)); // shown once
    EXPECT_TRUE(startup.progressWindow()->isHidden());

    QPointer<SplashWindow> splash = startup.splashWindow();
    splash->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    EXPECT_TRUE(splash.isNull());
    EXPECT_TRUE(startup.mainWindow()->isVisible());
    EXPECT_EQ(startup.mainWindow()->frameGeometry(), QRect(67, 67, 433, 433));

    startup.mainWindow()->close();
    settle();
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
}

TEST(Startup, ToolsOpenTheirWindowsOnTheProgramsConverters) {
    test::SettingsSandbox settings;
    Startup startup;
    test::startToMainWindow(startup);
    ASSERT_NE(startup.converterContext(), nullptr);
    EXPECT_EQ(&startup.converterContext()->progress,
              static_cast<ProgressSink*>(startup.progressWindow()));

    startup.mainWindow()->findChild<QAction*>(QStringLiteral("mnuToolspbmp2bmp"))->trigger();
    settle();
    const auto children = startup.mainWindow()->findChild<QMdiArea*>()->subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->widget()->objectName(), QStringLiteral("frmpbmp2bmp"));
    EXPECT_EQ(children[0]->windowTitle(), QStringLiteral("PBMP -> BMP Conversion"));
    startup.mainWindow()->close();
    settle();
}

TEST(Startup, ThePalettesLieBesideTheProgram) {
    EXPECT_EQ(Startup::palsFolder().filename(), "pals");
    EXPECT_EQ(Startup::palsFolder().parent_path(),
              std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

} // namespace
} // namespace skarde::gui
