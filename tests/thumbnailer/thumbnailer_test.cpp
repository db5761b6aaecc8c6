// The thumbnailer, in process and as the program a file manager runs: a thumbnail no larger
// than asked, its aspect kept, coloured with the image's palette (grey for the world palette);
// for a file it cannot show, a non-zero exit and nothing written.

#include "converters/palette.h"
#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "png/indexedpng.h"
#include "testsupport/pbabuilder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"
#include "thumbnailer/thumbnailscale.h"
#include "thumbnailer/thumbnailwriter.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

PixelRows rowsOf(std::int32_t width, std::int32_t height) {
    PixelRows rows;
    rows.columns = static_cast<std::int32_t>(stride(width));
    rows.rows = height;
    rows.data = filebuilders::patternRows(width, height);
    return rows;
}

TEST(ThumbnailScale, FitsTheSizeAskedKeepingTheAspect) {
    struct Case {
        std::int32_t width, height, size, thumbnailWidth, thumbnailHeight;
    };
    for (const Case& c :
         {Case{640, 480, 128, 128, 96}, Case{90, 150, 128, 77, 128}, Case{24, 24, 128, 24, 24},
          Case{1000, 1, 256, 256, 1}, Case{3, 700, 64, 1, 64}, Case{256, 256, 256, 256, 256}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const Thumbnail thumbnail = scaleToFit(rowsOf(c.width, c.height), c.width, c.size);
        EXPECT_EQ(thumbnail.width, c.thumbnailWidth);
        EXPECT_EQ(thumbnail.height, c.thumbnailHeight);
        EXPECT_EQ(thumbnail.rows.size(),
                  static_cast<std::size_t>(c.thumbnailWidth) * c.thumbnailHeight);
    }
}

// Every thumbnail pixel is a pixel of the image (indices cannot be blended), and an image that
// fits is copied without its row padding.
TEST(ThumbnailScale, TakesTheNearestPixels) {
    const PixelRows rows = rowsOf(5, 2);
    const Thumbnail same = scaleToFit(rows, 5, 16);
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(same.rows[y * 5 + x], rows.row(y + 1)[x]);
    const Thumbnail half = scaleToFit(rowsOf(4, 4), 4, 2);
    const PixelRows source = rowsOf(4, 4);
    EXPECT_EQ(half.rows,
              (Bytes{source.row(2)[1], source.row(2)[3], source.row(4)[1], source.row(4)[3]}));
}

struct ThumbnailFiles : ::testing::Test {
    test::TempFolder root;
    fs::path pals = root / "pals";
    fs::path out = root / "thumb.png";

    void SetUp() override {
        test::writeGreyPal(pals);
        writeFile(pals / "500.pal", test::makePal(7));
    }
    fs::path gameImage(std::int32_t width, std::int32_t height, std::int32_t palette) {
        filebuilders::PbmpFields fields;
        fields.width = width;
        fields.height = height;
        fields.paletteNumber = palette;
        const fs::path file = root / ("image" + std::to_string(palette) + ".bmp");
        writeFile(file, filebuilders::makePbmp(fields));
        return file;
    }
    BmpColourTable paletteColours(const std::string& name) {
        BmpColourTable colours =
            colourTableFromPalette(loadPaletteFile(pals / (name + ".pal"), "short").data);
        // PNG has no room for the fourth byte.
        for (std::size_t i = 3; i < colours.size(); i += 4)
            colours[i] = 0;
        return colours;
    }
};

TEST_F(ThumbnailFiles, GameImageIsColouredWithItsPaletteAndTheWorldPaletteInGrey) {
    writeThumbnail(gameImage(640, 480, 500), out, 128, pals);
    const IndexedPng coloured = decodeIndexedPng(readFile(out), "thumb");
    EXPECT_EQ(coloured.width, 128);
    EXPECT_EQ(coloured.height, 96);
    EXPECT_EQ(coloured.colours, paletteColours("500"));

    writeThumbnail(gameImage(30, 60, 1071), out, 32, pals);
    const IndexedPng world = decodeIndexedPng(readFile(out), "thumb");
    EXPECT_EQ(world.width, 16);
    EXPECT_EQ(world.height, 32);
    EXPECT_EQ(world.colours, paletteColours("grey"));
}

TEST_F(ThumbnailFiles, ArraysShowTheirFirstImageAndArchivesTheirFirstGameImage) {
    filebuilders::PbaFields array;
    array.entries = {filebuilders::pbaEntry(7, 3, 500, 0), filebuilders::pbaEntry(2, 2, 500, 1)};
    writeFile(root / "icons.pba", filebuilders::makePba(array));
    writeThumbnail(root / "icons.pba", out, 128, pals);
    EXPECT_EQ(decodeIndexedPng(readFile(out), "thumb").width, 7);

    filebuilders::VolFields archive;
    archive.members = {
        filebuilders::volMember("readme.txt"),
        filebuilders::volMember("fake.bmp", Bytes{'B', 'M', 0, 0}),
        filebuilders::volMember("art\\dunes.bmp", filebuilders::makePbmpOfSize(9, 4)),
        filebuilders::volMember("frost.bmp", filebuilders::makePbmpOfSize(3, 3))};
    writeFile(root / "game.vol", filebuilders::makeVol(archive));
    writeThumbnail(root / "game.vol", out, 128, pals);
    EXPECT_EQ(decodeIndexedPng(readFile(out), "thumb").width, 9);
}

TEST_F(ThumbnailFiles, ProgramWritesNothingAndFailsForWhatItCannotShow) {
    writeFile(root / "notes.txt", Bytes{'h', 'i'});
    writeFile(root / "cut.bmp", Bytes{'P', 'B', 'M', 'P', 1});
    filebuilders::VolFields archive;
    archive.members = {filebuilders::volMember("readme.txt")};
    writeFile(root / "textonly.vol", filebuilders::makeVol(archive));
    for (const char* name : {"notes.txt", "cut.bmp", "textonly.vol", "missing.bmp"}) {
        SCOPED_TRACE(name);
        const auto run =
            test::runCli(SKARDE_THUMBNAILER, {"-s", "64", (root / name).string(), out.string()});
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
        EXPECT_TRUE(test::folderEntries(root.path()) ==
                    (std::vector<std::string>{"cut.bmp", "notes.txt", "pals", "textonly.vol"}))
            << "something was written";
    }
    const auto wrong = test::runCli(SKARDE_THUMBNAILER, {"-s", "0", "a", "b"});
    EXPECT_EQ(wrong.exitStatus, 2);

    const fs::path image = gameImage(50, 20, 500);
    const auto run = test::runCli(SKARDE_THUMBNAILER, {"-s", "25", image.string(), out.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const IndexedPng thumbnail = decodeIndexedPng(readFile(out), "thumb");
    EXPECT_EQ(thumbnail.width, 25);
    EXPECT_EQ(thumbnail.height, 10);
}

} // namespace
} // namespace skarde
