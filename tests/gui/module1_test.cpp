#include "gui/shelltestsupport.h"
#include "shell/mainwindow.h"
#include "shell/module1.h"
#include "shell/splashwindow.h"

#include <QApplication>
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

TEST(Module1, ThePalettesLieBesideTheProgram) {
    EXPECT_EQ(Module1::palsFolder().filename(), "pals");
    EXPECT_EQ(Module1::palsFolder().parent_path(),
              std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

} // namespace
} // namespace skarde::gui
