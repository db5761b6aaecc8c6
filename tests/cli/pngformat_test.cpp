// --format png on the command line: the converting commands write .png files where they wrote
// .bmp files, bmp2pbmp takes the PNG files back, and a build without PNG says so.

#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbabuilder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::runCli;
using test::TempFolder;
using test::writeFile;

struct PngFormat : ::testing::Test {
    TempFolder root;
    fs::path out = root / "out";
    fs::path pals = root / "pals";
    fs::path dunes = root / "dunes.bmp";

    void SetUp() override {
        test::writeGreyPal(pals);
        writeFile(pals / "500.pal", test::makePal(4));
        // Four wide: rows without padding, which a PNG could not give back.
        writeFile(dunes, filebuilders::makePbmpOfSize(4, 3));
    }
};

TEST_F(PngFormat, UnknownFormatIsAUsageError) {
    const auto run =
        runCli(SKARDE_CLI, {"pbmp2bmp", "--format", "gif", "-o", out.string(), dunes.string()});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("unknown format gif; use bmp or png"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
}

#if SKARDE_HAVE_PNG

TEST_F(PngFormat, ConvertingCommandsWritePngFilesInPlaceOfBitmaps) {
    filebuilders::PbaFields array;
    array.entries = {filebuilders::pbaEntry(3, 2, 500, 0), filebuilders::pbaEntry(2, 2, 500, 1)};
    writeFile(root / "icons.pba", filebuilders::makePba(array));
    const std::vector<std::string> common{"--pals", pals.string(), "--format",
                                          "png",    "-o",          out.string()};
    auto withCommon = [&](std::vector<std::string> head, const std::string& input) {
        head.insert(head.end(), common.begin(), common.end());
        head.push_back(input);
        return head;
    };
    const auto single = runCli(SKARDE_CLI, withCommon({"pbmp2bmp"}, dunes.string()));
    EXPECT_EQ(single.exitStatus, 0) << single.err;
    const auto several = runCli(SKARDE_CLI, withCommon({"pba2bmp"}, (root / "icons.pba").string()));
    EXPECT_EQ(several.exitStatus, 0) << several.err;
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"dunes.png", "icons0.png", "icons1.png"}));
    for (const char* name : {"dunes.png", "icons0.png", "icons1.png"})
        EXPECT_EQ(test::readFile(out / name).at(1), 'P') << name;

    // And back: the PNG becomes a game bitmap named .bmp, as game bitmaps are.
    const fs::path back = root / "back";
    const auto returned = runCli(SKARDE_CLI, {"bmp2pbmp", "--palette", "500", "-o", back.string(),
                                              (out / "dunes.png").string()});
    EXPECT_EQ(returned.exitStatus, 0) << returned.err;
    const Bytes original = test::readFile(dunes);
    const Bytes returnedGame = test::readFile(back / "dunes.bmp");
    ASSERT_EQ(returnedGame.size(), original.size());
    constexpr std::size_t kRowsStart = 44;
    EXPECT_TRUE(std::equal(original.begin() + kRowsStart, original.begin() + kRowsStart + 12,
                           returnedGame.begin() + kRowsStart));
}

TEST_F(PngFormat, ArchiveExtractionConvertsGameBitmapsToPng) {
    filebuilders::VolFields archive;
    archive.members = {
        filebuilders::volMember("textures\\dunes.bmp", filebuilders::makePbmpOfSize(4, 4)),
        filebuilders::volMember("readme.txt", Bytes{'h', 'i'})};
    writeFile(root / "game.vol", filebuilders::makeVol(archive));
    const auto run =
        runCli(SKARDE_CLI, {"vol", "extract", "--convert", "--format", "png", "--pals",
                            pals.string(), "-o", out.string(), (root / "game.vol").string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(fs::exists(out / "textures" / "dunes.png"));
    EXPECT_FALSE(fs::exists(out / "textures" / "dunes.bmp"));
    EXPECT_TRUE(fs::exists(out / "readme.txt"));

    const auto unconverted = runCli(SKARDE_CLI, {"vol", "extract", "--format", "png", "-o",
                                                 out.string(), (root / "game.vol").string()});
    EXPECT_EQ(unconverted.exitStatus, 2);
    EXPECT_NE(unconverted.err.find("--format png needs --convert"), std::string::npos);
}

#else

TEST_F(PngFormat, BuildWithoutPngSaysSo) {
    const auto run =
        runCli(SKARDE_CLI, {"pbmp2bmp", "--format", "png", "-o", out.string(), dunes.string()});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("PNG is not available in this build"), std::string::npos) << run.err;
}

#endif

} // namespace
} // namespace skarde
