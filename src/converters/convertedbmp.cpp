#include "convertedbmp.h"

#include "core/fileio.h"
#include "pngcodec.h"

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

Bytes encodeGameImageFile(ConverterContext& context, const GameImage& image,
                          const BmpColourTable& colourTable, std::int32_t lowerBarMaximum) {
    if (!context.writesPng || context.png == nullptr)
        return encodeGameImageAsBmp(context.progress, image, colourTable, lowerBarMaximum);
    const PixelRows& pixelRows = image.pixelRows;
    const IndexedImageView view{image.header.width, pixelRows.rows, pixelRows.columns,
                                pixelRows.data, &colourTable};
    Bytes png = context.png->encode(view);
    // The PNG is made in one call: the rows bar jumps to its end.
    context.progress.setMaximum(Bar::Rows, lowerBarMaximum);
    context.progress.setValue(Bar::Rows, pixelRows.rows);
    return png;
}

void writeGameImageAsBmp(ConverterContext& context, const GameImage& image,
                         const BmpColourTable& colourTable,
                         const std::filesystem::path& destinationPath,
                         std::int32_t lowerBarMaximum) {
    writeFileWhole(destinationPath,
                   encodeGameImageFile(context, image, colourTable, lowerBarMaximum));
}

} // namespace skarde
