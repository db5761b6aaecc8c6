#include "pbmptobmp.h"

#include "convertedbmp.h"
#include "core/fileio.h"
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
        throw Problem(subject, "The file is shorter than a Vidodaz Bitmap header (44 bytes).");
    GameImage image;
    image.header = readPbmpHeader(reader, 0);
    const std::int64_t width = image.header.width;
    const std::int64_t height = image.header.height;
    if (const ImageSizeFault fault = checkImageSize(width, height); fault != ImageSizeFault::None)
        throw Problem(subject, "The image is " + std::to_string(width) + " x " +
                                   std::to_string(height) + " pixels; " +
                                   std::string(imageSizeReason(fault)));
    const std::int64_t rowLength = stride(width);
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(rowLength * height);
    if (!reader.fits(kPbmpHeaderSize, rowBytes + kPbmpTrailerSize))
        throw Problem(subject, "The file is shorter than the " + std::to_string(rowBytes) +
                                   " bytes of pixel rows and the trailer its header declares.");
    image.pixelRows.columns = static_cast<std::int32_t>(rowLength);
    image.pixelRows.rows = static_cast<std::int32_t>(height);
    const auto rows = reader.slice(kPbmpHeaderSize, rowBytes);
    image.pixelRows.data.assign(rows.begin(), rows.end());
    image.trailer = readPbmpTrailer(reader, reader.size() - kPbmpTrailerSize);
    return image;
}

} // namespace

ConversionResult ConvertPbmpToBmp(ConverterContext& context, const fs::path& sourcePath,
                                  const fs::path& destinationPath, std::string_view sourceName) {
    const std::string sourcePathText = displayPath(sourcePath);
    const std::string subject = sourceName.empty() ? sourcePathText : std::string(sourceName);
    const auto report = [&](const Problem& problem) {
        context.prompts.reportProblem(
            problem.subject() == sourcePathText ? subject : problem.subject(), problem.what());
    };
    context.progress.setMinimum(Bar::Rows, 0);
    context.progress.setValue(Bar::Rows, 0);
    try {
        const Bytes source = readWholeFile(sourcePath);
        const ByteReader reader(source);
        if (!hasPbmpMagic(reader)) {
            context.prompts.showMessage(kNotVidodazBitmapMessage, MessageKind::Refusal);
            return {Outcome::Refused, 0};
        }
        GameImage image;
        try {
            image = readPbmpImage(reader, subject);
        } catch (const Problem& problem) {
            report(problem);
            return {Outcome::Refused, 0};
        }
        const BmpColourTable colourTable = ResolvePalette(context, image.trailer.paletteNumber);
        const std::int32_t rows = image.pixelRows.rows;
        writeGameImageAsBmp(context, std::move(image), colourTable, destinationPath, rows);
        return {Outcome::Converted, 1};
    } catch (const Problem& problem) {
        report(problem);
        return {Outcome::Failed, 0};
    }
}

} // namespace skarde
