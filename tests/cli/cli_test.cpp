#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::runCli;
using test::TempFolder;
using test::writeFile;

struct Pbmp2BmpCommand : ::testing::Test {
    TempFolder root;
    fs::path out = root / "out";
    void SetUp() override { fs::create_directory(out); }

    fs::path writePbmp(const std::string& name, const filebuilders::PbmpFields& fields = {}) {
        writeFile(root / name, filebuilders::makePbmp(fields));
        return root / name;
    }
};

TEST_F(Pbmp2BmpCommand, ConvertsEveryFileWithTheShippedPalettes) {
    const auto a = writePbmp("a.pbmp");
    const auto b = writePbmp("b.pbmp");
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-o", out.string(), a.string(), b.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "2 of 2 file(s) converted.\n");
    EXPECT_EQ(test::readFile(out / "a.pbmp").size(), 1086u);
    EXPECT_EQ(test::readFile(out / "b.pbmp").size(), 1086u);
}

TEST_F(Pbmp2BmpCommand, GoesOnAfterARefusedFileAndExitsWithOne) {
    filebuilders::PbmpFields wrong;
    wrong.magic = "PBMA";
    const auto bad = writePbmp("bad.pbmp", wrong);
    const auto good = writePbmp("good.pbmp");
    const auto missing = root / "missing.pbmp";
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-o", out.string(), bad.string(),
                                         missing.string(), good.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find(bad.string() + ": This is not a valid Vidodaz Bitmap file\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(missing.string() + ": "), std::string::npos) << run.err;
    EXPECT_EQ(test::folderEntries(out), std::vector<std::string>{"good.pbmp"});
    EXPECT_EQ(run.out, "1 of 3 file(s) converted.\n");
}

TEST_F(Pbmp2BmpCommand, UsesTheGivenPalsFolderAndWorldPalette) {
    const fs::path pals = root / "mypals";
    test::writeGreyPal(pals);
    writeFile(pals / "IceWorld.pal", test::makePal(42));
    filebuilders::PbmpFields world;
    world.paletteNumber = 1071;
    const auto file = writePbmp("w.pbmp", world);
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "--world-palette",
                                         "iceworld", "-o", out.string(), file.string()});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const Bytes bmp = test::readFile(out / "w.pbmp");
    const Bytes pal = test::makePal(42);
    EXPECT_EQ(bmp[54], pal[26]); // blue of entry 0
    EXPECT_EQ(bmp[56], pal[24]); // red of entry 0
}

// A copy of the program in root/bin, so that what lies beside it and in root/share is the test's.
TEST_F(Pbmp2BmpCommand, FindsThePalettesBesideItselfThenInTheInstalledShareFolder) {
    const fs::path cli = root / "bin" / fs::path(SKARDE_CLI).filename();
    fs::create_directories(cli.parent_path());
    fs::copy_file(SKARDE_CLI, cli);
    const auto file = writePbmp("a.pbmp");
    const auto convert = [&] {
        return runCli(cli, {"pbmp2bmp", "-o", out.string(), file.string()});
    };
    const auto redOfEntry1 = [&] { return test::readFile(out / "a.pbmp").at(54 + 4 + 2); };

    auto run = convert();
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find((root / "bin" / "pals" / "grey.pal").string() +
                           ": The fallback palette is missing"),
              std::string::npos)
        << run.err;

    writeFile(root / "share" / "skardetools" / "pals" / "grey.pal", test::makePal(40));
    run = convert();
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(redOfEntry1(), 41);

    writeFile(root / "bin" / "pals" / "grey.pal", test::makePal(70));
    run = convert();
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(redOfEntry1(), 71);
}

TEST_F(Pbmp2BmpCommand, RejectsMistakesInTheCommandLineWithTwo) {
    const auto file = writePbmp("a.pbmp");
    const std::vector<std::vector<std::string>> mistakes{
        {},
        {"frobnicate"},
        {"pbmp2bmp", file.string()},
        {"pbmp2bmp", "-o", out.string()},
        {"pbmp2bmp", "-o", (root / "nowhere").string()},
        {"pbmp2bmp", "--bogus", "-o", out.string(), file.string()},
        {"pbmp2bmp", "-o"},
    };
    for (const auto& arguments : mistakes) {
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(test::folderEntries(out).empty());
    // The output folder is made only for a command line that is right.
    EXPECT_FALSE(fs::exists(root / "nowhere"));
}

TEST_F(Pbmp2BmpCommand, CreatesAMissingOutputFolderWithItsParents) {
    const auto file = writePbmp("a.pbmp");
    const fs::path nested = root / "new" / "deeper" / "out";
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-o", nested.string(), file.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(test::folderEntries(nested), std::vector<std::string>{"a.pbmp"});
}

TEST_F(Pbmp2BmpCommand, RefusesAnOutputFolderThatIsAFileAndLeavesItAlone) {
    const auto file = writePbmp("a.pbmp");
    const auto target = writePbmp("target.pbmp");
    const Bytes before = test::readFile(target);
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-o", target.string(), file.string()});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "skardetools-cli pbmp2bmp: the output folder " + target.string() +
                           " is not a folder\n");
    EXPECT_EQ(test::readFile(target), before);
}

TEST_F(Pbmp2BmpCommand, ReportsAnOutputFolderThatCannotBeCreatedAndExitsWithOne) {
    const auto file = writePbmp("a.pbmp");
    // Below a file, so that even root cannot make it.
    const fs::path impossible = root / "a.pbmp" / "out";
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-o", impossible.string(), file.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err.rfind("skardetools-cli pbmp2bmp: cannot create the output folder " +
                                impossible.string() + ": ",
                            0),
              0u)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(CliHelp, DocumentsEveryCommand) {
    const auto run = runCli(SKARDE_CLI, {"--help"});
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* text :
         {"pbmp2bmp", "pba2bmp", "bmp2pbmp", "ppl2pal", "--pals", "--world-palette", "--palette P",
          "--option O", "--yes | --no", "-o OUTDIR"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    const auto commandHelp = runCli(SKARDE_CLI, {"pbmp2bmp", "--help"});
    EXPECT_EQ(commandHelp.exitStatus, 0);
    EXPECT_NE(commandHelp.out.find("--world-palette"), std::string::npos);
}

TEST(CliVersion, PrintsTheVersionOfTheBuild) {
    const auto run = runCli(SKARDE_CLI, {"--version"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, std::string("skardetools-cli ") + SKARDE_VERSION + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(runCli(SKARDE_CLI, {"--help"}).out.find("--version"), std::string::npos);
}

} // namespace
} // namespace skarde
