#include "convertedbmp.h"

#include "core/fileio.h"

namespace skarde {

Bytes encodeGameImageAsBmp(ProgressSink& progress, const GameImage& image,
                           const BmpColourTable& colourTable, std::int32_t lowerBarMaximum) {
    const PixelRows& pixelRows = image.pixelRows;
    const std::uint32_t pixelDataSize = static_cast<std::uint32_t>(pixelRows.data.size());
    Bytes out;
    out.reserve(kBmpHeadersSize + pixelDataSize);
    ByteWriter writer(out);
    WriteBmpHeaders(writer, image.header.width, pixelRows.rows, pixelDataSize, colourTable);
    progress.setMaximum(Bar::Rows, lowerBarMaximum);
    int written = 0;
    for (std::int32_t row = pixelRows.rows; row >= 1; --row) {
        writer.bytes(pixelRows.row(row));
        progress.setValue(Bar::Rows, ++written);
    }
    return out;
}

void writeGameImageAsBmp(ConverterContext& context, const GameImage& image,
                         const BmpColourTable& colourTable,
                         const std::filesystem::path& destinationPath,
                         std::int32_t lowerBarMaximum) {
    writeFileWhole(destinationPath,
                   encodeGameImageAsBmp(context.progress, image, colourTable, lowerBarMaximum));
}

} // namespace skarde
