#include "widgets/qtpaths.h"

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

TEST(QtPaths, CarryEightBitNamesBothWays) {
    const QString name = QString::fromUtf8("textures/r\xc3\xb6"
                                           "ck.bmp");
    EXPECT_EQ(toQString(toPath(name)), name);
    EXPECT_TRUE(toPath(name).filename().u8string() == u8"r\u00f6ck.bmp");
    // Beyond the 16-bit range too, where Windows needs two UTF-16 units.
    const QString beyond = QString::fromUtf8("d\xc3\xa9j\xc3\xa0/\xf0\x9f\x98\x80.pba");
    EXPECT_EQ(toQString(toPath(beyond)), beyond);
    EXPECT_TRUE(toPath(beyond).parent_path().u8string() == u8"d\u00e9j\u00e0");
}

// Qt's paths have "/" between folders on every platform, whatever the system's separator.
TEST(QtPaths, GiveQtItsOwnSeparator) {
    const std::filesystem::path path =
        std::filesystem::path(u8"Spiele") / u8"Sk\u00e4rde" / u8"game.vol";
    EXPECT_EQ(toQString(path), QString::fromUtf8("Spiele/Sk\xc3\xa4rde/game.vol"));
    // And the system its own, so that a path named in a message does not mix the two.
    const std::filesystem::path back = toPath(QStringLiteral("C:/Spiele/game.vol")) / "a.bmp";
    EXPECT_EQ(back.string(),
              std::filesystem::path("C:/Spiele/game.vol/a.bmp").make_preferred().string());
}

} // namespace
} // namespace skarde::gui
