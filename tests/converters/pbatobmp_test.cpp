#include "converters/pbaformat.h"
#include "converters/pbatobmp.h"
#include "converters/pixelrows.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "testsupport/bmpbuilder.h"
#include "testsupport/pbabuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::makePba;
using filebuilders::pbaEntry;
using filebuilders::PbaFields;
using test::ConverterRig;
using test::makePal;
using test::readFile;
using test::writeFile;

const std::string kSummary3 = "3 BMP files extracted from PBA";

struct PbaToBmp : ::testing::Test {
    ConverterRig rig;

    ConversionResult convert(const PbaFields& fields, const std::string& name = "icons.pba") {
        writeFile(rig.in / name, makePba(fields));
        return ConvertPbaToBmp(rig.context, rig.in / name, rig.out / "icons");
    }
    Bytes greyTable() const {
        return filebuilders::colourTableFromPalBytes(readFile(rig.pals / "grey.pal"));
    }
    std::vector<std::string> outputs() const { return test::folderEntries(rig.out); }
};

Bytes rowsOf(const filebuilders::PbaEntryFields& entry) {
    return *entry.bitmap.rows;
}

TEST_F(PbaToBmp, WritesEachBitmapAsItsOwnFileByteForByte) {
    writeFile(rig.pals / "500.pal", makePal(11));
    writeFile(rig.pals / "503.pal", makePal(22));
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500, 0), pbaEntry(5, 3, 503, 40), pbaEntry(4, 1, 500, 80)};

    const ConversionResult result = convert(fields);
    EXPECT_EQ(result.outcome, Outcome::Converted);
    EXPECT_EQ(result.filesWritten, 3);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"icons0.bmp", "icons1.bmp", "icons2.bmp"}));
    const Bytes table500 = filebuilders::colourTableFromPalBytes(makePal(11));
    const Bytes table503 = filebuilders::colourTableFromPalBytes(makePal(22));
    EXPECT_EQ(readFile(rig.out / "icons0.bmp"),
              filebuilders::makeWrittenBmp(
                  3, 2, filebuilders::reversedRows(rowsOf(fields.entries[0]), 4), table500));
    EXPECT_EQ(readFile(rig.out / "icons1.bmp"),
              filebuilders::makeWrittenBmp(
                  5, 3, filebuilders::reversedRows(rowsOf(fields.entries[1]), 8), table503));
    EXPECT_EQ(readFile(rig.out / "icons2.bmp"),
              filebuilders::makeWrittenBmp(4, 1, rowsOf(fields.entries[2]), table500));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{kSummary3});
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(PbaToBmp, ThreeByTwoEntriesTake76BytesWithAPalettePartAnd64Without) {
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500, 0, true), pbaEntry(3, 2, 500, 50, false),
                      pbaEntry(3, 2, 500, 100, true)};
    ASSERT_EQ(filebuilders::makePbaEntry(fields.entries[0]).size(), 76u);
    ASSERT_EQ(filebuilders::makePbaEntry(fields.entries[1]).size(), 64u);
    const Bytes file = makePba(fields);
    ASSERT_EQ(file.size(), 24u + 76 + 64 + 76);

    const ByteReader reader(file);
    const PbaEntry first = locatePbaEntry(reader, 24);
    EXPECT_TRUE(first.hasPalettePart);
    EXPECT_EQ(first.nextOffset, 24u + 76);
    const PbaEntry second = locatePbaEntry(reader, first.nextOffset);
    EXPECT_FALSE(second.hasPalettePart);
    EXPECT_EQ(second.nextOffset, 24u + 76 + 64);
    EXPECT_EQ(reader.u8(static_cast<std::size_t>(second.rowsOffset())),
              rowsOf(fields.entries[1])[0]);

    convert(fields);
    ASSERT_EQ(outputs().size(), 3u);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const Bytes bmp = readFile(rig.out / ("icons" + std::to_string(k) + ".bmp"));
        ASSERT_EQ(bmp.size(), 1086u);
        const Bytes rows = rowsOf(fields.entries[static_cast<std::size_t>(k)]);
        // The entry's first pixel (the top row's) is the bitmap's first byte of its last row.
        EXPECT_EQ(Bytes(bmp.begin() + 1082, bmp.end()), Bytes(rows.begin(), rows.begin() + 4));
        EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.begin() + 1082),
                  Bytes(rows.begin() + 4, rows.end()));
    }
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{kSummary3});
}

