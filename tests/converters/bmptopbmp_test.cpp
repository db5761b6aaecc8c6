#include "converters/bmptopbmp.h"
#include "converters/pbmpchoices.h"
#include "converters/pbmpformat.h"
#include "converters/pixelrows.h"
#include "fixtures/converterrig.h"
#include "testsupport/bmpbuilder.h"
#include "testsupport/pbmpbuilder.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <stdexcept>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::BmpFields;
using filebuilders::makeBmp;
using test::ConverterRig;
using test::readFile;
using test::writeFile;

struct BmpToPbmp : ::testing::Test {
    ConverterRig rig;

    ConversionResult convert(const Bytes& bmp, PaletteListPosition palette = PaletteListPosition(0),
                             OptionSliderValue option = OptionSliderValue(1),
                             const std::string& name = "a.bmp") {
        writeFile(rig.in / name, bmp);
        return ConvertBmpToPbmp(rig.context, rig.in / name, rig.out / name, palette, option);
    }
    Bytes output(const std::string& name = "a.bmp") const { return readFile(rig.out / name); }
};

// The game bitmap the converter should write, built by the fixture writer.
Bytes expectedPbmp(std::int32_t width, std::int32_t height, const Bytes& rowsTopFirst,
                   std::int32_t paletteNumber, std::uint32_t attributes) {
    filebuilders::PbmpFields fields;
    fields.width = width;
    fields.height = height;
    fields.rows = rowsTopFirst;
    fields.paletteNumber = paletteNumber;
    fields.attributes = attributes;
    return filebuilders::makePbmp(fields);
}

