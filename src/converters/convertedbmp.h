#pragma once

// The last step the PBMP and PBA converters share: a decoded game image encoded, and usually
// written, as an 8-bit Windows bitmap.

#include "bmpfile.h"
#include "core/convertercontext.h"
#include "pbmpformat.h"
#include "pixelrows.h"

#include <cstdint>
#include <filesystem>

namespace skarde {

struct GameImage {
    PbmpHeader header;
    PbmpTrailer trailer;
    PixelRows pixelRows;
};

// The bitmap's bytes: the rows bottom first under headers that describe the rows actually
// written, whatever the source's dataLength claims. The rows bar counts them up to
// `lowerBarMaximum`.
Bytes encodeGameImageAsBmp(ProgressSink& progress, const GameImage& image,
                           const BmpColourTable& colourTable, std::int32_t lowerBarMaximum);

// The image file's bytes: an 8-bit indexed PNG when the context writes PNG, the bitmap's bytes
// otherwise.
Bytes encodeGameImageFile(ConverterContext& context, const GameImage& image,
                          const BmpColourTable& colourTable, std::int32_t lowerBarMaximum);

// The image file written to `destinationPath`. Throws Problem when the file cannot be written.
void writeGameImageAsBmp(ConverterContext& context, const GameImage& image,
                         const BmpColourTable& colourTable,
                         const std::filesystem::path& destinationPath,
                         std::int32_t lowerBarMaximum);

} // namespace skarde
