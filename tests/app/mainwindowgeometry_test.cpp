#include "app/mainwindow.h"
#include "app/mainwindowgeometry.h"
#include "guifixtures/apptestsupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <gtest/gtest.h>

#include <map>

namespace skarde::gui {
namespace {

using test::SettingsSandbox;

// 1000 and 6500 twips, to the nearest pixel.
const QRect kDefaultPixels(67, 67, 433, 433);

void store(const SettingsSandbox&, const QRect& twips) {
    const auto settings = openProgramSettings();
    settings->beginGroup(QStringLiteral("Settings"));
    settings->setValue(QStringLiteral("MainLeft"), QString::number(twips.x()));
    settings->setValue(QStringLiteral("MainTop"), QString::number(twips.y()));
    settings->setValue(QStringLiteral("MainWidth"), QString::number(twips.width()));
    settings->setValue(QStringLiteral("MainHeight"), QString::number(twips.height()));
}

QRect stored(const SettingsSandbox& settings) {
    return QRect(settings.value(QStringLiteral("MainLeft")).toInt(),
                 settings.value(QStringLiteral("MainTop")).toInt(),
                 settings.value(QStringLiteral("MainWidth")).toInt(),
                 settings.value(QStringLiteral("MainHeight")).toInt());
}

TEST(MainWindowGeometry, FirstRunOpensAtTheDefaults) {
    SettingsSandbox settings;
    MainWindow window;
    window.loadAndShow();
    EXPECT_EQ(window.frameGeometry(), kDefaultPixels);
}

TEST(MainWindowGeometry, ClosingStoresTheOuterFrameInTwipsAndTheNextRunOpensThere) {
    SettingsSandbox settings;
    QRect closedAt;
    {
        MainWindow window;
        window.loadAndShow();
        window.move(100, 120);
        window.resize(500, 400);
        closedAt = window.frameGeometry();
        window.close();
    }
    EXPECT_EQ(settings.value(QStringLiteral("MainLeft")), QStringLiteral("1500"));
    EXPECT_EQ(settings.value(QStringLiteral("MainTop")), QStringLiteral("1800"));
    EXPECT_EQ(stored(settings), QRect(closedAt.x() * 15, closedAt.y() * 15, closedAt.width() * 15,
                                      closedAt.height() * 15));

    MainWindow nextRun;
    nextRun.loadAndShow();
    EXPECT_EQ(nextRun.frameGeometry(), closedAt);
}

TEST(MainWindowGeometry, ClosingWhileMinimizedKeepsTheStoredValues) {
    SettingsSandbox settings;
    const QRect before(1500, 1500, 7500, 6000);
    store(settings, before);
    MainWindow window;
    window.loadAndShow();
    window.move(200, 10);
    window.showMinimized();
    window.close();
    EXPECT_EQ(stored(settings), before);
}

TEST(MainWindowGeometry, DamagedValuesFallBackKeyByKey) {
    struct Case {
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"MainLeft", "left"},   {"MainTop", ""},        {"MainWidth", "0"},
        {"MainHeight", "-300"}, {"MainWidth", "1e300"}, {"MainLeft", "nan"},
    };
    for (const Case& damaged : cases) {
        SCOPED_TRACE(std::string(damaged.key) + " = " + damaged.text);
        SettingsSandbox settings;
        store(settings, QRect(1500, 1800, 7200, 5400));
        settings.setValue(QString::fromLatin1(damaged.key), QString::fromLatin1(damaged.text));
        std::map<QString, double> expected{{QStringLiteral("MainLeft"), 1500},
                                           {QStringLiteral("MainTop"), 1800},
                                           {QStringLiteral("MainWidth"), 7200},
                                           {QStringLiteral("MainHeight"), 5400}};
        const MainGeometry defaults;
        const std::map<QString, double> defaultOf{{QStringLiteral("MainLeft"), defaults.left},
                                                  {QStringLiteral("MainTop"), defaults.top},
                                                  {QStringLiteral("MainWidth"), defaults.width},
                                                  {QStringLiteral("MainHeight"), defaults.height}};
        expected[damaged.key] = defaultOf.at(damaged.key);

        const MainGeometry read = readMainGeometry(*openProgramSettings());
        EXPECT_EQ(read.left, expected[QStringLiteral("MainLeft")]);
        EXPECT_EQ(read.top, expected[QStringLiteral("MainTop")]);
        EXPECT_EQ(read.width, expected[QStringLiteral("MainWidth")]);
        EXPECT_EQ(read.height, expected[QStringLiteral("MainHeight")]);
    }
}

#ifdef Q_OS_WIN
// Where Windows programs keep a user's settings, as text values that regedit shows as they are.
TEST(MainWindowGeometry, IsKeptUnderTheUsersSoftwareKeyOnWindows) {
    SettingsSandbox sandbox;
    writeMainGeometry(*openProgramSettings(), MainGeometry{1500, 1800, 7200, 5400});
    const QSettings registry(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\SkardeTools\\SkardeTools"),
        QSettings::NativeFormat);
    EXPECT_EQ(registry.value(QStringLiteral("Settings/MainLeft")),
              QVariant(QStringLiteral("1500")));
    EXPECT_EQ(registry.value(QStringLiteral("Settings/MainHeight")),
              QVariant(QStringLiteral("5400")));
}
#endif

TEST(MainWindowGeometry, FractionalTextIsANumber) {
    SettingsSandbox settings;
    store(settings, QRect(1500, 1800, 7200, 5400));
    settings.setValue(QStringLiteral("MainLeft"), QStringLiteral("1507.5"));
    EXPECT_EQ(readMainGeometry(*openProgramSettings()).left, 1507.5);
}

TEST(MainWindowGeometry, APlaceOnNoScreenFallsBackToTheDefaults) {
    const QList<QRect> screens{QRect(0, 0, 800, 600), QRect(800, 0, 1024, 768)};
    const MainGeometry onSecond{15 * 1000, 15 * 100, 6000, 6000};
    const MainGeometry farRight{15 * 2000, 15 * 100, 6000, 6000};
    const MainGeometry aboveAll{15 * 100, -15 * 700, 6000, 9000}; // only the bottom shows
    EXPECT_EQ(keepOnAScreen(onSecond, screens).left, onSecond.left);
    EXPECT_EQ(keepOnAScreen(farRight, screens).left, MainGeometry{}.left);
    EXPECT_EQ(keepOnAScreen(aboveAll, screens).top, MainGeometry{}.top);

    SettingsSandbox settings;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    store(settings, QRect((screen.right() + 500) * 15, 1500, 6000, 6000));
    MainWindow window;
    window.loadAndShow();
    EXPECT_EQ(window.frameGeometry(), kDefaultPixels);
}

} // namespace
} // namespace skarde::gui
