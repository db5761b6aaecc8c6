#include "converters/ppltopal.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "testsupport/pplbuilder.h"

#include <gtest/gtest.h>

#include <limits>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::makePpl;
using filebuilders::PplFields;
using filebuilders::pplPalette;
using test::ConverterRig;
using test::readFile;
using test::writeFile;

const std::string kQuestion = "PAL file exists. Do you wish to replace it?";

// A template unlike the shipped grey: header fields and flags of its own, so that the test sees
// they are copied.
Bytes unusualTemplate() {
    Bytes pal = test::makePal(200);
    pal[4] = 0x12;  // riffSize
    pal[20] = 0x34; // version
    return pal;
}

// What a PAL file written from `colours` (PPL record colours) over `templ` must hold.
Bytes expectedPal(const Bytes& templ, const Bytes& colours, std::int32_t number) {
    Bytes pal(templ.begin(), templ.begin() + 1048);
    for (std::size_t i = 0; i < 256; ++i) {
        pal[24 + 4 * i] = colours[4 * i];
        pal[24 + 4 * i + 1] = colours[4 * i + 1];
        pal[24 + 4 * i + 2] = colours[4 * i + 2];
    }
    ByteWriter(pal).i32(number);
    return pal;
}

struct PplToPal : ::testing::Test {
    ConverterRig rig;
    Bytes templ = unusualTemplate();
    void SetUp() override { writeFile(rig.pals / "grey.pal", templ); }

    ConversionResult extract(const PplFields& fields, const std::string& name = "world.ppl") {
        writeFile(rig.in / name, makePpl(fields));
        return ConvertPplToPal(rig.context, rig.in / name, rig.out);
    }
    std::vector<std::string> outputs() const { return test::folderEntries(rig.out); }
};

PplFields threePalettes() {
    PplFields fields;
    fields.palettes = {pplPalette(500, 1), pplPalette(503, 2), pplPalette(504, 3)};
    return fields;
}

TEST_F(PplToPal, WritesEachPaletteAsA1052ByteFileNamedAfterItsNumber) {
    const ConversionResult result = extract(threePalettes());
    EXPECT_EQ(result.outcome, Outcome::Converted);
    EXPECT_EQ(result.filesWritten, 3);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"500.pal", "503.pal", "504.pal"}));
    EXPECT_EQ(readFile(rig.out / "500.pal"), expectedPal(templ, filebuilders::pplColours(1), 500));
    EXPECT_EQ(readFile(rig.out / "503.pal"), expectedPal(templ, filebuilders::pplColours(2), 503));
    EXPECT_EQ(readFile(rig.out / "504.pal"), expectedPal(templ, filebuilders::pplColours(3), 504));
    EXPECT_EQ(readFile(rig.out / "504.pal").size(), 1052u);
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"3 PAL file(s) extracted."});
    EXPECT_TRUE(rig.prompts.questions.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
    EXPECT_TRUE(rig.progress.calls.empty()); // no progress is shown
}

TEST_F(PplToPal, IgnoresTheHeaderTagAndTheRecordsUnusedBytes) {
    PplFields fields;
    fields.tag = "\xff\x00zz";
    fields.headerRest = Bytes(44, 0xEE);
    fields.palettes = {{510, 4, std::nullopt, 0xDEADBEEF}};
    extract(fields);
    EXPECT_EQ(readFile(rig.out / "510.pal"), expectedPal(templ, filebuilders::pplColours(4), 510));
}

TEST_F(PplToPal, AsksOncePerPaletteOnASecondRunAndNoKeepsEveryFile) {
    extract(threePalettes());
    writeFile(rig.out / "503.pal", Bytes{1, 2, 3});
    rig.prompts.messages.clear();
    PplFields again = threePalettes();
    again.palettes[0].seed = 9;
    const ConversionResult result = extract(again);
    EXPECT_EQ(result.filesWritten, 0);
    EXPECT_EQ(rig.prompts.questions, std::vector<std::string>(3, kQuestion));
    EXPECT_EQ(readFile(rig.out / "500.pal"), expectedPal(templ, filebuilders::pplColours(1), 500));
    EXPECT_EQ(readFile(rig.out / "503.pal"), (Bytes{1, 2, 3}));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"0 PAL file(s) extracted."});
}

