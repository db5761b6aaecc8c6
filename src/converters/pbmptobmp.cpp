#include "pbmptobmp.h"

#include "fileio.h"
#include "palette.h"
#include "problem.h"

#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

struct PbmpImage {
    PbmpHeader header;
    PbmpTrailer trailer;
    PixelRows pixelRows;
};

bool hasPbmpMagic(const ByteReader& reader) {
    return reader.fits(0, 4) && reader.tag(0) == makeTag("PBMP");
}

// Everything beyond the magic that the file must hold before its rows can be trusted.
PbmpImage readPbmpImage(const ByteReader& reader, const std::string& subject) {
    if (!reader.fits(0, kPbmpHeaderSize))
        throw Problem(subject, "The file is shorter than a Vidodaz Bitmap header (44 bytes).");
    PbmpImage image;
    image.header = readPbmpHeader(reader, 0);
    const std::int64_t width = image.header.width;
    const std::int64_t height = image.header.height;
    if (width < 1 || height < 1)
        throw Problem(subject, "The image is " + std::to_string(width) + " x " +
                                   std::to_string(height) +
                                   " pixels; width and height must be at least 1.");
    const std::int64_t rowLength = stride(width);
    if (height > kMaxImageDimension || rowLength > kMaxImageDimension)
        throw Problem(subject, "The image is " + std::to_string(width) + " x " +
                                   std::to_string(height) +
                                   " pixels; rows and height are limited to 32767.");
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

// The headers describe the rows actually written, whatever the source's dataLength claims.
Bytes encodeBmp(ConverterContext& context, const PixelRows& pixelRows, std::int32_t width,
                const BmpColourTable& colourTable, BmpHeaders& headers) {
    const std::uint32_t pixelDataSize =
        static_cast<std::uint32_t>(pixelRows.columns) * static_cast<std::uint32_t>(pixelRows.rows);
    Bytes out;
    out.reserve(kBmpHeadersSize + pixelDataSize);
    ByteWriter writer(out);
    headers = WriteBmpHeaders(writer, width, pixelRows.rows, pixelDataSize, colourTable);
    ProgressSink& progress = context.progress;
    progress.setMaximum(Bar::ProgressBar2, pixelRows.rows);
    for (std::int32_t row = pixelRows.rows; row >= 1; --row) {
        writer.bytes(pixelRows.row(row));
        progress.setValue(Bar::ProgressBar2, progress.value(Bar::ProgressBar2) + 1);
    }
    return out;
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
    context.progress.setMinimum(Bar::ProgressBar2, 0);
    context.progress.setValue(Bar::ProgressBar2, 0);
    try {
        const Bytes source = readWholeFile(sourcePath);
        const ByteReader reader(source);
        if (!hasPbmpMagic(reader)) {
            context.prompts.showMessage(kNotVidodazBitmapMessage, MessageKind::Refusal);
            return {Outcome::Refused, 0};
        }
        PbmpImage image;
        try {
            image = readPbmpImage(reader, subject);
        } catch (const Problem& problem) {
            report(problem);
            return {Outcome::Refused, 0};
        }
        const BmpColourTable colourTable = ResolvePalette(context, image.trailer.paletteNumber);
        BmpHeaders headers;
        const Bytes bmp =
            encodeBmp(context, image.pixelRows, image.header.width, colourTable, headers);
        writeFileWhole(destinationPath, bmp);
        SharedRecords& records = context.records;
        records.pbmpHeader = image.header;
        records.pbmpTrailer = image.trailer;
        records.pixelRows = std::move(image.pixelRows);
        records.colourTable = colourTable;
        records.bmpFileHeader = headers.file;
        records.bmpInfoHeader = headers.info;
        return {Outcome::Converted, 1};
    } catch (const Problem& problem) {
        report(problem);
        return {Outcome::Failed, 0};
    }
}

} // namespace skarde
