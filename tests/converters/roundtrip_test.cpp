// Conversions chained as a user chains them: a picture made into a game bitmap and back, and a
// palette list turned into the pals folder that colours the game bitmaps.

#include "converters/bmptopbmp.h"
#include "converters/pbmptobmp.h"
#include "converters/ppltopal.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "testsupport/bmpbuilder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::BmpFields;
using filebuilders::pplPalette;
using test::ConverterRig;
using test::readFile;
using test::writeFile;

TEST(RoundTrip, BmpToPbmpToBmpKeepsEveryPixelAndPaddingByte) {
    for (const std::int32_t width : {1, 2, 3, 4, 5, 6, 7, 8, 13}) {
        for (const std::int32_t height : {1, 2, 5}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            ConverterRig rig;
            BmpFields fields;
            fields.width = width;
            fields.height = height;
            fields.rows =
                filebuilders::patternRows(width, height, static_cast<std::uint8_t>(width * height));
            const Bytes original = filebuilders::makeBmp(fields);
            writeFile(rig.in / "picture.bmp", original);

            ASSERT_EQ(ConvertBmpToPbmp(rig.context, rig.in / "picture.bmp", rig.out / "game.bmp",
                                       PaletteListPosition(0), OptionSliderValue(1))
                          .outcome,
                      Outcome::Converted);
            ASSERT_EQ(
                ConvertPbmpToBmp(rig.context, rig.out / "game.bmp", rig.out / "back.bmp").outcome,
                Outcome::Converted);
            const Bytes back = readFile(rig.out / "back.bmp");
            ASSERT_EQ(back.size(), original.size());
            // Every pixel row, padding included, in the same place.
            EXPECT_EQ(Bytes(back.begin() + 1078, back.end()),
                      Bytes(original.begin() + 1078, original.end()));
            EXPECT_EQ(ByteReader(back).i32(18), width);
            EXPECT_EQ(ByteReader(back).i32(22), height);
        }
    }
}

TEST(RoundTrip, ATopDownBmpComesBackBottomUpWithTheSamePicture) {
    ConverterRig rig;
    BmpFields fields;
    fields.width = 3;
    fields.height = -4;
    const Bytes topFirst = filebuilders::patternRows(3, 4, 33);
    fields.rows = topFirst;
    writeFile(rig.in / "t.bmp", filebuilders::makeBmp(fields));
    ConvertBmpToPbmp(rig.context, rig.in / "t.bmp", rig.out / "t.pbmp", PaletteListPosition(0),
                     OptionSliderValue(1));
    ConvertPbmpToBmp(rig.context, rig.out / "t.pbmp", rig.out / "t.bmp");
    const Bytes back = readFile(rig.out / "t.bmp");
    EXPECT_EQ(ByteReader(back).i32(22), 4);
    EXPECT_EQ(Bytes(back.begin() + 1078, back.end()), filebuilders::reversedRows(topFirst, 4));
}

TEST(RoundTrip, PalettesFromAPplColourAGameBitmapThatNamesOne) {
    ConverterRig rig;
    filebuilders::PplFields ppl;
    ppl.palettes = {pplPalette(500, 10), pplPalette(1975, 20), pplPalette(5150, 30)};
    writeFile(rig.in / "world.ppl", filebuilders::makePpl(ppl));

    // Extract into a pals folder that already holds the grey template.
    const fs::path pals = rig.root / "gamepals";
    test::writeGreyPal(pals);
    rig.context.palsFolder = rig.pals; // the template comes from the program's pals folder
    ASSERT_EQ(ConvertPplToPal(rig.context, rig.in / "world.ppl", pals).filesWritten, 3);

    // Position 15 of the RuziRire+ list is 1975; convert a picture with it and back through the
    // extracted folder.
    const Bytes rows = filebuilders::patternRows(6, 3, 7);
    writeFile(rig.in / "p.bmp", filebuilders::makeBmp(6, 3, rows));
    ASSERT_EQ(ConvertBmpToPbmp(rig.context, rig.in / "p.bmp", rig.out / "p.pbmp",
                               PaletteListPosition(15), OptionSliderValue(2))
                  .outcome,
              Outcome::Converted);
    rig.context.palsFolder = pals;
    ASSERT_EQ(ConvertPbmpToBmp(rig.context, rig.out / "p.pbmp", rig.out / "p.bmp").outcome,
              Outcome::Converted);

    const Bytes back = readFile(rig.out / "p.bmp");
    const Bytes colours = filebuilders::pplColours(20);
    Bytes expectedTable;
    for (std::size_t i = 0; i < 256; ++i) {
        expectedTable.push_back(colours[4 * i + 2]); // blue
        expectedTable.push_back(colours[4 * i + 1]); // green
        expectedTable.push_back(colours[4 * i]);     // red
        expectedTable.push_back(0);                  // grey.pal's flags byte
    }
    EXPECT_EQ(Bytes(back.begin() + 54, back.begin() + 1078), expectedTable);
    EXPECT_EQ(back, filebuilders::makeWrittenBmp(6, 3, rows, expectedTable));
}

} // namespace
} // namespace skarde