TEST_F(PplToPal, YesReplacesTheFileWhole) {
    writeFile(rig.out / "503.pal", Bytes(4000, 0x55));
    rig.prompts.yesNoAnswers = {true};
    const ConversionResult result = extract(threePalettes());
    EXPECT_EQ(result.filesWritten, 3);
    EXPECT_EQ(rig.prompts.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(readFile(rig.out / "503.pal"), expectedPal(templ, filebuilders::pplColours(2), 503));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"3 PAL file(s) extracted."});
}

TEST_F(PplToPal, FindsAnExistingFileWithoutRegardToLetterCase) {
    writeFile(rig.out / "500.PAL", Bytes{4, 4});
    rig.prompts.yesNoAnswers = {true};
    PplFields fields;
    fields.palettes = {pplPalette(500, 1)};
    extract(fields);
    EXPECT_EQ(rig.prompts.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(outputs(), std::vector<std::string>{"500.PAL"});
    EXPECT_EQ(readFile(rig.out / "500.PAL"), expectedPal(templ, filebuilders::pplColours(1), 500));
}

TEST_F(PplToPal, ASecondPaletteOfTheSameNumberAsksBeforeReplacingTheFirst) {
    PplFields fields;
    fields.palettes = {pplPalette(500, 1), pplPalette(500, 2)};
    rig.prompts.yesNoAnswers = {false};
    EXPECT_EQ(extract(fields).filesWritten, 1);
    EXPECT_EQ(rig.prompts.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(readFile(rig.out / "500.pal"), expectedPal(templ, filebuilders::pplColours(1), 500));

    ConverterRig yesRig;
    writeFile(yesRig.pals / "grey.pal", templ);
    writeFile(yesRig.in / "w.ppl", makePpl(fields));
    yesRig.prompts.yesNoAnswers = {true};
    EXPECT_EQ(ConvertPplToPal(yesRig.context, yesRig.in / "w.ppl", yesRig.out).filesWritten, 2);
    EXPECT_EQ(readFile(yesRig.out / "500.pal"),
              expectedPal(templ, filebuilders::pplColours(2), 500));
    EXPECT_EQ(yesRig.prompts.messages, std::vector<std::string>{"2 PAL file(s) extracted."});
}

TEST_F(PplToPal, ANegativeNumberGivesAFileNameStartingWithMinus) {
    PplFields fields;
    fields.palettes = {pplPalette(-7, 1), pplPalette(0, 2), pplPalette(-32768, 3)};
    extract(fields);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"-32768.pal", "-7.pal", "0.pal"}));
    EXPECT_EQ(readFile(rig.out / "-7.pal"), expectedPal(templ, filebuilders::pplColours(1), -7));
    EXPECT_EQ(palFileName(-7), "-7.pal");
    EXPECT_EQ(palFileName(500), "500.pal");
}

TEST_F(PplToPal, ZeroPalettesWritesNothingAndAsksNothing) {
    PplFields fields;
    fields.paletteCount = 0;
    EXPECT_EQ(extract(fields).filesWritten, 0);
    EXPECT_TRUE(outputs().empty());
    EXPECT_TRUE(rig.prompts.questions.empty());
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"0 PAL file(s) extracted."});
}

TEST_F(PplToPal, TakesTheTemplateFromAGreyPalOfAnyCaseAndIgnoresItsExtraBytes) {
    fs::remove(rig.pals / "grey.pal");
    Bytes longer = templ;
    longer.resize(1052, 0x66);
    writeFile(rig.pals / "Grey.PAL", longer);
    PplFields fields;
    fields.palettes = {pplPalette(500, 1)};
    extract(fields);
    EXPECT_EQ(readFile(rig.out / "500.pal"), expectedPal(templ, filebuilders::pplColours(1), 500));
}

TEST_F(PplToPal, ReportsAMissingTemplateAndWritesNothing) {
    fs::remove(rig.pals / "grey.pal");
    const ConversionResult result = extract(threePalettes());
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0].rfind((rig.pals / "grey.pal").string() + ": ", 0), 0u)
        << rig.prompts.problems[0];
    EXPECT_TRUE(outputs().empty());
    EXPECT_TRUE(rig.prompts.messages.empty());
}

