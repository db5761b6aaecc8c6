#include "app/terminalanswers.h"

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

TEST(TerminalAnswers, AnswerHelpAndVersionAndLeaveEverythingElseToTheWindow) {
    EXPECT_EQ(terminalAnswer({QStringLiteral("skardetools"), QStringLiteral("--version")}),
              std::string("skardetools ") + SKARDE_VERSION + "\n");
    for (const char* option : {"--help", "-h"}) {
        const auto help =
            terminalAnswer({QStringLiteral("skardetools"), QString::fromLatin1(option)});
        ASSERT_TRUE(help) << option;
        EXPECT_NE(help->find("Usage: skardetools"), std::string::npos) << *help;
        EXPECT_NE(help->find("--version"), std::string::npos) << *help;
        EXPECT_NE(help->find("skardetools-cli"), std::string::npos) << *help;
    }
    EXPECT_EQ(terminalAnswer({QStringLiteral("skardetools")}), std::nullopt);
    EXPECT_EQ(terminalAnswer({QStringLiteral("skardetools"), QStringLiteral("-platform"),
                              QStringLiteral("offscreen")}),
              std::nullopt);
    EXPECT_EQ(terminalAnswer({QStringLiteral("skardetools"), QStringLiteral("dunes.bmp")}),
              std::nullopt);
}

} // namespace
} // namespace skarde::gui
