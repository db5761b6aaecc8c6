#include "converters/bmpfile.h"
#include "converters/palette.h"
#include "converters/palfile.h"
#include "converters/pixelrows.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

TEST(Stride, RoundsWidthsUpToMultiplesOfFour) {
    const std::int64_t expected[] = {4, 4, 4, 4, 8, 8, 8, 8};
    for (int width = 1; width <= 8; ++width)
        EXPECT_EQ(stride(width), expected[width - 1]) << "width " << width;
    EXPECT_EQ(stride(32764), 32764);
    EXPECT_EQ(stride(32765), 32768);
}

TEST(BmpHeaders, WritesEveryHeaderFieldThenTheColourTable) {
    BmpColourTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>(i % 251);
    Bytes out;
    ByteWriter writer(out);
    WriteBmpHeaders(writer, 3, 2, 8, table);
    ASSERT_EQ(out.size(), 1078u);
    const ByteReader reader(out);
    EXPECT_EQ(out[0], 'B');
    EXPECT_EQ(out[1], 'M');
    EXPECT_EQ(reader.u32(2), 1086u);
    EXPECT_EQ(reader.u16(6), 0);
    EXPECT_EQ(reader.u16(8), 0);
    EXPECT_EQ(reader.u32(10), 1078u);
    EXPECT_EQ(reader.u32(14), 40u);
    EXPECT_EQ(reader.i32(18), 3);
    EXPECT_EQ(reader.i32(22), 2);
    EXPECT_EQ(reader.u16(26), 1);
    EXPECT_EQ(reader.u16(28), 8);
    EXPECT_EQ(reader.u32(30), 0u);
    EXPECT_EQ(reader.u32(34), 8u);
    EXPECT_EQ(reader.u32(38), 0u);
    EXPECT_EQ(reader.u32(42), 0u);
    EXPECT_EQ(reader.u32(46), 256u);
    EXPECT_EQ(reader.u32(50), 256u);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), out.begin() + 54));

    const BmpInfoHeader info = readBmpInfoHeader(reader);
    EXPECT_EQ(info.biWidth, 3);
    EXPECT_EQ(info.biSizeImage, 8u);
    EXPECT_EQ(readBmpFileHeader(reader).bfSize, 1086u);
}

TEST(ColourTable, SwapsRedAndBlueAndKeepsTheFlagsByte) {
    PalData data;
    data.entries[0] = {10, 20, 30, 40};
    data.entries[255] = {1, 2, 3, 4};
    const BmpColourTable table = colourTableFromPalette(data);
    EXPECT_EQ(table[0], 30);
    EXPECT_EQ(table[1], 20);
    EXPECT_EQ(table[2], 10);
    EXPECT_EQ(table[3], 40);
    EXPECT_EQ(table[1020], 3);
    EXPECT_EQ(table[1021], 2);
    EXPECT_EQ(table[1022], 1);
    EXPECT_EQ(table[1023], 4);
}

TEST(GreyPalette, IsAConformingRiffPaletteOfGreys) {
    Bytes bytes;
    ByteWriter writer(bytes);
    writePalFile(writer, makeGreyPalette());
    ASSERT_EQ(bytes.size(), 1048u);
    const ByteReader reader(bytes);
    EXPECT_EQ(tagText(reader.tag(0)), "RIFF");
    EXPECT_EQ(reader.u32(4), 1040u);
    EXPECT_EQ(tagText(reader.tag(8)), "PAL ");
    EXPECT_EQ(tagText(reader.tag(12)), "data");
    EXPECT_EQ(reader.u32(16), 1028u);
    EXPECT_EQ(reader.u16(20), 0x0300);
    EXPECT_EQ(reader.u16(22), 256);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(bytes[24 + 4 * i], i);
        EXPECT_EQ(bytes[25 + 4 * i], i);
        EXPECT_EQ(bytes[26 + 4 * i], i);
        EXPECT_EQ(bytes[27 + 4 * i], 0);
    }
}

TEST(GreyPalette, ShippedFileIsTheGeneratorsOutput) {
    Bytes generated;
    ByteWriter writer(generated);
    writePalFile(writer, makeGreyPalette());
    EXPECT_EQ(test::readFile(SKARDE_SOURCE_DIR "/pals/grey.pal"), generated);
    EXPECT_EQ(test::readFile(SKARDE_PALS_DIR "/grey.pal"), generated);
}

TEST(ByteReader, RefusesReadsOutsideTheBuffer) {
    const Bytes bytes{1, 2, 3, 4, 5};
    const ByteReader reader(bytes);
    EXPECT_EQ(reader.u32(1), 0x05040302u);
    EXPECT_THROW(reader.u32(2), std::out_of_range);
    EXPECT_THROW(reader.slice(5, 1), std::out_of_range);
    EXPECT_FALSE(reader.fits(UINT64_MAX, 2));
    EXPECT_FALSE(reader.fits(1, UINT64_MAX));
    EXPECT_TRUE(reader.fits(5, 0));
}

} // namespace
} // namespace skarde