TEST_F(PbaToBmp, AnEntryWithoutPalettePartTakesItsNumberFromTheFourBytesAfterItsDetailPart) {
    writeFile(rig.pals / "777.pal", makePal(77));
    PbaFields fields;
    // Entry 0 has no palette part: the 4 bytes at E + 64 + R are bytes 8 to 11 of the next
    // entry's header, its "head" tag, here replaced by 777 as a little-endian number.
    fields.entries = {pbaEntry(3, 2, 500, 0, false), pbaEntry(3, 2, 500, 9)};
    fields.entries[1].bitmap.headTag = std::string("\x09\x03\0\0", 4);
    convert(fields);
    const Bytes bmp = readFile(rig.out / "icons0.bmp");
    EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 1078),
              filebuilders::colourTableFromPalBytes(makePal(77)));
}

TEST_F(PbaToBmp, ANumberWithoutPaletteFileGivesGrey) {
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 4294, 0)};
    convert(fields);
    const Bytes bmp = readFile(rig.out / "icons0.bmp");
    EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 1078), greyTable());
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(PbaToBmp, ALastEntryWithoutPalettePartWhoseNumberLiesBeyondTheFileUsesGrey) {
    // 4 bytes after the detail part would be the number; the file has only 2 of them, which
    // happen to start a palette file's number.
    writeFile(rig.pals / "0.pal", makePal(3));
    writeFile(rig.pals / "1.pal", makePal(4));
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500, 0, false)};
    fields.trailing = {1, 0};
    EXPECT_EQ(convert(fields).outcome, Outcome::Converted);
    const Bytes bmp = readFile(rig.out / "icons0.bmp");
    EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 1078), greyTable());
    EXPECT_EQ(rig.prompts.worldPaletteRequests, 0);
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"1 BMP files extracted from PBA"});
}

TEST_F(PbaToBmp, ZeroBitmapsWritesNothingAndSaysZero) {
    PbaFields fields;
    fields.trailing = Bytes(100, 0xAB);
    const ConversionResult result = convert(fields);
    EXPECT_EQ(result.outcome, Outcome::Converted);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_TRUE(outputs().empty());
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"0 BMP files extracted from PBA"});
    EXPECT_EQ(rig.progress.maximum(Bar::Files), 1);
}

TEST_F(PbaToBmp, AsksForTheWorldPaletteForEveryBitmapThatNamesIt) {
    writeFile(rig.pals / "IceWorld.pal", makePal(5));
    rig.prompts.worldPalettes = {"iceworld", "NoSuchWorld"};
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 1071), pbaEntry(3, 2, 500), pbaEntry(3, 2, 1071)};
    convert(fields);
    EXPECT_EQ(rig.prompts.worldPaletteRequests, 2);
    const Bytes first = readFile(rig.out / "icons0.bmp");
    const Bytes third = readFile(rig.out / "icons2.bmp");
    EXPECT_EQ(Bytes(first.begin() + 54, first.begin() + 1078),
              filebuilders::colourTableFromPalBytes(makePal(5)));
    EXPECT_EQ(Bytes(third.begin() + 54, third.begin() + 1078), greyTable());
}

TEST_F(PbaToBmp, CountsBitmapsOnTheUpperBarAndEachBitmapsRowsOnTheLowerBar) {
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500), pbaEntry(2, 3, 500)};
    convert(fields);
    EXPECT_EQ(rig.progress.calls,
              (std::vector<std::string>{"min1 0", "min2 0", "value1 0", "max1 3",
                                        // bitmap 0: 2 rows
                                        "value2 0", "max2 3", "value2 1", "value2 2", "value1 1",
                                        // bitmap 1: 3 rows
                                        "value2 0", "max2 4", "value2 1", "value2 2", "value2 3",
                                        "value1 2"}));
}