TEST_F(PplToPal, ReportsAShortTemplateAndWritesNothing) {
    writeFile(rig.pals / "grey.pal", Bytes(templ.begin(), templ.begin() + 1047));
    const ConversionResult result = extract(threePalettes());
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("grey.pal: "), std::string::npos);
    EXPECT_NE(rig.prompts.problems[0].find("1048"), std::string::npos);
    EXPECT_TRUE(outputs().empty());
    EXPECT_TRUE(rig.prompts.messages.empty());
}

// A damaged palette list: a message naming it; the palettes before the damage stay and count.
struct DamagedPpl {
    std::string what;
    Bytes bytes;
    int expectedWritten; // -1: refused before any record, without closing message
    std::string expectedInProblem;
};

std::vector<DamagedPpl> damagedLists() {
    const auto with = [](auto change) {
        PplFields fields = threePalettes();
        change(fields);
        return makePpl(fields);
    };
    Bytes cut = makePpl(threePalettes());
    cut.resize(cut.size() - 1);
    return {
        {"negative count", with([](PplFields& s) { s.paletteCount = -1; }), -1, "-1 palettes"},
        {"count above 32767", with([](PplFields& s) { s.paletteCount = 32768; }), -1,
         "32768 palettes"},
        {"count beyond the file", with([](PplFields& s) { s.paletteCount = 5; }), 3,
         "Palette record 3"},
        {"last record cut short", cut, 2, "Palette record 2"},
        {"header cut short", Bytes(51, 0), -1, "52 bytes"},
    };
}

TEST_F(PplToPal, StopsAtDamageKeepingAndCountingWhatWasWritten) {
    for (const DamagedPpl& damaged : damagedLists()) {
        SCOPED_TRACE(damaged.what);
        ConverterRig fresh;
        const fs::path input = fresh.in / "world.ppl";
        writeFile(input, damaged.bytes);
        const ConversionResult result = ConvertPplToPal(fresh.context, input, fresh.out);
        EXPECT_EQ(result.outcome, Outcome::Refused);
        ASSERT_EQ(fresh.prompts.problems.size(), 1u);
        const std::string& problem = fresh.prompts.problems[0];
        EXPECT_EQ(problem.rfind(input.string() + ": ", 0), 0u) << problem;
        EXPECT_NE(problem.find(damaged.expectedInProblem), std::string::npos) << problem;
        if (damaged.expectedWritten < 0) {
            EXPECT_TRUE(fresh.prompts.messages.empty());
            EXPECT_TRUE(test::folderEntries(fresh.out).empty());
            continue;
        }
        EXPECT_EQ(result.filesWritten, damaged.expectedWritten);
        EXPECT_EQ(fresh.prompts.messages,
                  std::vector<std::string>{std::to_string(damaged.expectedWritten) +
                                           " PAL file(s) extracted."});
        const std::vector<std::string> all{"500.pal", "503.pal", "504.pal"};
        EXPECT_EQ(test::folderEntries(fresh.out),
                  std::vector<std::string>(all.begin(), all.begin() + damaged.expectedWritten));
    }
}

