#include "converters/palette.h"
#include "core/fileio.h"
#include "core/problem.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

using test::ConverterRig;
using test::makePal;
using test::writeFile;

BmpColourTable tableOf(const Bytes& palBytes) {
    return colourTableFromPalette(readPalFile(ByteReader(palBytes)).data);
}

BmpColourTable greyTable() {
    return colourTableFromPalette(makeGreyPalette().data);
}

TEST(ResolvePalette, FindsTheNumberedFileWithoutRegardToCase) {
    ConverterRig rig;
    writeFile(rig.pals / "500.PAL", makePal(5));
    EXPECT_EQ(ResolvePalette(rig.context, 500), tableOf(makePal(5)));
    EXPECT_EQ(rig.prompts.worldPaletteRequests, 0);
}

TEST(ResolvePalette, FallsBackToGreyWithoutAMessage) {
    ConverterRig rig;
    EXPECT_EQ(ResolvePalette(rig.context, 4294), greyTable());
    EXPECT_EQ(ResolvePalette(rig.context, -1), greyTable());
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST(ResolvePalette, FindsGreyWhateverItsCase) {
    ConverterRig rig;
    std::filesystem::rename(rig.pals / "grey.pal", rig.pals / "GREY.Pal");
    EXPECT_EQ(ResolvePalette(rig.context, 77), greyTable());
}

TEST(ResolvePalette, ReadsOnlyTheFirst1048BytesOfAnExtractedPalette) {
    ConverterRig rig;
    Bytes extracted = makePal(9);
    for (std::uint8_t b : {0xF4, 0x01, 0x00, 0x00})
        extracted.push_back(b);
    writeFile(rig.pals / "500.pal", extracted);
    EXPECT_EQ(ResolvePalette(rig.context, 500), tableOf(makePal(9)));
}

TEST(ResolvePalette, AsksForTheWorldPaletteAndMatchesItsNameWithoutRegardToCase) {
    ConverterRig rig;
    writeFile(rig.pals / "MudWorld.pal", makePal(3));
    rig.prompts.worldPalettes = {"mudWorld", "NoSuchWorld"};
    EXPECT_EQ(ResolvePalette(rig.context, 1071), tableOf(makePal(3)));
    EXPECT_EQ(ResolvePalette(rig.context, 1071), greyTable());
    EXPECT_EQ(rig.prompts.worldPaletteRequests, 2);
}

TEST(ResolvePalette, NeverReadsOutsideThePalsFolder) {
    ConverterRig rig;
    writeFile(rig.root / "secret.pal", makePal(1));
    writeFile(rig.pals / "sub" / "inner.pal", makePal(2));
    rig.prompts.worldPalettes = {"../secret", "sub/inner", "sub\\inner", "..", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ResolvePalette(rig.context, 1071), greyTable()) << "answer " << i;
}

TEST(ResolvePalette, ReportsAMissingOrShortGreyPalette) {
    ConverterRig rig;
    std::filesystem::remove(rig.pals / "grey.pal");
    try {
        ResolvePalette(rig.context, 500);
        FAIL() << "no problem reported";
    } catch (const Problem& problem) {
        EXPECT_NE(problem.subject().find("grey.pal"), std::string::npos);
    }
    writeFile(rig.pals / "grey.pal", Bytes(1047, 0));
    EXPECT_THROW(ResolvePalette(rig.context, 500), Problem);
}

TEST(FindFileIgnoringCase, SkipsFoldersAndMissingFolders) {
    ConverterRig rig;
    std::filesystem::create_directory(rig.pals / "600.pal");
    EXPECT_FALSE(findFileIgnoringCase(rig.pals, "600.pal"));
    EXPECT_FALSE(findFileIgnoringCase(rig.root / "nowhere", "grey.pal"));
}

} // namespace
} // namespace skarde
