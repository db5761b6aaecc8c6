#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/redirectedrun.h"
#include "fixtures/tempfolder.h"
#include "testsupport/bmpbuilder.h"
#include "testsupport/pbabuilder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::runCli;
using test::TempFolder;
using test::writeFile;

struct Pbmp2BmpCommand : ::testing::Test {
    TempFolder root;
    fs::path out = root / "out";
    // The palette the test images name, in a folder of the test's own: the build's pals folder
    // holds it only where the sample files were made (not in a cross build).
    fs::path pals = root / "pals";
    void SetUp() override {
        fs::create_directory(out);
        test::writeGreyPal(pals);
        writeFile(pals / "500.pal", test::makePal(5));
    }

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
    // Nothing but a note per image drawn in grey, where the shipped folder lacks palette 500.
    std::istringstream notes(run.err);
    for (std::string line; std::getline(notes, line);)
        EXPECT_NE(line.find(": drawn in grey: palette 500 has no file 500.pal"), std::string::npos)
            << line;
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

// A palette without a file still gives a picture, in grey, as in the windows; but a script has
// nobody looking at the pictures, so each image that fell back is named with what to give.
TEST_F(Pbmp2BmpCommand, NamesEveryImageDrawnInGreyAndWhatToGive) {
    const fs::path pals = root / "mypals";
    test::writeGreyPal(pals);
    writeFile(pals / "IceWorld.pal", test::makePal(42));
    filebuilders::PbmpFields unknown;
    unknown.paletteNumber = 4294;
    filebuilders::PbmpFields world;
    world.paletteNumber = 1071;
    const auto a = writePbmp("a.pbmp", unknown);
    const auto w = writePbmp("w.pbmp", world);
    const auto known = writePbmp("k.pbmp", world);
    auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "-o", out.string(),
                                   a.string(), w.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "2 of 2 file(s) converted.\n");
    EXPECT_EQ(run.err, a.string() + ": drawn in grey: palette 4294 has no file 4294.pal in " +
                           pals.string() + "; put it there, or give --pals a folder that has it\n" +
                           w.string() +
                           ": drawn in grey: its colours depend on the game world (palette 1071); "
                           "give --world-palette with one of: grey, IceWorld\n");
    // The world named: no word.
    run = runCli(SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "--world-palette", "ICEWORLD",
                              "-o", out.string(), known.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");

    // One line per image of an array, each naming its bitmap.
    filebuilders::PbaFields array;
    array.entries = {filebuilders::pbaEntry(3, 2, 4294), filebuilders::pbaEntry(3, 2, 500),
                     filebuilders::pbaEntry(3, 2, 4295)};
    writeFile(root / "i.pba", filebuilders::makePba(array));
    writeFile(pals / "500.pal", test::makePal(5));
    run = runCli(SKARDE_CLI, {"pba2bmp", "--pals", pals.string(), "-o", out.string(),
                              (root / "i.pba").string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::string image = (root / "i.pba").string();
    EXPECT_EQ(run.err, image + " (bitmap 0): drawn in grey: palette 4294 has no file 4294.pal in " +
                           pals.string() + "; put it there, or give --pals a folder that has it\n" +
                           image +
                           " (bitmap 2): drawn in grey: palette 4295 has no file 4295.pal in " +
                           pals.string() + "; put it there, or give --pals a folder that has it\n");
}

// Every command's mistakes: exit 2, one line, and nothing made, not even the -o folder.
TEST_F(Pbmp2BmpCommand, RefusesEveryCommandsMistakesBeforeMakingTheOutputFolder) {
    const auto image = writePbmp("a.pbmp");
    const fs::path noGrey = root / "nogrey";
    fs::create_directory(noGrey);
    filebuilders::PplFields list;
    list.palettes = {filebuilders::pplPalette(500)};
    writeFile(root / "w.ppl", filebuilders::makePpl(list));
    filebuilders::VolFields archiveFields;
    archiveFields.members = {filebuilders::volMember("a.bmp", filebuilders::makePbmp({}))};
    filebuilders::writeVol(root / "g.vol", archiveFields);
    fs::create_directories(root / "x");
    fs::create_directories(root / "y");
    writeFile(root / "x" / "same.pbmp", filebuilders::makePbmp({}));
    writeFile(root / "y" / "SAME.pbmp", filebuilders::makePbmp({}));
    writeFile(root / "c.bmp", filebuilders::makeBmp({}));

    const std::string nowhere = (root / "nowhere" / "deeper").string();
    const std::string a = image.string();
    const std::string ppl = (root / "w.ppl").string();
    const std::string vol = (root / "g.vol").string();
    const std::vector<std::vector<std::string>> mistakes{
        {"pbmp2bmp", "--bogus", "-o", nowhere, a},
        {"pbmp2bmp", "-o", nowhere},
        {"pbmp2bmp", "--world-palette", "NoSuch", "-o", nowhere, a},
        {"pbmp2bmp", "--world-palette", "Ice", "-o", nowhere, a},
        {"pbmp2bmp", "--world-palette", "../500", "-o", nowhere, a},
        {"pbmp2bmp", "--pals", noGrey.string(), "-o", nowhere, a},
        {"pbmp2bmp", "-o", nowhere, (root / "x" / "same.pbmp").string(),
         (root / "y" / "SAME.pbmp").string()},
        {"pba2bmp", "--world-palette", "NoSuch", "-o", nowhere, a},
        {"pba2bmp", "--pals", noGrey.string(), "-o", nowhere, a},
        {"pba2bmp", "-q=1", "-o", nowhere, a},
        {"bmp2pbmp", "-o", nowhere, (root / "c.bmp").string()},
        {"bmp2pbmp", "--palette", "Nowhere", "-o", nowhere, (root / "c.bmp").string()},
        {"bmp2pbmp", "--palette", "0", "--option", "9", "-o", nowhere, (root / "c.bmp").string()},
        {"bmp2pbmp", "--palette", "0", "-o", nowhere, (root / "c.bmp").string(),
         (root / "c.bmp").string()},
        {"ppl2pal", "-o", nowhere},
        {"ppl2pal", "--yes", "--no", "-o", nowhere, ppl},
        {"ppl2pal", "--yes", "-n", "-o", nowhere, ppl},
        {"ppl2pal", "--pals", noGrey.string(), "-o", nowhere, ppl},
        {"ppl2pal", "--world-palette", "IceWorld", "-o", nowhere, ppl},
        {"vol", "extract", "-o", nowhere},
        {"vol", "extract", "--bogus", "-o", nowhere, vol},
        {"vol", "extract", "--convert", "--pals", noGrey.string(), "-o", nowhere, vol},
        {"vol", "extract", "--world-palette", "NoSuch", "-o", nowhere, vol},
        {"vol", "extract", "-o", nowhere, vol, "/"},
        {"vol", "list", "-o", nowhere, vol},
        {"vol", "update", "-o", nowhere, vol},
        {"vol", "update", "--convert", "--bogus", "-o", nowhere, vol, root.path().string()},
        {"vol", "add", "-o", nowhere, vol},
        {"vol", "add", "-o", nowhere, vol, "=a.bmp"},
        {"vol", "remove", "-o", nowhere, vol},
        {"vol", "remove", "-o", nowhere, vol, "\\"},
        {"vol", "pack", root.path().string(), "-o", nowhere},
        {"vol", "pack", root.path().string(), "--like", vol},
    };
    for (const auto& arguments : mistakes) {
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(fs::exists(root / "nowhere")) << testing::PrintToString(arguments);
        fs::remove_all(root / "nowhere");
    }
}

TEST_F(Pbmp2BmpCommand, AWorldPaletteWithoutAFileListsTheNamesThere) {
    const fs::path pals = root / "mypals";
    test::writeGreyPal(pals);
    writeFile(pals / "IceWorld.pal", test::makePal(42));
    writeFile(pals / "500.pal", test::makePal(5));
    writeFile(pals / "alienworld.PAL", test::makePal(6));
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "--world-palette",
                                         "Ice", "-o", out.string(), writePbmp("a.pbmp").string()});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "skardetools-cli pbmp2bmp: no world palette Ice in " + pals.string() +
                           " (no file Ice.pal); the palettes there by name: alienworld, grey, "
                           "IceWorld\n");
}