TEST_F(BmpToPbmp, TurnsTheTwoByTwoExampleIntoA76BytePbmpTopRowFirst) {
    // Stored bottom row B first, then top row T; each with two padding bytes of its own.
    const Bytes bottom{0xB1, 0xB2, 0xE1, 0xE2};
    const Bytes top{0x71, 0x72, 0xF1, 0xF2};
    Bytes stored = bottom;
    stored.insert(stored.end(), top.begin(), top.end());
    const Bytes bmp = makeBmp(2, 2, stored);
    ASSERT_EQ(bmp.size(), 1078u + 8);

    EXPECT_EQ(convert(bmp, PaletteListPosition(0), OptionSliderValue(1)).outcome,
              Outcome::Converted);
    const Bytes pbmp = output();
    ASSERT_EQ(pbmp.size(), 76u);
    Bytes topFirst = top;
    topFirst.insert(topFirst.end(), bottom.begin(), bottom.end());
    EXPECT_EQ(pbmp, expectedPbmp(2, 2, topFirst, 500, 8));
    const ByteReader reader(pbmp);
    EXPECT_EQ(reader.u32(4), 40u); // fileChunkLength
    EXPECT_EQ(reader.i32(40), 8);  // dataLength
    EXPECT_EQ(Bytes(pbmp.begin() + 44, pbmp.begin() + 48), top);
    EXPECT_EQ(Bytes(pbmp.begin() + 48, pbmp.begin() + 52), bottom);
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(BmpToPbmp, KeepsRowLengthsOfWidthsOneFourAndSix) {
    for (const auto& [width, rowLength] :
         std::vector<std::pair<std::int32_t, std::size_t>>{{1, 4}, {4, 4}, {6, 8}, {8, 8}}) {
        SCOPED_TRACE(width);
        const Bytes stored = filebuilders::patternRows(width, 3, static_cast<std::uint8_t>(width));
        ASSERT_EQ(stored.size(), 3 * rowLength);
        convert(makeBmp(width, 3, stored));
        const Bytes pbmp = output();
        ASSERT_EQ(pbmp.size(), 68 + 3 * rowLength);
        EXPECT_EQ(ByteReader(pbmp).i32(20), width); // the unpadded width
        EXPECT_EQ(pbmp,
                  expectedPbmp(width, 3, filebuilders::reversedRows(stored, rowLength), 500, 8));
    }
}

TEST_F(BmpToPbmp, WritesTheChosenPaletteNumberAndAttributes) {
    convert(makeBmp(BmpFields{}), PaletteListPosition(15), OptionSliderValue(2));
    EXPECT_EQ(ByteReader(output()).i32(72), 1975);
    EXPECT_EQ(ByteReader(output()).u32(32), 24u);
}

// The text a user types is read at the edges (the command line's own tests); here every list
// position and slider value must reach the file as its own number and attributes.
TEST_F(BmpToPbmp, WritesTheNumberOfEveryListPositionAndTheAttributesOfEverySliderValue) {
    const std::vector<std::pair<int, std::int32_t>> palettes{{0, 500},   {3, 506},   {9, 1071},
                                                             {14, 1974}, {15, 1975}, {19, 5150}};
    for (const auto& [position, number] : palettes) {
        SCOPED_TRACE("list position " + std::to_string(position));
        convert(makeBmp(BmpFields{}), PaletteListPosition(position), OptionSliderValue(1));
        EXPECT_EQ(ByteReader(output()).i32(72), number);
    }
    const std::vector<std::pair<int, std::uint32_t>> options{
        {1, 8}, {2, 24}, {3, 40}, {4, 12}, {5, 9}};
    for (const auto& [value, attributes] : options) {
        SCOPED_TRACE("slider value " + std::to_string(value));
        convert(makeBmp(BmpFields{}), PaletteListPosition(0), OptionSliderValue(value));
        EXPECT_EQ(ByteReader(output()).u32(32), attributes);
    }
}

TEST_F(BmpToPbmp, ReportsRowsOnTheLowerBarOnly) {
    BmpFields fields;
    fields.width = 5;
    fields.height = 4;
    convert(makeBmp(fields));
    EXPECT_EQ(rig.progress.calls,
              (std::vector<std::string>{"min2 0", "value2 0", "max2 4", "value2 1", "value2 2",
                                        "value2 3", "value2 4"}));
}

TEST_F(BmpToPbmp, ReadsTheRowsFromBfOffBitsAfterAShortColourTable) {
    BmpFields fields;
    fields.width = 3;
    fields.height = 2;
    fields.colourTableEntries = 16;
    const Bytes stored{1, 2, 3, 0xAA, 4, 5, 6, 0xBB};
    fields.rows = stored;
    const Bytes bmp = makeBmp(fields);
    ASSERT_EQ(ByteReader(bmp).u32(10), 14u + 40 + 64);
    convert(bmp);
    EXPECT_EQ(output(), expectedPbmp(3, 2, Bytes{4, 5, 6, 0xBB, 1, 2, 3, 0xAA}, 500, 8));
}

TEST_F(BmpToPbmp, ReadsTheRowsFromBfOffBitsAfterAGapAndALargerInfoHeader) {
    BmpFields fields;
    fields.infoHeaderExtra = Bytes(124 - 40, 0x11); // a V5 header
    fields.gapBeforeRows = Bytes(6, 0x99);
    fields.trailing = Bytes(10, 0x77);
    convert(makeBmp(fields));
    EXPECT_EQ(
        output(),
        expectedPbmp(2, 2, filebuilders::reversedRows(filebuilders::patternRows(2, 2), 4), 500, 8));
}

TEST_F(BmpToPbmp, KeepsTheRowOrderOfATopDownBitmap) {
    BmpFields fields;
    fields.width = 3;
    fields.height = -3;
    const Bytes storedTopFirst = filebuilders::patternRows(3, 3, 9);
    fields.rows = storedTopFirst;
    convert(makeBmp(fields));
    const Bytes pbmp = output();
    EXPECT_EQ(pbmp, expectedPbmp(3, 3, storedTopFirst, 500, 8));
    EXPECT_EQ(ByteReader(pbmp).i32(24), 3);
}

TEST_F(BmpToPbmp, DescribesTheRowsWrittenWhateverBfSizeSays) {
    for (const std::uint32_t bfSize : {0u, 1000u, 5000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(bfSize);
        BmpFields fields;
        fields.width = 5;
        fields.height = 2;
        fields.bfSize = bfSize;
        convert(makeBmp(fields));
        const Bytes pbmp = output();
        ASSERT_EQ(pbmp.size(), 68u + 16);
        EXPECT_EQ(ByteReader(pbmp).u32(4), 48u);
        EXPECT_EQ(ByteReader(pbmp).i32(40), 16);
        EXPECT_EQ(pbmp,
                  expectedPbmp(5, 2, filebuilders::reversedRows(filebuilders::patternRows(5, 2), 8),
                               500, 8));
    }
}

TEST_F(BmpToPbmp, ConvertsAFileOntoItsOwnPath) {
    const fs::path file = rig.in / "self.bmp";
    writeFile(file, makeBmp(BmpFields{}));
    EXPECT_EQ(
        ConvertBmpToPbmp(rig.context, file, file, PaletteListPosition(19), OptionSliderValue(5))
            .outcome,
        Outcome::Converted);
    const Bytes pbmp = readFile(file);
    EXPECT_EQ(pbmp,
              expectedPbmp(2, 2, filebuilders::reversedRows(filebuilders::patternRows(2, 2), 4),
                           5150, 9));
    EXPECT_EQ(test::folderEntries(rig.in), std::vector<std::string>{"self.bmp"});
}

TEST_F(BmpToPbmp, ReplacesALongerExistingFileWhole) {
    writeFile(rig.out / "a.bmp", Bytes(5000, 0x55));
    convert(makeBmp(BmpFields{}));
    EXPECT_EQ(output().size(), 76u);
}

TEST_F(BmpToPbmp, WritesATopDownBitmapsSizeChoicesAndPalette) {
    BmpFields fields;
    fields.width = 7;
    fields.height = -5;
    convert(makeBmp(fields), PaletteListPosition(3), OptionSliderValue(4));
    const Bytes pbmp = output();
    const ByteReader reader(pbmp);
    const PbmpHeader header = readPbmpHeader(reader, 0);
    EXPECT_EQ(header.width, 7);
    EXPECT_EQ(header.height, 5);
    EXPECT_EQ(header.attributes, 12u);
    EXPECT_EQ(readPbmpTrailer(reader, pbmp.size() - kPbmpTrailerSize).paletteNumber, 506);
}

// Each refused source: the message, nothing written, an existing output untouched.
struct RefusedBmp {
    std::string what;
    Bytes bytes;
    std::string expectedMessage; // empty: a problem naming the file and saying why
    std::string expectedReason;  // part of that problem's text
};

std::vector<RefusedBmp> refusedBmps() {
    const auto with = [](auto change) {
        BmpFields fields;
        change(fields);
        return makeBmp(fields);
    };
    Bytes cutRows = makeBmp(BmpFields{});
    cutRows.resize(cutRows.size() - 1);
    const std::string notBitmap = "This is not a valid Bitmap file";
    return {
        {"lower-case bm", with([](BmpFields& s) { s.bfType = "bm"; }), notBitmap, ""},
        {"BA", with([](BmpFields& s) { s.bfType = "BA"; }), notBitmap, ""},
        {"PBMP", filebuilders::makePbmp(filebuilders::PbmpFields{}), notBitmap, ""},
        {"empty file", Bytes{}, notBitmap, ""},
        {"one byte", Bytes{'B'}, notBitmap, ""},
        {"only BM", Bytes{'B', 'M'}, "", "shorter"},
        {"24 bits", with([](BmpFields& s) {
             s.bitCount = 24;
             s.colourTableEntries = 0;
             s.rows = Bytes(2 * 8, 0);
         }),
         "", "24 bits per pixel"},
        {"4 bits", with([](BmpFields& s) {
             s.bitCount = 4;
             s.colourTableEntries = 16;
         }),
         "", "4 bits per pixel"},
        {"1 bit", with([](BmpFields& s) {
             s.bitCount = 1;
             s.colourTableEntries = 2;
         }),
         "", "1 bits per pixel"},
        {"RLE8", with([](BmpFields& s) { s.compression = 1; }), "", "compressed (RLE8)"},
        {"bit fields", with([](BmpFields& s) { s.compression = 3; }), "", "compressed"},
        {"OS/2 header", with([](BmpFields& s) { s.os2Header = true; }), "", "OS/2"},
        {"16-byte info header", with([](BmpFields& s) { s.biSize = 16; }), "", "16 bytes"},
        {"info header past the end", with([](BmpFields& s) { s.biSize = 5000; }), "",
         "info header"},
        {"height 0", with([](BmpFields& s) {
             s.height = 0;
             s.rows = Bytes();
         }),
         "", "height must not be 0"},
        {"width 0", with([](BmpFields& s) {
             s.width = 0;
             s.rows = Bytes();
         }),
         "", "width must be at least 1"},
        {"height above 32767", with([](BmpFields& s) {
             s.width = 1;
             s.height = 32768;
             s.rows = Bytes();
         }),
         "", "32767"},
        {"top-down height above 32767", with([](BmpFields& s) {
             s.width = 1;
             s.height = -32768;
             s.rows = Bytes();
         }),
         "", "32767"},
        {"lowest height", with([](BmpFields& s) {
             s.width = 1;
             s.height = std::numeric_limits<std::int32_t>::min();
             s.rows = Bytes();
         }),
         "", "32767"},
        {"rows above 32767 bytes", with([](BmpFields& s) {
             s.width = 32765;
             s.height = 1;
             s.rows = Bytes();
         }),
         "", "32767"},
        {"rows cut short", cutRows, "", "shorter than the 8 bytes of pixel rows"},
        {"huge declared size", with([](BmpFields& s) {
             s.width = 32764;
             s.height = 32767;
             s.rows = Bytes();
         }),
         "", "shorter than"},
        {"rows inside the headers", with([](BmpFields& s) { s.bfOffBits = 20; }), "",
         "inside the headers"},
        {"rows beyond the file", with([](BmpFields& s) { s.bfOffBits = 0xFFFFFFF0u; }), "",
         "shorter than"},
    };
}

TEST_F(BmpToPbmp, RefusesUnusableSourcesAndWritesNothing) {
    for (const RefusedBmp& source : refusedBmps()) {
        SCOPED_TRACE(source.what);
        ConverterRig fresh;
        writeFile(fresh.out / "keep.bmp", Bytes{9, 9, 9});
        writeFile(fresh.in / "keep.bmp", source.bytes);
        const ConversionResult result =
            ConvertBmpToPbmp(fresh.context, fresh.in / "keep.bmp", fresh.out / "keep.bmp",
                             PaletteListPosition(1), OptionSliderValue(2));
        EXPECT_EQ(result.outcome, Outcome::Refused);
        EXPECT_EQ(result.filesWritten, 0);
        if (source.expectedMessage.empty()) {
            ASSERT_EQ(fresh.prompts.problems.size(), 1u);
            const std::string& problem = fresh.prompts.problems[0];
            EXPECT_EQ(problem.rfind((fresh.in / "keep.bmp").string() + ": ", 0), 0u) << problem;
            EXPECT_NE(problem.find(source.expectedReason), std::string::npos) << problem;
            EXPECT_TRUE(fresh.prompts.messages.empty());
        } else {
            EXPECT_EQ(fresh.prompts.messages, std::vector<std::string>{source.expectedMessage});
            EXPECT_TRUE(fresh.prompts.problems.empty());
        }
        EXPECT_EQ(readFile(fresh.out / "keep.bmp"), (Bytes{9, 9, 9}));
        EXPECT_EQ(test::folderEntries(fresh.out), std::vector<std::string>{"keep.bmp"});
        EXPECT_EQ(fresh.progress.value(Bar::Rows), 0);
    }
}

TEST_F(BmpToPbmp, ReportsAnUnreadableSource) {
    const ConversionResult result =
        ConvertBmpToPbmp(rig.context, rig.in / "missing.bmp", rig.out / "missing.bmp",
                         PaletteListPosition(0), OptionSliderValue(1));
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("missing.bmp"), std::string::npos);
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
}

TEST_F(BmpToPbmp, ReportsAFolderStandingAtTheDestination) {
    fs::create_directory(rig.out / "a.bmp");
    EXPECT_EQ(convert(makeBmp(BmpFields{})).outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_TRUE(fs::is_directory(rig.out / "a.bmp"));
}

TEST(PbmpChoices, MapsEveryListPositionToItsPaletteNumber) {
    const std::vector<std::int32_t> numbers{500,  503,  504,  506,  509,  510,  518,
                                            519,  520,  1071, 1135, 1136, 1137, 1467,
                                            1974, 1975, 1976, 1977, 4294, 5150};
    for (std::size_t position = 0; position < numbers.size(); ++position) {
        EXPECT_EQ(PaletteListPosition(static_cast<int>(position)).paletteNumber(),
                  numbers[position]);
        EXPECT_EQ(kGamePaletteChoices[position].paletteNumber, numbers[position]);
    }
    EXPECT_EQ(kGamePaletteChoices[0].listName, "Desert");
    EXPECT_EQ(kGamePaletteChoices[9].listName, "xxxxWORLD");
    EXPECT_EQ(kGamePaletteChoices[19].listName, "Interface");
}

// A choice outside the list or off the slider would write a palette or attributes the game
// does not know, so none can be made.
TEST(PbmpChoices, HoldOnlyPositionsOfTheListAndValuesOfTheSlider) {
    for (const int position : {-1, 20, 500}) {
        SCOPED_TRACE(position);
        EXPECT_THROW(static_cast<void>(PaletteListPosition(position)), std::out_of_range);
    }
    for (const int value : {-1, 0, 6, 8}) {
        SCOPED_TRACE(value);
        EXPECT_THROW(static_cast<void>(OptionSliderValue(value)), std::out_of_range);
    }
}

TEST(PbmpChoices, GivesTheListEntriesAsTheWindowShowsThem) {
    EXPECT_EQ(paletteListEntryText(0), " 500         Desert");
    EXPECT_EQ(paletteListEntryText(1), " 503\tHuman1");
    EXPECT_EQ(paletteListEntryText(8), " 520\tAlien");
    EXPECT_EQ(paletteListEntryText(9), "1071\txxxxWORLD");
    EXPECT_EQ(paletteListEntryText(19), "5150\tInterface");
}

TEST(PbmpChoices, GivesEachSliderPositionItsOwnFlagOnTopOfTheBaseAttributes) {
    constexpr std::uint32_t kBase = 8; // what "None" writes
    std::set<std::uint32_t> flags;
    for (std::size_t i = 0; i < kDrawingOptionChoices.size(); ++i) {
        const DrawingOptionChoice& option = kDrawingOptionChoices[i];
        EXPECT_EQ(option.sliderValue, static_cast<int>(i) + 1);
        EXPECT_EQ(option.attributes & kBase, kBase) << option.sliderValue;
        const std::uint32_t flag = option.attributes & ~kBase;
        EXPECT_TRUE(flag == 0 || (flag & (flag - 1)) == 0) << option.sliderValue; // one bit
        flags.insert(flag);
        EXPECT_EQ(OptionSliderValue(option.sliderValue).attributes(), option.attributes);
    }
    EXPECT_EQ(kDrawingOptionChoices.front().attributes, kBase);
    EXPECT_EQ(flags.size(), kDrawingOptionChoices.size());
}

} // namespace
} // namespace skarde