TEST_F(PbaToBmp, CountsOnlyTheBitmapsOfTheCurrentFile) {
    PbaFields three;
    three.entries = {pbaEntry(3, 2, 500), pbaEntry(3, 2, 500), pbaEntry(3, 2, 500)};
    PbaFields two;
    two.entries = {pbaEntry(3, 2, 500), pbaEntry(3, 2, 500)};
    writeFile(rig.in / "a.pba", makePba(three));
    writeFile(rig.in / "b.pft", makePba(two));
    EXPECT_EQ(ConvertPbaToBmp(rig.context, rig.in / "a.pba", rig.out / "a").filesWritten, 3);
    EXPECT_EQ(ConvertPbaToBmp(rig.context, rig.in / "b.pft", rig.out / "b").filesWritten, 2);
    EXPECT_EQ(rig.prompts.messages,
              (std::vector<std::string>{kSummary3, "2 BMP files extracted from PBA"}));
    EXPECT_EQ(outputs(),
              (std::vector<std::string>{"a0.bmp", "a1.bmp", "a2.bmp", "b0.bmp", "b1.bmp"}));
}

TEST_F(PbaToBmp, ASecondRunReplacesTheFilesWithFilesOfExactlyTheNewLength) {
    PbaFields big;
    big.entries = {pbaEntry(40, 30, 500), pbaEntry(40, 30, 500)};
    convert(big);
    ASSERT_EQ(readFile(rig.out / "icons0.bmp").size(), 1078u + 40 * 30);
    PbaFields small;
    small.entries = {pbaEntry(3, 2, 500, 1), pbaEntry(1, 1, 500, 2)};
    convert(small);
    EXPECT_EQ(readFile(rig.out / "icons0.bmp"),
              filebuilders::makeWrittenBmp(
                  3, 2, filebuilders::reversedRows(rowsOf(small.entries[0]), 4), greyTable()));
    EXPECT_EQ(readFile(rig.out / "icons1.bmp").size(), 1078u + 4);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"icons0.bmp", "icons1.bmp"}));
}

TEST_F(PbaToBmp, HeadersDescribeTheRowsWrittenWhateverDataLengthClaims) {
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500)};
    fields.entries[0].bitmap.dataLength = 999;
    convert(fields);
    const Bytes bmp = readFile(rig.out / "icons0.bmp");
    ASSERT_EQ(bmp.size(), 1086u);
    EXPECT_EQ(ByteReader(bmp).u32(2), 1086u);
    EXPECT_EQ(ByteReader(bmp).u32(34), 8u);
}

TEST_F(PbaToBmp, WritesEachBitmapAtItsOwnSize) {
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500), pbaEntry(7, 5, 503)};
    convert(fields);
    const Bytes first = readFile(rig.out / "icons0.bmp");
    const Bytes second = readFile(rig.out / "icons1.bmp");
    ASSERT_GE(first.size(), 54u);
    ASSERT_GE(second.size(), 54u);
    EXPECT_EQ(ByteReader(first).i32(18), 3);
    EXPECT_EQ(ByteReader(first).i32(22), 2);
    EXPECT_EQ(ByteReader(second).i32(18), 7);
    EXPECT_EQ(ByteReader(second).i32(22), 5);
}

TEST_F(PbaToBmp, RefusesASingleBitmapAndWritesNothing) {
    PbaFields fields;
    fields.magic = "PBMP";
    fields.entries = {pbaEntry(3, 2, 500)};
    writeFile(rig.out / "icons0.bmp", Bytes{7, 7});
    EXPECT_EQ(convert(fields).outcome, Outcome::Refused);
    EXPECT_EQ(rig.prompts.messages,
              std::vector<std::string>{"This is not a valid Ziraruv Izoviv Uzuzi file"});
    EXPECT_TRUE(rig.prompts.problems.empty());
    EXPECT_EQ(readFile(rig.out / "icons0.bmp"), (Bytes{7, 7}));
    EXPECT_EQ(outputs(), std::vector<std::string>{"icons0.bmp"});
}

TEST_F(PbaToBmp, RefusesOtherMagicsOfAnyCase) {
    for (const std::string magic : {"pbma", "PBM", "", "XPBMA"}) {
        SCOPED_TRACE(magic);
        ConverterRig fresh;
        PbaFields fields;
        fields.magic = magic;
        writeFile(fresh.in / "x.pba", makePba(fields));
        EXPECT_EQ(ConvertPbaToBmp(fresh.context, fresh.in / "x.pba", fresh.out / "x").outcome,
                  Outcome::Refused);
        EXPECT_EQ(fresh.prompts.messages,
                  std::vector<std::string>{"This is not a valid Ziraruv Izoviv Uzuzi file"});
        EXPECT_TRUE(test::folderEntries(fresh.out).empty());
    }
}

