#include "convertedbmp.h"

#include "core/fileio.h"

namespace skarde {

namespace {

Bytes encodeBmp(ProgressSink& progress, const PixelRows& pixelRows, std::int32_t width,
                const BmpColourTable& colourTable, std::int32_t lowerBarMaximum) {
    const std::uint32_t pixelDataSize = static_cast<std::uint32_t>(pixelRows.data.size());
    Bytes out;
    out.reserve(kBmpHeadersSize + pixelDataSize);
    ByteWriter writer(out);
    WriteBmpHeaders(writer, width, pixelRows.rows, pixelDataSize, colourTable);
    progress.setMaximum(Bar::Rows, lowerBarMaximum);
    int written = 0;
    for (std::int32_t row = pixelRows.rows; row >= 1; --row) {
        writer.bytes(pixelRows.row(row));
        progress.setValue(Bar::Rows, ++written);
    }
    return out;
}

} // namespace

void writeGameImageAsBmp(ConverterContext& context, GameImage image,
                         const BmpColourTable& colourTable,
                         const std::filesystem::path& destinationPath,
                         std::int32_t lowerBarMaximum) {
    const Bytes bmp = encodeBmp(context.progress, image.pixelRows, image.header.width, colourTable,
                                lowerBarMaximum);
    writeFileWhole(destinationPath, bmp);
}

} // namespace skarde
