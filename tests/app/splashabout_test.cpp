#include "app/pictures/aboutwindow.h"
#include "app/pictures/artwork.h"
#include "app/pictures/collapse.h"
#include "app/pictures/splashwindow.h"
#include "app/screenplacement.h"
#include "app/version.h"
#include "guifixtures/apptestsupport.h"

#include "programversion.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace skarde::gui {
namespace {

using test::settle;

QString labelText(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

TEST(VersionText, IsPlainDecimalNumbersWithDots) {
    EXPECT_EQ(versionText({0, 6, 19}), QStringLiteral("Version 0.6.19"));
    EXPECT_EQ(versionText({12, 0, 7}), QStringLiteral("Version 12.0.7"));
}

TEST(SplashAndAbout, BothShowTheProgramsVersion) {
    SplashWindow splash;
    auto* about = new AboutWindow(&splash);
    // The version the build was made with, not a number typed here again.
    const QString expected =
        QStringLiteral("Version ") + QString::fromUtf8(kVersionText.data(), kVersionText.size());
    EXPECT_EQ(labelText(splash, "lblVersion"), expected);
    EXPECT_EQ(labelText(*about, "lblVersion"), expected);
}

TEST(SplashAndAbout, CentringKeepsTwipsAndDropsTheHalfTwip) {
    EXPECT_EQ(centredOrigin(15360, 9840), 2760);
    EXPECT_EQ(centredOrigin(11520, 7230), 2145);
    EXPECT_EQ(centredOrigin(11521, 7230), 2145);

    SplashWindow splash;
    AboutWindow* about = new AboutWindow(&splash);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    for (const QWidget* window : {static_cast<QWidget*>(&splash), static_cast<QWidget*>(about)}) {
        EXPECT_EQ(window->size(), QSize(656, 482));
        EXPECT_LE((window->geometry().center() - screenCentre).manhattanLength(), 2);
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    }
}

TEST(SplashAndAbout, CarryTheirControlsOnThePicture) {
    SplashWindow splash;
    auto* about = new AboutWindow(&splash);
    EXPECT_EQ(splash.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
              QStringLiteral("Continue"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Project1"));
    EXPECT_EQ(labelText(*about, "lblDescription"),
              QStringLiteral("Skarde Tools is a package of programs to allow easier access to "
                             "different Media content from the game Skarde.  "));
    EXPECT_EQ(labelText(*about, "lblDisclaimer"),
              QStringLiteral("Warning:  I will not be responsible for an damage that may result "
                             "from the proper or inproper use of this program."));
    const auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_TRUE(ok->isDefault());
    for (const QWidget* window : {static_cast<QWidget*>(&splash), static_cast<QWidget*>(about)}) {
        const auto* picture = window->findChild<QLabel*>(QStringLiteral("Picture1"));
        EXPECT_EQ(picture->pixmap().size(), QSize(640, 480));
    }
}

TEST(Artwork, IsA256ColourPictureAndARoundIcon) {
    const QImage picture = programPicture().toImage();
    EXPECT_EQ(picture.size(), QSize(640, 480));
    const QImage file(QStringLiteral(":/artwork/picture.bmp"));
    EXPECT_EQ(file.format(), QImage::Format_Indexed8);
    EXPECT_EQ(file.colorCount(), 256);

    const QImage icon(QStringLiteral(":/artwork/skardetools.ico"));
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(16, 16)), 255);

    for (const int size : {32, 48, 128, 256}) {
        const QImage copy(QStringLiteral(":/artwork/skardetools-%1.png").arg(size));
        ASSERT_EQ(copy.size(), QSize(size, size)) << size;
        EXPECT_EQ(qAlpha(copy.pixel(0, 0)), 0);
        // The same design: the centre's colour, and the gold star in the upper left.
        EXPECT_EQ(copy.pixel(size / 2, size / 2), icon.pixel(16, 16)) << size;
        EXPECT_EQ(copy.pixel(size * 8 / 32 + size / 64, size * 6 / 32 + size / 64),
                  icon.pixel(8, 6))
            << size;
    }
}

TEST(Collapse, TakesTwelveTwipsAStepAroundTheScreenCentre) {
    const auto steps = collapseSteps(9840, 7230, 15360, 11520);
    ASSERT_EQ(steps.size(), 602u);
    EXPECT_EQ(steps.front().height, 7218);
    EXPECT_EQ(steps.back().height, 6);
    EXPECT_EQ(steps.back().width, 2616);
    for (const TwipsRect& step : steps) {
        EXPECT_EQ(step.left + step.width / 2, 7680);
        EXPECT_EQ(step.top + step.height / 2, 5760);
    }
    // A box narrower than it is tall stops once it is no wider than 11 twips.
    const auto narrow = collapseSteps(40, 7230, 15360, 11520);
    ASSERT_EQ(narrow.size(), 3u);
    EXPECT_EQ(narrow.back().width, 4);
}

TEST(Collapse, OkEnterAndEscCollapseTheBoxAndUnloadIt) {
    enum class Press { Enter, Esc, OkTwice };
    for (const Press press : {Press::Enter, Press::Esc, Press::OkTwice}) {
        SCOPED_TRACE(static_cast<int>(press));
        QWidget owner;
        owner.show();
        QPointer<AboutWindow> about = new AboutWindow(&owner);
        about->setWindowModality(Qt::ApplicationModal);
        about->show();
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        switch (press) {
        case Press::Enter:
            QTest::keyClick(about.data(), Qt::Key_Return);
            break;
        case Press::Esc:
            QTest::keyClick(about.data(), Qt::Key_Escape);
            break;
        case Press::OkTwice:
            // The second press arrives while the box is collapsing and is ignored.
            QMetaObject::invokeMethod(ok, &QPushButton::click, Qt::QueuedConnection);
            ok->click();
            break;
        }
        settle();
        EXPECT_TRUE(about.isNull());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

} // namespace
} // namespace skarde::gui