// Without --pals, the installation lacks the fallback: one message, not one per file.
TEST_F(Pbmp2BmpCommand, ReportsAMissingFallbackOfTheInstallationOnce) {
    const fs::path cli = root / "bin" / fs::path(SKARDE_CLI).filename();
    fs::create_directories(root / "bin" / "pals");
    fs::copy_file(SKARDE_CLI, cli);
    const auto run = runCli(cli, {"pbmp2bmp", "-o", (root / "new").string(),
                                  writePbmp("a.pbmp").string(), writePbmp("b.pbmp").string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find((root / "bin" / "pals" / "grey.pal").string() + ": "), std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(root / "new"));
}

// Two inputs of one name would leave one output: refused before anything is written.
TEST_F(Pbmp2BmpCommand, RefusesTwoInputsThatWouldWriteTheSameOutput) {
    fs::create_directories(root / "a");
    fs::create_directories(root / "b");
    const auto first = writePbmp("a/dunes.bmp");
    const auto second = writePbmp("b/Dunes.BMP");
    const auto run =
        runCli(SKARDE_CLI, {"pbmp2bmp", "-o", out.string(), first.string(), second.string()});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "skardetools-cli pbmp2bmp: " + first.string() + " and " + second.string() +
                           " would both write " + (out / "Dunes.BMP").string() +
                           "; convert them into different folders\n");
    EXPECT_TRUE(test::folderEntries(out).empty());
}

