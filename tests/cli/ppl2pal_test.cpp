#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"
#include "testsupport/volbuilder.h"

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
    EXPECT_NE(run.out.find(kQuestion + " [yes/no/all/none] "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(": 2 PAL file(s) extracted."), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(out / "500.pal").size(), 1052u);
    EXPECT_EQ(test::readFile(out / "504.pal"), old);
}

// Once, before any file: a palette folder without its template is a mistake in the command line.
TEST_F(Ppl2PalCommand, RefusesAPalsFolderWithoutTheTemplateUpFront) {
    const fs::path pals = root / "emptypals";
    fs::create_directory(pals);
    const auto run = runCli(SKARDE_CLI, args({"--pals", pals.string()}));
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "skardetools-cli ppl2pal: the palette folder " + pals.string() +
                           " holds no grey.pal, the fallback palette; give --pals a folder that "
                           "has it\n");
    EXPECT_EQ(run.out, "");
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

// An archive or an image read as a palette list gave a PAL file per record, named after whatever
// numbers their bytes made; such a file is refused by name and nothing is written for it.
TEST_F(Ppl2PalCommand, RefusesAFileThatIsNotAPaletteListAndWritesNothingForIt) {
    filebuilders::VolFields archive;
    for (int i = 0; i < 30; ++i) {
        std::string name = "m"; // appended: MinGW's g++ 12 warns about "m" + std::string
        name += std::to_string(i);
        name += ".bin";
        archive.members.push_back(filebuilders::volMember(name, Bytes(900, 0xB7)));
    }
    filebuilders::writeVol(root / "game.vol", archive);
    filebuilders::PbmpFields image;
    image.width = 200;
    image.height = 100;
    writeFile(root / "dunes.bmp", filebuilders::makePbmp(image));
    const auto run =
        runCli(SKARDE_CLI, {"ppl2pal", "-o", out.string(), (root / "game.vol").string(),
                            (root / "dunes.bmp").string(), ppl.string()});
    EXPECT_EQ(run.exitStatus, 1);
    for (const char* name : {"game.vol", "dunes.bmp"})
        EXPECT_NE(run.err.find((root / name).string() + ": The file is not a palette list"),
                  std::string::npos)
            << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(run.out, ppl.string() + ": 3 PAL file(s) extracted.\n1 of 3 file(s) converted.\n");
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"500.pal", "503.pal", "504.pal"}));
}

TEST_F(Ppl2PalCommand, TellsHowManyFilesItKeptWithoutATerminalToAsk) {
    writeOldFiles();
    const auto run = runCli(SKARDE_CLI, args({}));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "skardetools-cli ppl2pal: 2 existing PAL file(s) kept: there is no terminal "
                       "to ask on; give --yes to replace them or --no to keep them quietly\n");
    // Answered beforehand: nothing to tell.
    EXPECT_EQ(runCli(SKARDE_CLI, args({"--no"})).err, "");
    EXPECT_EQ(runCli(SKARDE_CLI, args({"-n"})).err, "");
}

// The question names its file; "all" and "none" answer it for the rest of the run as well.
TEST_F(Ppl2PalCommand, TheQuestionNamesItsFileAndTakesAllAndNone) {
    SKARDE_SKIP_WITHOUT_TERMINAL();
    filebuilders::PplFields more;
    more.palettes = {pplPalette(600, 1), pplPalette(601, 2)};
    writeFile(root / "more.ppl", filebuilders::makePpl(more));
    for (const char* name : {"500.pal", "503.pal", "504.pal", "600.pal", "601.pal"})
        writeFile(out / name, old);
    const std::vector<std::string> both{"ppl2pal", "-o", out.string(), ppl.string(),
                                        (root / "more.ppl").string()};

    auto run = runCliOnTerminal(SKARDE_CLI, both, "n\nALL\n");
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_NE(run.out.find((out / "500.pal").string() + ": " + kQuestion + " [yes/no/all/none] "),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find((out / "503.pal").string() + ": " + kQuestion), std::string::npos);
    EXPECT_EQ(run.out.find((out / "504.pal").string() + ": " + kQuestion), std::string::npos);
    EXPECT_EQ(test::readFile(out / "500.pal"), old);
    for (const char* name : {"503.pal", "504.pal", "600.pal", "601.pal"})
        EXPECT_EQ(test::readFile(out / name).size(), 1052u) << name;

    for (const char* name : {"500.pal", "503.pal", "504.pal", "600.pal", "601.pal"})
        writeFile(out / name, old);
    run = runCliOnTerminal(SKARDE_CLI, both, "yes\nnone\n");
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_EQ(test::readFile(out / "500.pal").size(), 1052u);
    for (const char* name : {"503.pal", "504.pal", "600.pal", "601.pal"})
        EXPECT_EQ(test::readFile(out / name), old) << name;
    EXPECT_EQ(run.out.find((out / "600.pal").string() + ": " + kQuestion), std::string::npos);
}

TEST(Ppl2PalHelp, DocumentsTheCommand) {
    const auto run = runCli(SKARDE_CLI, {"ppl2pal", "--help"});
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* text : {"ppl2pal [--pals DIR] [--yes | --no] [-q] -o OUTDIR FILE...", "--yes",
                             "--no", "terminal"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

} // namespace
} // namespace skarde
