// PNG beside the Windows bitmap: the same image written both ways carries the same indices and
// colours; a PNG read for the way back gives the game bitmap its bitmap twin gives; a PNG that is
// not 8-bit indexed is refused by name.

#include "converters/bmptopbmp.h"
#include "converters/pbatobmp.h"
#include "converters/pbmptobmp.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "png/indexedpng.h"
#include "png/pngsupport.h"
#include "testsupport/pbabuilder.h"
#include "testsupport/pbmpbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::ConverterRig;
using test::readFile;
using test::writeFile;

struct PngRig : ConverterRig {
    PngRig() {
        context.png = pngSupport();
        writeFile(pals / "500.pal", test::makePal(9));
    }
};

// The bitmap's rows top first without padding, and its colour table, as the PNG holds them.
IndexedPng bitmapAsIndexed(const Bytes& bmp) {
    const ByteReader reader(bmp);
    IndexedPng image;
    image.width = reader.i32(18);
    image.height = reader.i32(22);
    const auto rowLength = static_cast<std::size_t>((image.width + 3) / 4 * 4);
    const std::size_t rowsStart = reader.u32(10);
    for (std::int32_t row = image.height - 1; row >= 0; --row) {
        const auto bytes = reader.slice(rowsStart + row * rowLength, image.width);
        image.rows.insert(image.rows.end(), bytes.begin(), bytes.end());
    }
    const auto table = reader.slice(54, image.colours.size());
    std::copy(table.begin(), table.end(), image.colours.begin());
    // The fourth byte of each entry carries the palette file's flags, which PNG has no room for.
    for (std::size_t i = 3; i < image.colours.size(); i += 4)
        image.colours[i] = 0;
    return image;
}

void expectSameImage(const IndexedPng& png, const IndexedPng& bmp) {
    EXPECT_EQ(png.width, bmp.width);
    EXPECT_EQ(png.height, bmp.height);
    EXPECT_EQ(png.rows, bmp.rows);
    EXPECT_EQ(png.colours, bmp.colours);
}

TEST(PngOutput, GameImageAsPngHasTheIndicesAndColoursOfItsBitmap) {
    for (const std::int32_t width : {1, 3, 4, 5, 13}) {
        for (const std::int32_t height : {1, 2, 7}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            PngRig rig;
            filebuilders::PbmpFields fields;
            fields.width = width;
            fields.height = height;
            writeFile(rig.in / "dunes.bmp", filebuilders::makePbmp(fields));
            ASSERT_EQ(
                ConvertPbmpToBmp(rig.context, rig.in / "dunes.bmp", rig.out / "dunes.bmp").outcome,
                Outcome::Converted);
            rig.context.writesPng = true;
            ASSERT_EQ(
                ConvertPbmpToBmp(rig.context, rig.in / "dunes.bmp", rig.out / "dunes.png").outcome,
                Outcome::Converted);
            const Bytes png = readFile(rig.out / "dunes.png");
            ASSERT_TRUE(hasPngSignature(png));
            expectSameImage(decodeIndexedPng(png, "dunes.png"),
                            bitmapAsIndexed(readFile(rig.out / "dunes.bmp")));
        }
    }
}

TEST(PngOutput, ImageArrayWritesNumberedPngFiles) {
    PngRig rig;
    rig.context.writesPng = true;
    filebuilders::PbaFields fields;
    fields.entries = {filebuilders::pbaEntry(3, 2, 500, 1), filebuilders::pbaEntry(5, 4, 500, 2)};
    writeFile(rig.in / "icons.pba", filebuilders::makePba(fields));
    const ConversionResult result =
        ConvertPbaToBmp(rig.context, rig.in / "icons.pba", rig.out / "icons");
    EXPECT_EQ(result.filesWritten, 2);
    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"icons0.png", "icons1.png"}));
    const IndexedPng second = decodeIndexedPng(readFile(rig.out / "icons1.png"), "icons1.png");
    EXPECT_EQ(second.width, 5);
    EXPECT_EQ(second.height, 4);
}

// The game image's rows with zero padding, which is what a PNG, holding none, gives back.
Bytes rowsPaddedWithZeros(std::int32_t width, std::int32_t height) {
    Bytes rows = filebuilders::patternRows(width, height);
    const std::int32_t rowLength = (width + 3) / 4 * 4;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (static_cast<std::int32_t>(i % rowLength) >= width)
            rows[i] = 0;
    return rows;
}

// The way back: a PNG made from a game image becomes the game image its bitmap twin becomes.
TEST(PngInput, PngGivesTheGameBitmapOfItsBitmapTwin) {
    for (const std::int32_t width : {1, 5, 8}) {
        SCOPED_TRACE(width);
        PngRig rig;
        filebuilders::PbmpFields fields;
        fields.width = width;
        fields.height = 3;
        fields.rows = rowsPaddedWithZeros(width, 3);
        writeFile(rig.in / "a.bmp", filebuilders::makePbmp(fields));
        ConvertPbmpToBmp(rig.context, rig.in / "a.bmp", rig.out / "a.bmp");
        rig.context.writesPng = true;
        ConvertPbmpToBmp(rig.context, rig.in / "a.bmp", rig.out / "a.png");
        for (const char* name : {"a.bmp", "a.png"})
            ASSERT_EQ(ConvertBmpToPbmp(rig.context, rig.out / name,
                                       rig.out / (std::string(name) + ".game"),
                                       PaletteListPosition(3), OptionSliderValue(2))
                          .outcome,
                      Outcome::Converted);
        EXPECT_EQ(readFile(rig.out / "a.png.game"), readFile(rig.out / "a.bmp.game"));
    }
}

TEST(PngInput, PngThatIsNotEightBitIndexedIsRefusedByName) {
    PngRig rig;
    const fs::path rgb = rig.in / "photo.png";
    fs::copy_file(fs::path(SKARDE_SOURCE_DIR) / "tests/data/png/rgb-8bit.png", rgb);
    const ConversionResult result = ConvertBmpToPbmp(rig.context, rgb, rig.out / "photo.bmp",
                                                     PaletteListPosition(0), OptionSliderValue(1));
    EXPECT_EQ(result.outcome, Outcome::Refused);
    EXPECT_EQ(rig.prompts.problems,
              (std::vector<std::string>{rgb.string() + ": The PNG is 8-bit RGB; only 8-bit "
                                                       "indexed PNG files are converted."}));
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
}

// A build without the PNG library says so, by name, rather than calling the PNG "not a bitmap".
TEST(PngInput, BuildWithoutPngSaysSoByName) {
    PngRig rig;
    rig.context.png = nullptr;
    const fs::path png = rig.in / "icon.png";
    writeFile(png, Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0});
    ConvertBmpToPbmp(rig.context, png, rig.out / "icon.bmp", PaletteListPosition(0),
                     OptionSliderValue(1));
    EXPECT_EQ(rig.prompts.problems,
              (std::vector<std::string>{png.string() + ": " + std::string(kPngUnavailableReason)}));
}

TEST(PngNames, PngNamesFollowTheBitmapNames) {
    EXPECT_EQ(pngPathFor("out/dunes.bmp"), fs::path("out/dunes.png"));
    EXPECT_EQ(pngPathFor("out/DUNES"), fs::path("out/DUNES.png"));
    EXPECT_EQ(pbmpNameFor("in/dunes.PNG"), fs::path("dunes.bmp"));
    EXPECT_EQ(pbmpNameFor("in/dunes.bmp"), fs::path("dunes.bmp"));
    EXPECT_EQ(pbmpNameFor("in/png"), fs::path("png"));
}

} // namespace
} // namespace skarde
