#include "converters/palette.h"
#include "converters/pbmptobmp.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/pbmpbuilder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::makePbmp;
using filebuilders::PbmpFields;
using test::ConverterRig;
using test::makePal;
using test::readFile;
using test::writeFile;

struct PbmpToBmp : ::testing::Test {
    ConverterRig rig;

    ConversionResult convert(const PbmpFields& fields, const std::string& name = "a.pbmp") {
        writeFile(rig.in / name, makePbmp(fields));
        return ConvertPbmpToBmp(rig.context, rig.in / name, rig.out / name);
    }
};

TEST_F(PbmpToBmp, ConvertsTheThreeByTwoExampleByteForByte) {
    writeFile(rig.pals / "500.pal", makePal(11));
    const Bytes rows{1, 2, 3, 0xAA, 4, 5, 6, 0xBB}; // top row, then bottom row; pads AA, BB
    PbmpFields fields;
    fields.rows = rows;
    ASSERT_EQ(makePbmp(fields).size(), 76u);

    EXPECT_EQ(convert(fields).outcome, Outcome::Converted);
    const Bytes bmp = readFile(rig.out / "a.pbmp");
    ASSERT_EQ(bmp.size(), 1086u);
    const ByteReader reader(bmp);
    EXPECT_EQ(reader.u32(2), 1086u);
    EXPECT_EQ(reader.u32(10), 1078u);
    EXPECT_EQ(reader.i32(18), 3);
    EXPECT_EQ(reader.i32(22), 2);
    EXPECT_EQ(reader.u32(34), 8u);
    const BmpColourTable expectedTable =
        colourTableFromPalette(readPalFile(ByteReader(makePal(11))).data);
    EXPECT_TRUE(std::equal(expectedTable.begin(), expectedTable.end(), bmp.begin() + 54));
    EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.end()), (Bytes{4, 5, 6, 0xBB, 1, 2, 3, 0xAA}));
    EXPECT_TRUE(rig.prompts.messages.empty());
}

TEST_F(PbmpToBmp, ReportsRowsOnTheLowerBarOnly) {
    PbmpFields fields;
    fields.width = 5;
    fields.height = 4;
    convert(fields);
    EXPECT_EQ(rig.progress.calls,
              (std::vector<std::string>{"min2 0", "value2 0", "max2 4", "value2 1", "value2 2",
                                        "value2 3", "value2 4"}));
}

TEST_F(PbmpToBmp, HeadersDescribeTheRowsWrittenWhateverDataLengthClaims) {
    PbmpFields fields;
    fields.dataLength = 1000;
    convert(fields);
    const Bytes bmp = readFile(rig.out / "a.pbmp");
    ASSERT_EQ(bmp.size(), 1086u);
    EXPECT_EQ(ByteReader(bmp).u32(2), 1086u);
    EXPECT_EQ(ByteReader(bmp).u32(34), 8u);
}

TEST_F(PbmpToBmp, TakesThePaletteNumberFromTheLastFourBytes) {
    writeFile(rig.pals / "503.pal", makePal(7));
    PbmpFields fields;
    fields.paletteNumber = 503;
    fields.extraBeforeTrailer = Bytes(13, 0xEE);
    fields.detlTag = "XXXX";
    fields.pidxTag = "YYYY";
    convert(fields);
    const Bytes bmp = readFile(rig.out / "a.pbmp");
    ASSERT_EQ(bmp.size(), 1086u);
    const BmpColourTable expected =
        colourTableFromPalette(readPalFile(ByteReader(makePal(7))).data);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bmp.begin() + 54));
    const Bytes rows = filebuilders::patternRows(3, 2);
    EXPECT_EQ(Bytes(bmp.begin() + 1078, bmp.begin() + 1082), Bytes(rows.begin() + 4, rows.end()));
}

TEST_F(PbmpToBmp, AsksForTheWorldPaletteOncePerFile) {
    PbmpFields fields;
    fields.paletteNumber = 1071;
    convert(fields, "a.pbmp");
    convert(fields, "b.pbmp");
    EXPECT_EQ(rig.prompts.worldPaletteRequests, 2);
    EXPECT_TRUE(fs::exists(rig.out / "b.pbmp"));
}

TEST_F(PbmpToBmp, ConvertsAFileOntoItsOwnPath) {
    PbmpFields fields;
    const fs::path file = rig.in / "self.bmp";
    writeFile(file, makePbmp(fields));
    EXPECT_EQ(ConvertPbmpToBmp(rig.context, file, file).outcome, Outcome::Converted);
    EXPECT_EQ(readFile(file).size(), 1086u);
    EXPECT_EQ(test::folderEntries(rig.in), std::vector<std::string>{"self.bmp"});
}

TEST_F(PbmpToBmp, ReplacesALongerExistingFileWhole) {
    writeFile(rig.out / "a.pbmp", Bytes(5000, 0x55));
    convert(PbmpFields{});
    EXPECT_EQ(readFile(rig.out / "a.pbmp").size(), 1086u);
}