TEST_F(Pbmp2BmpCommand, NoClobberLeavesExistingOutputsAloneAndSaysSo) {
    const auto a = writePbmp("a.pbmp");
    const auto b = writePbmp("b.pbmp");
    writeFile(out / "a.pbmp", Bytes{9});
    for (const char* option : {"-n", "--no-clobber"}) {
        fs::remove(out / "b.pbmp");
        const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", option, "--pals", pals.string(), "-o",
                                             out.string(), a.string(), b.string()});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.err, a.string() + ": skipped: " + (out / "a.pbmp").string() + " exists\n");
        EXPECT_EQ(run.out, "1 of 2 file(s) converted; 1 skipped (their outputs exist).\n");
        EXPECT_EQ(test::readFile(out / "a.pbmp"), Bytes{9});
        EXPECT_EQ(test::readFile(out / "b.pbmp").size(), 1086u);
    }
    // Without it, the file is replaced.
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-o", out.string(), a.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(test::readFile(out / "a.pbmp").size(), 1086u);
}

TEST_F(Pbmp2BmpCommand, SaysSoWhenItReplacesItsSources) {
    const auto a = writePbmp("a.pbmp");
    const auto run = runCli(
        SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "-o", root.path().string(), a.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, a.string() +
                           ": the output folder is this file's own folder: the file is replaced by "
                           "its conversion, as the windows do\n");
    EXPECT_EQ(test::readFile(a).size(), 1086u);
}

TEST_F(Pbmp2BmpCommand, QuietLeavesOnlyProblemsAndWarnings) {
    filebuilders::PbmpFields wrong;
    wrong.magic = "PBMA";
    const auto bad = writePbmp("bad.pbmp", wrong);
    const auto good = writePbmp("good.pbmp");
    writeFile(out / "kept.pbmp", Bytes{1});
    const auto kept = writePbmp("kept.pbmp");
    const auto run = runCli(SKARDE_CLI, {"pbmp2bmp", "-q", "-n", "--pals", pals.string(), "-o",
                                         out.string(), bad.string(), good.string(), kept.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, bad.string() + ": This is not a valid Vidodaz Bitmap file\n");
}

// A full disk behind standard output or error is a failure, not a quiet loss.
TEST_F(Pbmp2BmpCommand, FailsWhenItsOutputCannotBeWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/full";
#else
    const auto a = writePbmp("a.pbmp");
    const fs::path err = root / "err.txt";
    const fs::path empty = root / "in.txt";
    writeFile(empty, {});
    int status = test::runRedirected(
        SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "-o", out.string(), a.string()},
        {empty, "/dev/full", err});
    EXPECT_EQ(status, 1);
    std::ifstream errStream(err);
    std::string message((std::istreambuf_iterator<char>(errStream)), {});
    EXPECT_EQ(message,
              "skardetools-cli: cannot write to standard output: No space left on device\n");
    // Standard error full: the failure is in the exit status alone.
    status =
        test::runRedirected(SKARDE_CLI, {"pbmp2bmp", "-o", out.string(), (root / "none").string()},
                            {empty, root / "out.txt", "/dev/full"});
    EXPECT_EQ(status, 1);
    status = test::runRedirected(SKARDE_CLI, {"--help"}, {empty, "/dev/full", err});
    EXPECT_EQ(status, 1);
    status = test::runRedirected(
        SKARDE_CLI, {"pbmp2bmp", "--pals", pals.string(), "-o", out.string(), a.string()},
        {empty, root / "out.txt", "/dev/full"});
    EXPECT_EQ(status, 0) << "nothing to say, nothing lost";
#endif
}

