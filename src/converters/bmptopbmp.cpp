#include "bmptopbmp.h"

#include "bmpfile.h"
#include "pbmpformat.h"
#include "pixelrows.h"

#include "core/existingfile.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"
#include "pbmpchoices.h"
#include "pngcodec.h"

#include <cstdlib>
#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

inline constexpr std::uint32_t kOs2InfoHeaderSize = 12;

struct BmpImage {
    BmpFileHeader fileHeader;
    BmpInfoHeader infoHeader;
    bool topDown = false;
    PixelRows pixelRows; // in file order: row 1 is the first row stored
};

std::string compressionName(std::uint32_t compression) {
    switch (compression) {
    case 1:
        return "RLE8";
    case 2:
        return "RLE4";
    case 3:
        return "bit fields";
    case 4:
        return "JPEG";
    case 5:
        return "PNG";
    case 6:
        return "alpha bit fields";
    default:
        return "method " + std::to_string(compression);
    }
}

// Everything beyond "BM" that the file must satisfy before its rows can be taken.
BmpImage readEightBitBmp(const ByteReader& reader, const std::string& subject) {
    const auto refuse = [&](const std::string& why) { throw Problem::refusal(subject, why); };
    if (!reader.fits(0, kBmpFileHeaderSize + 4))
        refuse("The file is shorter than a bitmap file header and its info header.");
    const std::uint32_t infoSize = reader.u32(kBmpFileHeaderSize);
    if (infoSize == kOs2InfoHeaderSize)
        refuse("This is an OS/2 bitmap (12-byte info header); only Windows bitmaps with a "
               "40-byte or larger info header are converted.");
    if (infoSize < kBmpInfoHeaderSize)
        refuse("The info header is " + std::to_string(infoSize) +
               " bytes long; only Windows bitmaps with a 40-byte or larger info header are "
               "converted.");
    if (!reader.fits(kBmpFileHeaderSize, infoSize))
        refuse("The file is shorter than its " + std::to_string(infoSize) +
               "-byte info header declares.");
    BmpImage image;
    image.fileHeader = readBmpFileHeader(reader);
    image.infoHeader = readBmpInfoHeader(reader);
    const BmpInfoHeader& info = image.infoHeader;
    if (info.biBitCount != 8)
        refuse("The bitmap has " + std::to_string(info.biBitCount) +
               " bits per pixel; only 8-bit bitmaps are converted.");
    if (info.biCompression != 0)
        refuse("The bitmap is compressed (" + compressionName(info.biCompression) +
               "); only uncompressed bitmaps are converted.");

    const std::int64_t width = info.biWidth;
    const std::int64_t signedHeight = info.biHeight;
    const std::int64_t height = std::llabs(signedHeight);
    const std::string size = std::to_string(width) + " x " + std::to_string(signedHeight);
    // A negative height only means top-down rows; the game formats know nothing of it.
    const ImageSizeFault fault = checkImageSize(width, height);
    if (fault == ImageSizeFault::TooSmall)
        refuse("The bitmap is " + size +
               " pixels; the width must be at least 1 and the height must not be 0.");
    if (fault == ImageSizeFault::TooLarge)
        refuse("The bitmap is " + size + " pixels; " + std::string(imageSizeReason(fault)));
    const std::int64_t rowLength = stride(width);
    const std::uint64_t rowsOffset = image.fileHeader.bfOffBits;
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(rowLength * height);
    if (rowsOffset < kBmpFileHeaderSize + infoSize)
        refuse("The pixel rows are said to start at byte " + std::to_string(rowsOffset) +
               ", inside the headers.");
    if (!reader.fits(rowsOffset, rowBytes))
        refuse("The file is " + std::to_string(reader.size()) + " bytes long, shorter than the " +
               std::to_string(rowBytes) + " bytes of pixel rows that start at byte " +
               std::to_string(rowsOffset) + ".");
    image.topDown = signedHeight < 0;
    image.pixelRows.columns = static_cast<std::int32_t>(rowLength);
    image.pixelRows.rows = static_cast<std::int32_t>(height);
    const auto rows = reader.slice(static_cast<std::size_t>(rowsOffset), rowBytes);
    image.pixelRows.data.assign(rows.begin(), rows.end());
    return image;
}

// The game bitmap: header, rows top row first, trailer. The lengths describe the rows written.
Bytes encodePbmp(ProgressSink* progress, const BmpImage& image, const PbmpHeader& header,
                 const PbmpTrailer& trailer) {
    const PixelRows& pixelRows = image.pixelRows;
    Bytes out;
    out.reserve(kPbmpHeaderSize + pixelRows.data.size() + kPbmpTrailerSize);
    ByteWriter writer(out);
    writePbmpHeader(writer, header);
    if (progress != nullptr)
        progress->setMaximum(Bar::Rows, pixelRows.rows);
    for (std::int32_t written = 1; written <= pixelRows.rows; ++written) {
        // A bottom-up bitmap stores the top row last.
        const std::int32_t row = image.topDown ? written : pixelRows.rows + 1 - written;
        writer.bytes(pixelRows.row(row));
        if (progress != nullptr)
            progress->setValue(Bar::Rows, written);
    }
    writePbmpTrailer(writer, trailer);
    return out;
}

} // namespace

Bytes readIndexedImageAsBmp(const ConverterContext& context, Bytes file,
                            const std::string& subject) {
    if (!hasPngSignature(file))
        return file;
    if (context.png == nullptr)
        throw Problem::refusal(subject, std::string(kPngUnavailableReason));
    return context.png->decodeAsBmp(file, subject);
}

Bytes encodeBmpAsPbmp(std::span<const std::uint8_t> bmp, const std::string& subject,
                      std::int32_t paletteNumber, std::uint32_t attributes,
                      ProgressSink* progress) {
    const ByteReader reader(bmp);
    if (!reader.fits(0, 2) || reader.u8(0) != 'B' || reader.u8(1) != 'M')
        throw Problem::fixedRefusal(kNotBitmapMessage);
    const BmpImage image = readEightBitBmp(reader, subject);

    const auto pixelBytes = static_cast<std::uint32_t>(image.pixelRows.data.size());
    PbmpHeader header;
    header.fileChunkLength = pixelBytes + 32;
    header.width = image.infoHeader.biWidth;
    header.height = image.pixelRows.rows;
    header.attributes = attributes;
    header.dataLength = static_cast<std::int32_t>(pixelBytes);
    PbmpTrailer trailer;
    trailer.paletteNumber = paletteNumber;
    return encodePbmp(progress, image, header, trailer);
}

ConversionResult ConvertBmpToPbmp(ConverterContext& context, const fs::path& sourcePath,
                                  const fs::path& destinationPath, PaletteListPosition palette,
                                  OptionSliderValue option) {
    context.progress.setMinimum(Bar::Rows, 0);
    context.progress.setValue(Bar::Rows, 0);
    return runConversion(context.prompts, [&] {
        if (keepExistingFile(context.prompts, destinationPath))
            return ConversionResult{Outcome::Converted, 0, 1};
        const std::string subject = displayPath(sourcePath);
        const Bytes source = readIndexedImageAsBmp(context, readWholeFile(sourcePath), subject);
        const Bytes pbmp = encodeBmpAsPbmp(source, subject, palette.paletteNumber(),
                                           option.attributes(), &context.progress);
        writeFileWhole(destinationPath, pbmp);
        return ConversionResult{Outcome::Converted, 1};
    });
}

} // namespace skarde