TEST_F(PbmpToBmp, WritesTheImageAtItsSizeAndNothingForARefusal) {
    PbmpFields big;
    big.width = 64;
    big.height = 32;
    convert(big);
    const Bytes converted = readFile(rig.out / "a.pbmp");
    ASSERT_GE(converted.size(), 54u);
    EXPECT_EQ(ByteReader(converted).i32(18), 64);
    EXPECT_EQ(ByteReader(converted).i32(22), 32);

    PbmpFields wrong;
    wrong.magic = "PBMA";
    wrong.width = 3;
    convert(wrong, "b.pbmp");
    PbmpFields tiny;
    tiny.height = 0;
    convert(tiny, "c.pbmp");
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"a.pbmp"});
}

// Each refused source: the message, nothing written, the lower bar left at its reset.
struct RefusedSource {
    std::string what;
    Bytes bytes;
    std::string expectedMessage; // empty: a problem naming the file instead
};

std::vector<RefusedSource> refusedSources() {
    const auto with = [](auto change) {
        PbmpFields fields;
        change(fields);
        return makePbmp(fields);
    };
    Bytes truncated = makePbmp(PbmpFields{});
    truncated.resize(44 + 8 + 23);
    return {
        {"PBMA magic", with([](PbmpFields& s) { s.magic = "PBMA"; }),
         "This is not a valid Vidodaz Bitmap file"},
        {"BM magic", with([](PbmpFields& s) { s.magic = "BM\0\0"; }),
         "This is not a valid Vidodaz Bitmap file"},
        {"lower-case magic", with([](PbmpFields& s) { s.magic = "pbmp"; }),
         "This is not a valid Vidodaz Bitmap file"},
        {"empty file", Bytes{}, "This is not a valid Vidodaz Bitmap file"},
        {"header cut short", Bytes{'P', 'B', 'M', 'P', 0, 0, 0}, ""},
        {"rows cut short", truncated, ""},
        {"width 0", with([](PbmpFields& s) {
             s.width = 0;
             s.rows = Bytes();
         }),
         ""},
        {"negative height", with([](PbmpFields& s) {
             s.height = -2;
             s.rows = Bytes();
         }),
         ""},
        {"height above 32767", with([](PbmpFields& s) {
             s.height = 32768;
             s.width = 1;
             s.rows = Bytes();
         }),
         ""},
        {"stride above 32767", with([](PbmpFields& s) {
             s.width = 32765;
             s.height = 1;
             s.rows = Bytes();
         }),
         ""},
        {"huge declared size", with([](PbmpFields& s) {
             s.width = 32764;
             s.height = 32767;
             s.rows = Bytes();
         }),
         ""},
    };
}

TEST_F(PbmpToBmp, RefusesUnusableSourcesAndWritesNothing) {
    for (const RefusedSource& source : refusedSources()) {
        SCOPED_TRACE(source.what);
        ConverterRig fresh;
        writeFile(fresh.out / "keep.pbmp", Bytes{9, 9, 9});
        writeFile(fresh.in / "keep.pbmp", source.bytes);
        const ConversionResult result =
            ConvertPbmpToBmp(fresh.context, fresh.in / "keep.pbmp", fresh.out / "keep.pbmp");
        EXPECT_EQ(result.outcome, Outcome::Refused);
        if (source.expectedMessage.empty()) {
            ASSERT_EQ(fresh.prompts.problems.size(), 1u);
            EXPECT_EQ(fresh.prompts.problems[0].rfind((fresh.in / "keep.pbmp").string(), 0), 0u)
                << fresh.prompts.problems[0];
            EXPECT_TRUE(fresh.prompts.messages.empty());
        } else {
            EXPECT_EQ(fresh.prompts.messages, std::vector<std::string>{source.expectedMessage});
            EXPECT_TRUE(fresh.prompts.problems.empty());
        }
        EXPECT_EQ(readFile(fresh.out / "keep.pbmp"), (Bytes{9, 9, 9}));
        EXPECT_EQ(test::folderEntries(fresh.out), std::vector<std::string>{"keep.pbmp"});
        EXPECT_EQ(fresh.progress.value(Bar::Rows), 0);
        EXPECT_EQ(fresh.prompts.worldPaletteRequests, 0);
    }
}