// A damaged file: a message naming it (and the entry), conversion stops, the bitmaps already
// written stay and the closing message counts them.
struct DamagedPba {
    std::string what;
    Bytes bytes;
    int expectedWritten;
    std::string expectedInProblem;
};

std::vector<DamagedPba> damagedFiles() {
    const auto with = [](auto change) {
        PbaFields fields;
        fields.entries = {pbaEntry(3, 2, 500), pbaEntry(5, 2, 500), pbaEntry(2, 2, 500)};
        change(fields);
        return makePba(fields);
    };
    Bytes cutInRows = with([](PbaFields&) {});
    cutInRows.resize(24 + 76 + 44 + 16 + 12 - 1); // entry 1's detail part lacks a byte
    Bytes cutInPalettePart = with([](PbaFields&) {});
    cutInPalettePart.resize(cutInPalettePart.size() - 3);
    Bytes shortHeader = {'P', 'B', 'M', 'A', 0, 0, 0, 0, 0, 0};
    return {
        {"negative count", with([](PbaFields& s) { s.bitmapCount = -1; }), 0, "-1 bitmaps"},
        {"count above 32767", with([](PbaFields& s) { s.bitmapCount = 32768; }), 0,
         "32768 bitmaps"},
        {"count beyond the file", with([](PbaFields& s) { s.bitmapCount = 4; }), 3,
         "Bitmap entry 3"},
        {"width 0", with([](PbaFields& s) {
             s.entries[1].bitmap.width = 0;
             s.entries[1].bitmap.rows = Bytes();
         }),
         1, "Bitmap entry 1"},
        {"negative height", with([](PbaFields& s) {
             s.entries[2].bitmap.height = -3;
             s.entries[2].bitmap.rows = Bytes();
         }),
         2, "Bitmap entry 2"},
        {"height above 32767", with([](PbaFields& s) {
             s.entries[0].bitmap.height = 32768;
             s.entries[0].bitmap.width = 1;
             s.entries[0].bitmap.rows = Bytes();
         }),
         0, "Bitmap entry 0"},
        {"stride above 32767", with([](PbaFields& s) {
             s.entries[1].bitmap.width = 32765;
             s.entries[1].bitmap.height = 1;
             s.entries[1].bitmap.rows = Bytes();
         }),
         1, "Bitmap entry 1"},
        {"huge declared rows", with([](PbaFields& s) {
             s.entries[0].bitmap.width = 32764;
             s.entries[0].bitmap.height = 32767;
             s.entries[0].bitmap.rows = Bytes();
         }),
         0, "Bitmap entry 0"},
        {"file cut in entry 1", cutInRows, 1, "Bitmap entry 1"},
        {"file cut in the last palette part", cutInPalettePart, 2, "Bitmap entry 2"},
        {"header cut short", shortHeader, -1, "24 bytes"},
    };
}

TEST_F(PbaToBmp, StopsAtADamagedEntryKeepingAndCountingWhatWasWritten) {
    for (const DamagedPba& damaged : damagedFiles()) {
        SCOPED_TRACE(damaged.what);
        ConverterRig fresh;
        const fs::path input = fresh.in / "icons.pba";
        writeFile(input, damaged.bytes);
        const ConversionResult result = ConvertPbaToBmp(fresh.context, input, fresh.out / "icons");
        EXPECT_EQ(result.outcome, Outcome::Refused);
        ASSERT_EQ(fresh.prompts.problems.size(), 1u);
        const std::string& problem = fresh.prompts.problems[0];
        EXPECT_EQ(problem.rfind(input.string() + ": ", 0), 0u) << problem;
        EXPECT_NE(problem.find(damaged.expectedInProblem), std::string::npos) << problem;
        if (damaged.expectedWritten < 0) { // refused before any bitmap: no closing message
            EXPECT_TRUE(fresh.prompts.messages.empty());
            EXPECT_TRUE(test::folderEntries(fresh.out).empty());
            continue;
        }
        EXPECT_EQ(result.filesWritten, damaged.expectedWritten);
        EXPECT_EQ(fresh.prompts.messages,
                  std::vector<std::string>{std::to_string(damaged.expectedWritten) +
                                           " BMP files extracted from PBA"});
        std::vector<std::string> expectedFiles;
        for (int k = 0; k < damaged.expectedWritten; ++k)
            expectedFiles.push_back("icons" + std::to_string(k) + ".bmp");
        EXPECT_EQ(test::folderEntries(fresh.out), expectedFiles);
    }
}