// A fault that escapes a converter (memory running out) ends only its own file.
TEST_F(Pbmp2BmpCommand, GoesOnAfterAFaultThatEscapesAFile) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a POSIX shell to limit the address space";
#elif defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's shadow memory needs more address space than the limit; "
                    "the plain build runs this";
#else
    const fs::path big = root / "big.pbmp";
    writeFile(big, filebuilders::makePbmp({}));
    fs::resize_file(big, std::uintmax_t{600} << 20); // sparse; read whole before it is looked at
    const auto good = writePbmp("good.pbmp");
    const auto run = runCli("/bin/sh", {"-c", "ulimit -v 400000 && exec \"$0\" \"$@\"", SKARDE_CLI,
                                        "pbmp2bmp", "--pals", pals.string(), "-o", out.string(),
                                        big.string(), good.string()});
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_EQ(run.err, "big.pbmp: There is not enough memory to handle this file.\n");
    EXPECT_EQ(run.out, "1 of 2 file(s) converted.\n");
    EXPECT_EQ(test::folderEntries(out), std::vector<std::string>{"good.pbmp"});
#endif
}

// A run of well under a second on a terminal draws no progress line.
TEST_F(Pbmp2BmpCommand, AQuickRunOnATerminalShowsNoProgressLine) {
    SKARDE_SKIP_WITHOUT_TERMINAL();
    const auto a = writePbmp("a.pbmp");
    const auto run =
        test::runCliOnTerminal(SKARDE_CLI, {"pbmp2bmp", "-o", out.string(), a.string()}, "");
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_EQ(run.out.find("\r\033[K"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 of 1 file(s) converted."), std::string::npos) << run.out;
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
    for (const char* world :
         {"AlienWorld", "DesertWorld", "IceWorld", "LushWorld", "MarsWorld", "mudWorld", "Grey"})
        EXPECT_NE(commandHelp.out.find(world), std::string::npos) << world;
    for (const char* command : {"pbmp2bmp", "pba2bmp", "bmp2pbmp", "ppl2pal", "vol"}) {
        const std::string help = runCli(SKARDE_CLI, {"help", command}).out;
        EXPECT_NE(help.find("-q, --quiet"), std::string::npos) << command;
        EXPECT_NE(help.find(std::string(command) == "ppl2pal" ? "--no, -n" : "-n, --no-clobber"),
                  std::string::npos)
            << command;
    }
    // "help COMMAND" is "COMMAND --help".
    EXPECT_EQ(runCli(SKARDE_CLI, {"help", "pbmp2bmp"}).out, commandHelp.out);
    EXPECT_EQ(runCli(SKARDE_CLI, {"help", "vol"}).out, runCli(SKARDE_CLI, {"vol", "--help"}).out);
    const auto unknown = runCli(SKARDE_CLI, {"help", "frobnicate"});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_EQ(unknown.err,
              "skardetools-cli help: unknown command frobnicate; see skardetools-cli --help\n");
}

TEST(CliVersion, PrintsTheVersionOfTheBuild) {
    const auto run = runCli(SKARDE_CLI, {"--version"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, std::string("skardetools-cli ") + SKARDE_VERSION + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(runCli(SKARDE_CLI, {"--help"}).out.find("--version"), std::string::npos);
    const auto extra = runCli(SKARDE_CLI, {"--version", "pbmp2bmp"});
    EXPECT_EQ(extra.exitStatus, 2);
    EXPECT_EQ(extra.out, "");
    EXPECT_EQ(extra.err, "skardetools-cli: --version takes no other argument\n");
}

} // namespace
} // namespace skarde
