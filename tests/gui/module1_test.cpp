#include "gui/shelltestsupport.h"
#include "shell/mainwindow.h"
#include "shell/module1.h"
#include "shell/progresswindow.h"
#include "shell/splashwindow.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

using test::settle;

TEST(Module1, StartsOnTheSplashAndContinueShowsTheMainWindow) {
    test::SettingsSandbox settings;
    Module1 module1;
    module1.Main();

    ASSERT_NE(module1.splashWindow(), nullptr);
    EXPECT_TRUE(module1.splashWindow()->isVisible());
    ASSERT_NE(module1.mainWindow(), nullptr);
    EXPECT_FALSE(module1.mainWindow()->isVisible());
    ASSERT_NE(module1.progressWindow(), nullptr);
    EXPECT_TRUE(module1.progressWindow()->testAttribute(Qt::WA_WState_Created)); // shown once
    EXPECT_TRUE(module1.progressWindow()->isHidden());

    QPointer<SplashWindow> splash = module1.splashWindow();
    splash->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    EXPECT_TRUE(splash.isNull());
    EXPECT_TRUE(module1.mainWindow()->isVisible());
    EXPECT_EQ(module1.mainWindow()->frameGeometry(), QRect(67, 67, 433, 433));

    module1.mainWindow()->close();
    settle();
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
}

TEST(Module1, ToolsOpenTheirWindowsOnTheProgramsConverters) {
    test::SettingsSandbox settings;
    Module1 module1;
    module1.Main();
    module1.splashWindow()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    ASSERT_NE(module1.converterContext(), nullptr);
    EXPECT_EQ(&module1.converterContext()->progress,
              static_cast<ProgressSink*>(module1.progressWindow()));

    module1.mainWindow()->findChild<QAction*>(QStringLiteral("mnuToolspbmp2bmp"))->trigger();
    settle();
    const auto children = module1.mainWindow()->findChild<QMdiArea*>()->subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->widget()->objectName(), QStringLiteral("frmpbmp2bmp"));
    EXPECT_EQ(children[0]->windowTitle(), QStringLiteral("PBMP -> BMP Conversion"));
    module1.mainWindow()->close();
    settle();
}

TEST(Module1, ThePalettesLieBesideTheProgram) {
    EXPECT_EQ(Module1::palsFolder().filename(), "pals");
    EXPECT_EQ(Module1::palsFolder().parent_path(),
              std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

} // namespace
} // namespace skarde::gui