// What is no palette list is refused whole before a file is written, and without the closing
// count; a list only cut short still gives its whole records.
TEST_F(PplToPal, RefusesWhatIsNoPaletteListBeforeWritingAnything) {
    struct Case {
        std::string what;
        PplFields fields;
        std::string expectedInProblem;
    };
    const auto with = [](auto change) {
        PplFields fields = threePalettes();
        change(fields);
        return fields;
    };
    const std::vector<Case> notLists{
        {"a number no palette has, in the last record",
         with([](PplFields& f) { f.palettes[2].paletteNumber = 825109807; }),
         "palette record 2 (counting from 0; at byte 2116) carries the number 825109807"},
        {"just below the smallest number",
         with([](PplFields& f) { f.palettes[0].paletteNumber = -32769; }), "-32769"},
        {"just above the largest number",
         with([](PplFields& f) { f.palettes[1].paletteNumber = 32768; }), "32768"},
        {"bytes beyond the declared records", with([](PplFields& f) { f.trailing = Bytes(1, 0); }),
         "3149 bytes long, more than the 3148 bytes"},
        {"fewer records declared than held", with([](PplFields& f) { f.paletteCount = 2; }),
         "more than the 2116 bytes of a list of the 2 palettes"},
        {"a count of nothing before records", with([](PplFields& f) { f.paletteCount = 0; }),
         "0 palettes it declares"},
    };
    for (const Case& notList : notLists) {
        SCOPED_TRACE(notList.what);
        ConverterRig fresh;
        writeFile(fresh.pals / "grey.pal", templ);
        writeFile(fresh.in / "x.ppl", makePpl(notList.fields));
        const ConversionResult result =
            ConvertPplToPal(fresh.context, fresh.in / "x.ppl", fresh.out);
        EXPECT_EQ(result.outcome, Outcome::Refused);
        ASSERT_EQ(fresh.prompts.problems.size(), 1u);
        EXPECT_EQ(fresh.prompts.problems[0].rfind(
                      (fresh.in / "x.ppl").string() + ": The file is not a palette list: ", 0),
                  0u)
            << fresh.prompts.problems[0];
        EXPECT_NE(fresh.prompts.problems[0].find(notList.expectedInProblem), std::string::npos)
            << fresh.prompts.problems[0];
        EXPECT_TRUE(test::folderEntries(fresh.out).empty());
        EXPECT_TRUE(fresh.prompts.messages.empty());
        EXPECT_TRUE(fresh.prompts.questions.empty());
    }

    // The extremes of the range are palette numbers, and a cut list keeps its whole records even
    // when the missing part would have been refused.
    PplFields extremes = threePalettes();
    extremes.palettes[0].paletteNumber = -32768;
    extremes.palettes[1].paletteNumber = 32767;
    Bytes cut = makePpl(extremes);
    cut.resize(cut.size() - 1030); // record 2 loses all but its first 2 bytes
    writeFile(rig.in / "cut.ppl", cut);
    const ConversionResult result = ConvertPplToPal(rig.context, rig.in / "cut.ppl", rig.out);
    EXPECT_EQ(result.outcome, Outcome::Refused);
    EXPECT_EQ(outputs(), (std::vector<std::string>{"-32768.pal", "32767.pal"}));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"2 PAL file(s) extracted."});
}

// A palette list already in memory writes what its file writes, and its damage is reported
// about the name given.
TEST_F(PplToPal, ExtractsFromBytesAsFromTheirFile) {
    ASSERT_EQ(extract(threePalettes()).filesWritten, 3);

    ConverterRig fromBytes;
    writeFile(fromBytes.pals / "grey.pal", templ);
    const ConversionResult result =
        ConvertPplToPal(fromBytes.context, makePpl(threePalettes()), "world.ppl", fromBytes.out);
    EXPECT_EQ(result.outcome, Outcome::Converted);
    EXPECT_EQ(result.filesWritten, 3);
    EXPECT_EQ(test::folderEntries(fromBytes.out), outputs());
    for (const std::string& name : outputs())
        EXPECT_EQ(readFile(fromBytes.out / name), readFile(rig.out / name)) << name;
    EXPECT_EQ(fromBytes.prompts.messages, rig.prompts.messages);

    Bytes cut = makePpl(threePalettes());
    cut.resize(cut.size() - 1);
    ConverterRig damaged;
    writeFile(damaged.pals / "grey.pal", templ);
    EXPECT_EQ(ConvertPplToPal(damaged.context, cut, "world.ppl", damaged.out).outcome,
              Outcome::Refused);
    ASSERT_EQ(damaged.prompts.problems.size(), 1u);
    EXPECT_EQ(damaged.prompts.problems[0].rfind("world.ppl: Palette record 2 ", 0), 0u)
        << damaged.prompts.problems[0];
    EXPECT_EQ(damaged.prompts.messages, std::vector<std::string>{"2 PAL file(s) extracted."});
}

TEST_F(PplToPal, ReportsAnOutputThatCannotBeWrittenAndStops) {
    fs::create_directory(rig.out / "503.pal");
    const ConversionResult result = extract(threePalettes());
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.filesWritten, 1);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("503.pal"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(rig.out / "503.pal"));
    EXPECT_EQ(outputs(), (std::vector<std::string>{"500.pal", "503.pal"}));
    EXPECT_EQ(rig.prompts.messages, std::vector<std::string>{"1 PAL file(s) extracted."});
}

TEST_F(PplToPal, ReportsAnUnreadableInput) {
    const ConversionResult result = ConvertPplToPal(rig.context, rig.in / "missing.ppl", rig.out);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_NE(rig.prompts.problems[0].find("missing.ppl"), std::string::npos);
    EXPECT_TRUE(rig.prompts.messages.empty());
}

} // namespace
} // namespace skarde
