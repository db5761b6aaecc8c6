#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pplbuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::pplPalette;
using test::runCli;
using test::runCliOnTerminal;
using test::TempFolder;
using test::writeFile;

const std::string kQuestion = "PAL file exists. Do you wish to replace it?";

struct Ppl2PalCommand : ::testing::Test {
    TempFolder root;
    fs::path out = root / "out";
    fs::path ppl = root / "world.ppl";
    const Bytes old{7, 7, 7};
    void SetUp() override {
        fs::create_directory(out);
        filebuilders::PplFields fields;
        fields.palettes = {pplPalette(500, 1), pplPalette(503, 2), pplPalette(504, 3)};
        writeFile(ppl, filebuilders::makePpl(fields));
    }
    // 500.pal and 504.pal exist already; 503.pal does not.
    void writeOldFiles() {
        writeFile(out / "500.pal", old);
        writeFile(out / "504.pal", old);
    }
    std::vector<std::string> args(std::vector<std::string> options) const {
        std::vector<std::string> arguments{"ppl2pal"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"-o", out.string(), ppl.string()});
        return arguments;
    }
};

TEST_F(Ppl2PalCommand, ExtractsEveryPaletteWithTheShippedTemplate) {
    const auto run = runCli(SKARDE_CLI, args({}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ppl.string() + ": 3 PAL file(s) extracted.\n1 of 1 file(s) converted.\n");
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"500.pal", "503.pal", "504.pal"}));
    EXPECT_EQ(test::readFile(out / "503.pal").size(), 1052u);
}

TEST_F(Ppl2PalCommand, YesReplacesExistingFiles) {
    writeOldFiles();
    const auto run = runCli(SKARDE_CLI, args({"--yes"}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find(": 3 PAL file(s) extracted.\n"), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(out / "500.pal").size(), 1052u);
    EXPECT_EQ(test::readFile(out / "504.pal").size(), 1052u);
}

TEST_F(Ppl2PalCommand, NoKeepsExistingFiles) {
    writeOldFiles();
    const auto run = runCli(SKARDE_CLI, args({"--no"}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find(": 1 PAL file(s) extracted.\n"), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(out / "500.pal"), old);
    EXPECT_EQ(test::readFile(out / "504.pal"), old);
    EXPECT_EQ(test::readFile(out / "503.pal").size(), 1052u);
}

TEST_F(Ppl2PalCommand, KeepsExistingFilesWithoutAskingWhenInputIsNoTerminal) {
    writeOldFiles();
    const auto run = runCli(SKARDE_CLI, args({}), "y\ny\ny\n");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err.find(kQuestion), std::string::npos) << run.err;
    EXPECT_NE(run.out.find(": 1 PAL file(s) extracted.\n"), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(out / "500.pal"), old);
    EXPECT_EQ(test::readFile(out / "504.pal"), old);
}

TEST_F(Ppl2PalCommand, AsksOnTheTerminalForEachExistingFile) {
    SKARDE_SKIP_WITHOUT_TERMINAL();
    writeOldFiles();
    // "maybe" is not an answer: the question is asked again.
    const auto run = runCliOnTerminal(SKARDE_CLI, args({}), "maybe\ny\nn\n");
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    std::size_t questions = 0;
    for (std::size_t at = run.out.find(kQuestion); at != std::string::npos;
         at = run.out.find(kQuestion, at + 1))
        ++questions;
    EXPECT_EQ(questions, 3u) << run.out;
    EXPECT_NE(run.out.find(kQuestion + " [y/n] "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(": 2 PAL file(s) extracted."), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(out / "500.pal").size(), 1052u);
    EXPECT_EQ(test::readFile(out / "504.pal"), old);
}

TEST_F(Ppl2PalCommand, ReportsAMissingTemplateAndExitsWithOne) {
    const fs::path pals = root / "emptypals";
    fs::create_directory(pals);
    const auto run = runCli(SKARDE_CLI, args({"--pals", pals.string()}));
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find((pals / "grey.pal").string() + ": "), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "0 of 1 file(s) converted.\n");
    EXPECT_TRUE(test::folderEntries(out).empty());
}

TEST_F(Ppl2PalCommand, UsesTheTemplateOfTheGivenPalsFolder) {
    const fs::path pals = root / "mypals";
    writeFile(pals / "grey.pal", test::makePal(99));
    const auto run = runCli(SKARDE_CLI, args({"--pals", pals.string()}));
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const Bytes written = test::readFile(out / "500.pal");
    const Bytes templ = test::makePal(99);
    EXPECT_EQ(written[27], templ[27]); // flags of entry 0 come from the template
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 24),
              Bytes(templ.begin(), templ.begin() + 24));
}

TEST_F(Ppl2PalCommand, ReportsADamagedListAndExitsWithOne) {
    filebuilders::PplFields fields;
    fields.palettes = {pplPalette(600, 1)};
    fields.paletteCount = 2;
    writeFile(root / "short.ppl", filebuilders::makePpl(fields));
    const auto run = runCli(
        SKARDE_CLI, {"ppl2pal", "-o", out.string(), (root / "short.ppl").string(), ppl.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find((root / "short.ppl").string() + ": Palette record 1"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find((root / "short.ppl").string() + ": 1 PAL file(s) extracted.\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 of 2 file(s) converted.\n"), std::string::npos) << run.out;
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"500.pal", "503.pal", "504.pal", "600.pal"}));
}

TEST_F(Ppl2PalCommand, RejectsMistakesInTheCommandLineWithTwo) {
    const std::vector<std::vector<std::string>> mistakes{
        args({"--yes", "--no"}),
        args({"--yes=1"}),
        args({"--replace"}),
        {"ppl2pal", ppl.string()},
        {"ppl2pal", "-o", out.string()},
        {"ppl2pal", "-o", ppl.string(), ppl.string()},
    };
    for (const auto& arguments : mistakes) {
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(test::folderEntries(out).empty());
}

TEST(Ppl2PalHelp, DocumentsTheCommand) {
    const auto run = runCli(SKARDE_CLI, {"ppl2pal", "--help"});
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* text :
         {"ppl2pal [--pals DIR] [--yes | --no] -o OUTDIR FILE...", "--yes", "--no", "terminal"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

} // namespace
} // namespace skarde
