#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbabuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::pbaEntry;
using filebuilders::PbaFields;
using test::runCli;
using test::TempFolder;
using test::writeFile;

struct Pba2BmpCommand : ::testing::Test {
    TempFolder root;
    fs::path out = root / "out";
    void SetUp() override { fs::create_directory(out); }

    fs::path writePba(const std::string& name, int bitmaps) {
        PbaFields fields;
        for (int k = 0; k < bitmaps; ++k)
            fields.entries.push_back(pbaEntry(3, 2, 500, static_cast<std::uint8_t>(k)));
        writeFile(root / name, filebuilders::makePba(fields));
        return root / name;
    }
};

TEST_F(Pba2BmpCommand, WritesNumberedBitmapsAndCountsThemPerFile) {
    const auto icons = writePba("icons.pba", 3);
    const auto decals = writePba("decals.PFT", 2);
    // The palette the images name, in a folder of the test's own (a cross build has no samples'
    // palettes beside the program).
    const fs::path pals = root / "pals";
    test::writeGreyPal(pals);
    writeFile(pals / "500.pal", test::makePal(5));
    const auto run = runCli(SKARDE_CLI, {"pba2bmp", "--pals", pals.string(), "-o", out.string(),
                                         icons.string(), decals.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, icons.string() + ": 3 BMP files extracted from PBA\n" + decals.string() +
                           ": 2 BMP files extracted from PBA\n2 of 2 file(s) converted.\n");
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"decals0.bmp", "decals1.bmp", "icons0.bmp", "icons1.bmp",
                                        "icons2.bmp"}));
    EXPECT_EQ(test::readFile(out / "icons2.bmp").size(), 1086u);
}

TEST_F(Pba2BmpCommand, DropsTheLastFourCharactersWhateverTheyAre) {
    const auto odd = writePba("ab.cdef", 1);
    const auto accented = writePba("\xc3\xa9t\xc3\xa9.pba", 1); // "été.pba"
    const auto run =
        runCli(SKARDE_CLI, {"pba2bmp", "-o", out.string(), odd.string(), accented.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(test::folderEntries(out), (std::vector<std::string>{"ab.0.bmp", "\xc3\xa9t\xc3\xa9"
                                                                              "0.bmp"}));
}

// Characters, not bytes or UTF-16 units, as the PBA window cuts them
// (tests/tools/pba2bmpwindow_test.cpp).
TEST_F(Pba2BmpCommand, CutsNonAsciiNamesByTheirCharacters) {
    const auto bytesOf = [](std::u8string_view name) {
        return std::string(name.begin(), name.end());
    };
    std::vector<std::string> arguments{"pba2bmp", "-o", out.string()};
    for (const char8_t* name : {u8"fa\u00e7ade.pba", u8"icons\u00e9.pba", u8"\U0001F600.pft",
                                u8"x.pb\u00e9", u8"ab.p\U0001F600"})
        arguments.push_back(writePba(bytesOf(name), 1).string());
    const auto run = runCli(SKARDE_CLI, arguments);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"a0.bmp", bytesOf(u8"fa\u00e7ade0.bmp"),
                                        bytesOf(u8"icons\u00e90.bmp"), "x0.bmp",
                                        bytesOf(u8"\U0001F6000.bmp")}));
}

TEST_F(Pba2BmpCommand, GoesOnAfterARefusedOrDamagedFileAndExitsWithOne) {
    filebuilders::PbmpFields single;
    writeFile(root / "single.pba", filebuilders::makePbmp(single));
    PbaFields damaged;
    damaged.entries = {pbaEntry(3, 2, 500), pbaEntry(3, 2, 500)};
    damaged.bitmapCount = 5;
    writeFile(root / "damaged.pba", filebuilders::makePba(damaged));
    const auto good = writePba("good.pba", 1);
    const auto run =
        runCli(SKARDE_CLI, {"pba2bmp", "-o", out.string(), (root / "single.pba").string(),
                            (root / "damaged.pba").string(), good.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find((root / "single.pba").string() +
                           ": This is not a valid Ziraruv Izoviv Uzuzi file\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find((root / "damaged.pba").string() + ": Bitmap entry 2"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find((root / "damaged.pba").string() + ": 2 BMP files extracted from PBA\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 of 3 file(s) converted.\n"), std::string::npos) << run.out;
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"damaged0.bmp", "damaged1.bmp", "good0.bmp"}));
}

TEST_F(Pba2BmpCommand, UsesTheGivenPalsFolderAndWorldPalette) {
    const fs::path pals = root / "mypals";
    test::writeGreyPal(pals);
    writeFile(pals / "LushWorld.pal", test::makePal(42));
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 1071)};
    writeFile(root / "w.pba", filebuilders::makePba(fields));
    const auto run =
        runCli(SKARDE_CLI, {"pba2bmp", "--pals", pals.string(), "--world-palette", "lushworld",
                            "-o", out.string(), (root / "w.pba").string()});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const Bytes bmp = test::readFile(out / "w0.bmp");
    const Bytes pal = test::makePal(42);
    EXPECT_EQ(bmp[54], pal[26]); // blue of entry 0
    EXPECT_EQ(bmp[56], pal[24]); // red of entry 0
}

TEST_F(Pba2BmpCommand, RejectsMistakesInTheCommandLineWithTwo) {
    const auto file = writePba("a.pba", 1);
    const std::vector<std::vector<std::string>> mistakes{
        {"pba2bmp"},
        {"pba2bmp", file.string()},
        {"pba2bmp", "-o", out.string()},
        {"pba2bmp", "-o", file.string(), file.string()},
        {"pba2bmp", "--yes", "-o", out.string(), file.string()},
        {"pba2bmp", "--world-palette"},
    };
    for (const auto& arguments : mistakes) {
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(test::folderEntries(out).empty());
}

TEST(Pba2BmpHelp, DocumentsTheCommand) {
    const auto run = runCli(SKARDE_CLI, {"pba2bmp", "--help"});
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* text :
         {"pba2bmp [--pals DIR] [--world-palette NAME] [--format FORMAT] [-n] [-q]\n"
          "        -o OUTDIR FILE...",
          "last four", "--world-palette", "--format FORMAT"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

} // namespace
} // namespace skarde