// Bytes already in memory (an archive member) are refused as their file would be, and called by
// the name given; neither way in writes anything.
TEST_F(PbmpToBmp, RefusesUnusableBytesCallingThemByTheGivenName) {
    for (const RefusedSource& source : refusedSources()) {
        SCOPED_TRACE(source.what);
        ConverterRig fresh;
        const auto before = test::treeSnapshot(fresh.root.path());
        EXPECT_EQ(
            ConvertPbmpToBmp(fresh.context, source.bytes, "art\\keep.bmp", fresh.out / "keep.bmp")
                .outcome,
            Outcome::Refused);
        EXPECT_FALSE(convertPbmpToBmpBytes(fresh.context, source.bytes, "art\\keep.bmp"));
        if (source.expectedMessage.empty()) {
            ASSERT_EQ(fresh.prompts.problems.size(), 2u);
            EXPECT_EQ(fresh.prompts.problems[0], fresh.prompts.problems[1]);
            EXPECT_EQ(fresh.prompts.problems[0].rfind("art\\keep.bmp: ", 0), 0u)
                << fresh.prompts.problems[0];
            EXPECT_TRUE(fresh.prompts.messages.empty());
        } else {
            EXPECT_EQ(fresh.prompts.messages, std::vector<std::string>(2, source.expectedMessage));
            EXPECT_TRUE(fresh.prompts.problems.empty());
        }
        EXPECT_EQ(test::treeSnapshot(fresh.root.path()), before);
        EXPECT_EQ(fresh.progress.value(Bar::Rows), 0);
    }
}

// Bytes in memory convert to what their file converts to, with the same bars; the in-memory way
// gives those bytes without writing any file.
TEST_F(PbmpToBmp, ConvertsBytesAsItConvertsTheirFile) {
    writeFile(rig.pals / "500.pal", makePal(5));
    PbmpFields fields;
    fields.width = 7;
    fields.height = 3;
    const Bytes source = makePbmp(fields);
    ASSERT_EQ(convert(fields).outcome, Outcome::Converted);
    const Bytes fromFile = readFile(rig.out / "a.pbmp");

    ConverterRig fromBytes;
    writeFile(fromBytes.pals / "500.pal", makePal(5));
    const ConversionResult result =
        ConvertPbmpToBmp(fromBytes.context, source, "a.bmp", fromBytes.out / "a.bmp");
    EXPECT_EQ(result.outcome, Outcome::Converted);
    EXPECT_EQ(result.filesWritten, 1);
    EXPECT_EQ(readFile(fromBytes.out / "a.bmp"), fromFile);
    EXPECT_EQ(fromBytes.progress.calls, rig.progress.calls);

    ConverterRig inMemory;
    writeFile(inMemory.pals / "500.pal", makePal(5));
    const auto before = test::treeSnapshot(inMemory.root.path());
    EXPECT_EQ(convertPbmpToBmpBytes(inMemory.context, source, "a.bmp"), fromFile);
    EXPECT_EQ(inMemory.progress.calls, rig.progress.calls);
    EXPECT_EQ(test::treeSnapshot(inMemory.root.path()), before);
    EXPECT_TRUE(inMemory.prompts.messages.empty());
    EXPECT_TRUE(inMemory.prompts.problems.empty());
}

// A palette that cannot be read is reported about its own file, as on every way in.
TEST_F(PbmpToBmp, ReportsAMissingGreyPaletteInMemoryToo) {
    fs::remove(rig.pals / "grey.pal");
    EXPECT_FALSE(convertPbmpToBmpBytes(rig.context, makePbmp(PbmpFields{}), "a.bmp"));
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0].rfind((rig.pals / "grey.pal").string() + ": ", 0), 0u)
        << rig.prompts.problems[0];
}

TEST_F(PbmpToBmp, ReportsAnUnreadableSource) {
    const ConversionResult result =
        ConvertPbmpToBmp(rig.context, rig.in / "missing.pbmp", rig.out / "missing.pbmp");
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("missing.pbmp"), std::string::npos);
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
}

TEST_F(PbmpToBmp, ReportsAMissingGreyPaletteAndWritesNothing) {
    fs::remove(rig.pals / "grey.pal");
    EXPECT_EQ(convert(PbmpFields{}).outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("grey.pal"), std::string::npos);
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
}

// Folder permissions that stop writing exist on POSIX systems only.
#ifndef _WIN32
TEST_F(PbmpToBmp, LeavesAnOlderFileUntouchedWhenTheOutputCannotBeWritten) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    writeFile(rig.out / "a.pbmp", Bytes{1, 2, 3});
    fs::permissions(rig.out, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(convert(PbmpFields{}).outcome, Outcome::Failed);
    fs::permissions(rig.out, fs::perms::owner_all);
    EXPECT_EQ(readFile(rig.out / "a.pbmp"), (Bytes{1, 2, 3}));
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"a.pbmp"});
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
}
#endif

TEST_F(PbmpToBmp, ReportsAMissingOutputFolder) {
    writeFile(rig.in / "a.pbmp", makePbmp(PbmpFields{}));
    EXPECT_EQ(ConvertPbmpToBmp(rig.context, rig.in / "a.pbmp", rig.out / "gone" / "a.bmp").outcome,
              Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("gone"), std::string::npos);
}

TEST_F(PbmpToBmp, ReportsAFolderStandingAtTheDestination) {
    fs::create_directory(rig.out / "a.pbmp");
    EXPECT_EQ(convert(PbmpFields{}).outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_TRUE(fs::is_directory(rig.out / "a.pbmp"));
}

} // namespace
} // namespace skarde
