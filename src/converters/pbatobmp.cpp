#include "pbatobmp.h"

#include "convertedbmp.h"
#include "core/fileio.h"
#include "core/problem.h"
#include "palette.h"
#include "pbaformat.h"

#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

std::string entryText(int k, std::uint64_t offset) {
    return "Bitmap entry " + std::to_string(k) + " (counting from 0; at byte " +
           std::to_string(offset) + "): ";
}

PixelRows rowsOf(const ByteReader& reader, const PbaEntry& entry) {
    PixelRows rows;
    rows.columns = static_cast<std::int32_t>(entry.stride);
    rows.rows = entry.header.height;
    const auto bytes = reader.slice(static_cast<std::size_t>(entry.rowsOffset()), entry.rowBytes);
    rows.data.assign(bytes.begin(), bytes.end());
    return rows;
}

} // namespace

fs::path pbaOutputPath(const fs::path& outputBase, int k) {
    fs::path path = outputBase;
    path += std::to_string(k) + ".bmp";
    return path;
}

ConversionResult ConvertPbaToBmp(ConverterContext& context, const fs::path& inputPath,
                                 const fs::path& outputBase) {
    ProgressSink& progress = context.progress;
    UserPrompts& prompts = context.prompts;
    progress.setMinimum(Bar::Files, 0);
    progress.setMinimum(Bar::Rows, 0);

    Bytes input;
    try {
        input = readWholeFile(inputPath);
    } catch (const Problem& problem) {
        prompts.reportProblem(problem.subject(), problem.what());
        return {Outcome::Failed, 0};
    }
    const ByteReader reader(input);
    if (!reader.fits(0, 4) || reader.tag(0) != makeTag("PBMA")) {
        prompts.showMessage(kNotZiraruvIzovivUzuziMessage, MessageKind::Refusal);
        return {Outcome::Refused, 0};
    }
    const std::string subject = displayPath(inputPath);
    if (!reader.fits(0, kPbaHeaderSize)) {
        prompts.reportProblem(subject,
                              "The file is shorter than a Ziraruv Izoviv Uzuzi header (24 bytes).");
        return {Outcome::Refused, 0};
    }
    const PbaHeader header = readPbaHeader(reader);

    ConversionResult result{Outcome::Converted, 0};
    const auto closingMessage = [&] {
        prompts.showMessage(std::to_string(result.filesWritten) + std::string(kPbaSummarySuffix),
                            MessageKind::Summary);
        return result;
    };
    if (header.bitmapCount < 0 || header.bitmapCount > kMaxImageDimension) {
        prompts.reportProblem(subject, "The file declares " + std::to_string(header.bitmapCount) +
                                           " bitmaps; the count must be 0 to 32767.");
        result.outcome = Outcome::Refused;
        return closingMessage();
    }
    progress.setValue(Bar::Files, 0);
    progress.setMaximum(Bar::Files, header.bitmapCount + 1);

    std::uint64_t offset = kPbaHeaderSize;
    for (int k = 0; k < header.bitmapCount; ++k) {
        progress.setValue(Bar::Rows, 0);
        PbaEntry entry;
        try {
            entry = locatePbaEntry(reader, offset);
        } catch (const MalformedPbaEntry& malformed) {
            prompts.reportProblem(subject, entryText(k, offset) + malformed.what());
            result.outcome = Outcome::Refused;
            break;
        }
        PixelRows pixelRows = rowsOf(reader, entry);
        try {
            // A last entry without its palette part has no palette number inside the file.
            const BmpColourTable colourTable =
                entry.trailer ? ResolvePalette(context, entry.trailer->paletteNumber)
                              : resolvePaletteNamed(context, kGreyPaletteName);
            const std::int32_t rows = pixelRows.rows;
            writeGameImageAsBmp(
                context,
                {entry.header, entry.trailer.value_or(PbmpTrailer{}), std::move(pixelRows)},
                colourTable, pbaOutputPath(outputBase, k), rows + 1);
        } catch (const Problem& problem) {
            prompts.reportProblem(problem.subject(), problem.what());
            result.outcome = Outcome::Failed;
            break;
        }
        ++result.filesWritten;
        progress.setValue(Bar::Files, progress.value(Bar::Files) + 1);
        offset = entry.nextOffset;
    }
    return closingMessage();
}

} // namespace skarde
