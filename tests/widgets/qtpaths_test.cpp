#include "widgets/qtpaths.h"

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

TEST(QtPaths, CarryEightBitNamesBothWays) {
    const QString name = QString::fromUtf8("textures/r\xc3\xb6"
                                           "ck.bmp");
    EXPECT_EQ(toQString(toPath(name)), name);
    EXPECT_TRUE(toPath(name).filename().u8string() == u8"r\u00f6ck.bmp");
}

} // namespace
} // namespace skarde::gui
