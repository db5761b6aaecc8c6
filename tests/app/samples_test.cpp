// The sample files must be what the tools expect, or a new user's first try fails.

#include "converters/pbmptobmp.h"
#include "converters/pixelrows.h"
#include "core/bytes.h"
#include "fixtures/converterrig.h"
#include "fixtures/tempfolder.h"
#include "samplefiles.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

using test::readFile;

struct Samples : ::testing::Test {
    void SetUp() override { samples::writeSamples(rig.in, rig.pals); }
    test::ConverterRig rig;
};

TEST_F(Samples, GameImagesConvertWithTheirOwnPalettes) {
    ASSERT_EQ(ConvertPbmpToBmp(rig.context, rig.in / "dunes.bmp", rig.out / "dunes.bmp").outcome,
              Outcome::Converted);
    const Bytes dunes = readFile(rig.out / "dunes.bmp");
    const Bytes desert = readFile(rig.pals / "500.pal");
    // The last colour-table entry (blue, green, red) is the desert palette's last entry.
    EXPECT_EQ(dunes[54 + 1020], desert[24 + 1022]);
    EXPECT_EQ(dunes[54 + 1022], desert[24 + 1020]);
    EXPECT_NE(dunes[54 + 1020], dunes[54 + 1022]); // coloured, not grey

    rig.prompts.worldPalettes.push_back("IceWorld");
    ASSERT_EQ(ConvertPbmpToBmp(rig.context, rig.in / "frost.bmp", rig.out / "frost.bmp").outcome,
              Outcome::Converted);
    EXPECT_EQ(rig.prompts.worldPaletteRequests, 1);
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(Samples, TheImageArrayHoldsThreeEntriesOneWithoutItsPalettePart) {
    const Bytes pba = readFile(rig.in / "icons.pba");
    const ByteReader reader(pba);
    ASSERT_EQ(tagText(reader.tag(0)), "PBMA");
    ASSERT_EQ(reader.i32(16), 3);
    std::size_t entry = 24;
    std::vector<bool> palettePart;
    for (int image = 0; image < 3; ++image) {
        const auto rows =
            static_cast<std::size_t>(reader.i32(entry + 24) * stride(reader.i32(entry + 20)));
        const std::size_t after = entry + 56 + rows;
        palettePart.push_back(reader.fits(after, 4) && tagText(reader.tag(after)) == "PiDX");
        entry = after + (palettePart.back() ? 12 : 0);
    }
    EXPECT_EQ(entry, pba.size());
    EXPECT_EQ(palettePart, (std::vector<bool>{true, false, true}));
}

TEST_F(Samples, TheArchiveDirectoryEndsTheFile) {
    const Bytes vol = readFile(rig.in / "game.vol");
    const ByteReader reader(vol);
    ASSERT_EQ(tagText(reader.tag(0)), "PVOL");
    const std::size_t names = reader.u32(4) + 8;
    const std::size_t namesLength = reader.u32(names - 4);
    const std::size_t entries = names + namesLength + namesLength % 2 + 8;
    EXPECT_EQ(reader.u32(entries - 4), 5u * 17);
    EXPECT_EQ(entries + 5 * 17, vol.size());
    int compressed = 0;
    for (std::size_t at = entries; at < vol.size(); at += 17) {
        compressed += reader.u8(at + 16) != 0 ? 1 : 0;
        const std::size_t data = reader.u32(at + 8) + 8;
        EXPECT_TRUE(reader.fits(data, reader.u32(at + 12)));
    }
    EXPECT_EQ(compressed, 1);
}

TEST_F(Samples, EveryToolFindsItsFiles) {
    for (const char* name :
         {"dunes.bmp", "frost.bmp", "crest-windows.bmp", "icons.pba", "worlds.ppl", "game.vol"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(rig.in / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(rig.in / "out"));
    EXPECT_EQ(readFile(rig.in / "worlds.ppl").size(), 52u + 3 * 1032);
    EXPECT_EQ(readFile(rig.in / "crest-windows.bmp")[28], 8); // bits per pixel
}

} // namespace
} // namespace skarde
