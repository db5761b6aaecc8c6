#include "pbmptobmp.h"

#include "convertedbmp.h"
#include "core/existingfile.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"
#include "palette.h"

#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

bool hasPbmpMagic(const ByteReader& reader) {
    return reader.fits(0, 4) && reader.tag(0) == makeTag("PBMP");
}

// Everything beyond the magic that the file must hold before its rows can be trusted.
GameImage readPbmpImage(const ByteReader& reader, const std::string& subject) {
    if (!reader.fits(0, kPbmpHeaderSize))
        throw Problem::refusal(subject,
                               "The file is shorter than a Vidodaz Bitmap header (44 bytes).");
    GameImage image;
    image.header = readPbmpHeader(reader, 0);
    const std::int64_t width = image.header.width;
    const std::int64_t height = image.header.height;
    if (const ImageSizeFault fault = checkImageSize(width, height); fault != ImageSizeFault::None)
        throw Problem::refusal(subject, "The image is " + std::to_string(width) + " x " +
                                            std::to_string(height) + " pixels; " +
                                            std::string(imageSizeReason(fault)));
    const std::int64_t rowLength = stride(width);
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(rowLength * height);
    if (!reader.fits(kPbmpHeaderSize, rowBytes + kPbmpTrailerSize))
        throw Problem::refusal(subject, "The file is shorter than the " + std::to_string(rowBytes) +
                                            " bytes of pixel rows and the trailer its header "
                                            "declares.");
    image.pixelRows.columns = static_cast<std::int32_t>(rowLength);
    image.pixelRows.rows = static_cast<std::int32_t>(height);
    const auto rows = reader.slice(kPbmpHeaderSize, rowBytes);
    image.pixelRows.data.assign(rows.begin(), rows.end());
    image.trailer = readPbmpTrailer(reader, reader.size() - kPbmpTrailerSize);
    return image;
}

void resetRowsBar(ProgressSink& progress) {
    progress.setMinimum(Bar::Rows, 0);
    progress.setValue(Bar::Rows, 0);
}

// The conversion every entry shares; throws Problem when the source is refused or a palette
// cannot be read. `asFile`: the image file the context asks for (PNG or bitmap); otherwise
// always the bitmap.
Bytes convertToBmpBytes(ConverterContext& context, std::span<const std::uint8_t> source,
                        const std::string& sourceName, bool asFile = false) {
    const GameImage image = decodeGameImage(source, sourceName);
    const BmpColourTable colourTable =
        ResolvePalette(context, image.trailer.paletteNumber, sourceName);
    if (asFile)
        return encodeGameImageFile(context, image, colourTable, image.pixelRows.rows);
    return encodeGameImageAsBmp(context.progress, image, colourTable, image.pixelRows.rows);
}

ConversionResult writeConverted(ConverterContext& context, std::span<const std::uint8_t> source,
                                const std::string& sourceName, const fs::path& destinationPath) {
    if (keepExistingFile(context.prompts, destinationPath))
        return {Outcome::Converted, 0, 1};
    writeFileWhole(destinationPath, convertToBmpBytes(context, source, sourceName, true));
    return {Outcome::Converted, 1};
}

} // namespace

GameImage decodeGameImage(std::span<const std::uint8_t> source, const std::string& sourceName) {
    const ByteReader reader(source);
    if (!hasPbmpMagic(reader))
        throw Problem::fixedRefusal(kNotVidodazBitmapMessage);
    return readPbmpImage(reader, sourceName);
}

// The rows bar is reset before the source is read: a file that cannot be read must not leave the
// rows of the file before it showing.
ConversionResult ConvertPbmpToBmp(ConverterContext& context, const fs::path& sourcePath,
                                  const fs::path& destinationPath) {
    resetRowsBar(context.progress);
    return runConversion(context.prompts, [&] {
        // Kept before it is read: a file left alone is not looked into.
        if (keepExistingFile(context.prompts, destinationPath))
            return ConversionResult{Outcome::Converted, 0, 1};
        return writeConverted(context, readWholeFile(sourcePath), displayPath(sourcePath),
                              destinationPath);
    });
}

ConversionResult ConvertPbmpToBmp(ConverterContext& context, std::span<const std::uint8_t> source,
                                  std::string_view sourceName, const fs::path& destinationPath) {
    resetRowsBar(context.progress);
    return runConversion(context.prompts, [&] {
        return writeConverted(context, source, std::string(sourceName), destinationPath);
    });
}

std::optional<Bytes> convertPbmpToBmpBytes(ConverterContext& context,
                                           std::span<const std::uint8_t> source,
                                           std::string_view sourceName) {
    resetRowsBar(context.progress);
    std::optional<Bytes> bmp;
    runConversion(context.prompts, [&] {
        bmp = convertToBmpBytes(context, source, std::string(sourceName));
        return ConversionResult{Outcome::Converted, 0};
    });
    return bmp;
}

} // namespace skarde