// A bitmap array already in memory writes what its file writes, with the same bars and count,
// and its damage is reported about the name given.
TEST_F(PbaToBmp, ConvertsBytesAsItConvertsTheirFile) {
    writeFile(rig.pals / "500.pal", makePal(11));
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500, 0), pbaEntry(5, 3, 500, 40), pbaEntry(4, 1, 500, 80)};
    ASSERT_EQ(convert(fields).filesWritten, 3);

    ConverterRig fromBytes;
    writeFile(fromBytes.pals / "500.pal", makePal(11));
    const ConversionResult result =
        ConvertPbaToBmp(fromBytes.context, makePba(fields), "icons.pba", fromBytes.out / "icons");
    EXPECT_EQ(result.outcome, Outcome::Converted);
    EXPECT_EQ(result.filesWritten, 3);
    EXPECT_EQ(test::folderEntries(fromBytes.out), outputs());
    for (const std::string& name : outputs())
        EXPECT_EQ(readFile(fromBytes.out / name), readFile(rig.out / name)) << name;
    EXPECT_EQ(fromBytes.progress.calls, rig.progress.calls);
    EXPECT_EQ(fromBytes.prompts.messages, rig.prompts.messages);

    Bytes cut = makePba(fields);
    cut.resize(cut.size() - 30);
    ConverterRig damaged;
    EXPECT_EQ(ConvertPbaToBmp(damaged.context, cut, "icons.pba", damaged.out / "icons").outcome,
              Outcome::Refused);
    ASSERT_EQ(damaged.prompts.problems.size(), 1u);
    EXPECT_EQ(damaged.prompts.problems[0].rfind("icons.pba: Bitmap entry 2 ", 0), 0u)
        << damaged.prompts.problems[0];
    EXPECT_EQ(damaged.prompts.messages, std::vector<std::string>{"2 BMP files extracted from PBA"});
}

TEST_F(PbaToBmp, ReportsAMissingGreyPaletteAndStops) {
    fs::remove(rig.pals / "grey.pal");
    writeFile(rig.pals / "500.pal", makePal(1));
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500), pbaEntry(3, 2, 4294), pbaEntry(3, 2, 500)};
    const ConversionResult result = convert(fields);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.filesWritten, 1);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("grey.pal"), std::string::npos);
    EXPECT_EQ(outputs(), std::vector<std::string>{"icons0.bmp"});
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"1 BMP files extracted from PBA"});
}

TEST_F(PbaToBmp, ReportsAnUnreadableInputWithoutClosingMessage) {
    const ConversionResult result =
        ConvertPbaToBmp(rig.context, rig.in / "missing.pba", rig.out / "missing");
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("missing.pba"), std::string::npos);
    EXPECT_TRUE(rig.prompts.messages.empty());
}

TEST_F(PbaToBmp, ReportsAnOutputThatCannotBeWrittenAndLeavesTheOlderFile) {
    fs::create_directory(rig.out / "icons1.bmp"); // a folder stands where bitmap 1 should go
    PbaFields fields;
    fields.entries = {pbaEntry(3, 2, 500), pbaEntry(3, 2, 500), pbaEntry(3, 2, 500)};
    const ConversionResult result = convert(fields);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.filesWritten, 1);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("icons1.bmp"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(rig.out / "icons1.bmp"));
    EXPECT_EQ(outputs(), (std::vector<std::string>{"icons0.bmp", "icons1.bmp"}));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"1 BMP files extracted from PBA"});
}

TEST(PbaOutputPath, AppendsTheNumberAndExtensionToTheBase) {
    EXPECT_EQ(pbaOutputPath(fs::path("/out/skins"), 0), fs::path("/out/skins0.bmp"));
    EXPECT_EQ(pbaOutputPath(fs::path("/out/skins"), 12), fs::path("/out/skins12.bmp"));
    EXPECT_EQ(pbaOutputPath(fs::path("/out/"), 3), fs::path("/out/3.bmp"));
}

} // namespace
} // namespace skarde
