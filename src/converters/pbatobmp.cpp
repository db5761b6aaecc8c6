#include "pbatobmp.h"

#include "convertedbmp.h"
#include "core/existingfile.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
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

void startBars(ProgressSink& progress) {
    progress.setMinimum(Bar::Files, 0);
    progress.setMinimum(Bar::Rows, 0);
}

// The header of a file that is a bitmap array at all; throws Problem otherwise.
PbaHeader readCheckedHeader(const ByteReader& reader, const std::string& sourceName) {
    if (!reader.fits(0, 4) || reader.tag(0) != makeTag("PBMA"))
        throw Problem::fixedRefusal(kNotZiraruvIzovivUzuziMessage);
    if (!reader.fits(0, kPbaHeaderSize))
        throw Problem::refusal(
            sourceName, "The file is shorter than a Ziraruv Izoviv Uzuzi header (24 bytes).");
    return readPbaHeader(reader);
}

PbaEntry locateEntry(const ByteReader& reader, std::uint64_t offset, int k,
                     const std::string& sourceName) {
    try {
        return locatePbaEntry(reader, offset);
    } catch (const MalformedPbaEntry& malformed) {
        throw Problem::refusal(sourceName, entryText(k, offset) + malformed.what());
    }
}

void writeEntry(ConverterContext& context, const ByteReader& reader, const PbaEntry& entry,
                const std::string& imageName, const fs::path& destinationPath) {
    // A last entry without its palette part has no palette number inside the file.
    const BmpColourTable colourTable =
        entry.trailer ? ResolvePalette(context, entry.trailer->paletteNumber, imageName)
                      : resolvePaletteNamed(context, kGreyPaletteName);
    const GameImage image{entry.header, entry.trailer.value_or(PbmpTrailer{}),
                          rowsOf(reader, entry)};
    writeGameImageAsBmp(context, image, colourTable, destinationPath, image.pixelRows.rows + 1);
}

void checkBitmapCount(std::int32_t bitmapCount, const std::string& sourceName) {
    if (bitmapCount < 0 || bitmapCount > kMaxImageDimension)
        throw Problem::refusal(sourceName, "The file declares " + std::to_string(bitmapCount) +
                                               " bitmaps; the count must be 0 to 32767.");
}

// Writes the bitmaps one by one, counting them in `result`, up to the first Problem.
void writeBitmaps(ConverterContext& context, const ByteReader& reader, const PbaHeader& header,
                  const std::string& sourceName, const fs::path& outputBase,
                  ConversionResult& result) {
    ProgressSink& progress = context.progress;
    checkBitmapCount(header.bitmapCount, sourceName);
    progress.setValue(Bar::Files, 0);
    progress.setMaximum(Bar::Files, header.bitmapCount + 1);
    std::uint64_t offset = kPbaHeaderSize;
    for (int k = 0; k < header.bitmapCount; ++k) {
        progress.setValue(Bar::Rows, 0);
        const PbaEntry entry = locateEntry(reader, offset, k, sourceName);
        const fs::path destinationPath =
            pbaOutputPath(outputBase, k, context.writesPng && context.png != nullptr);
        if (keepExistingFile(context.prompts, destinationPath)) {
            ++result.filesKept;
        } else {
            writeEntry(context, reader, entry, sourceName + " (bitmap " + std::to_string(k) + ")",
                       destinationPath);
            ++result.filesWritten;
        }
        progress.setValue(Bar::Files, progress.value(Bar::Files) + 1);
        offset = entry.nextOffset;
    }
}

// Once the header is read, the closing count is shown however the bitmaps end.
ConversionResult convertPba(ConverterContext& context, std::span<const std::uint8_t> source,
                            const std::string& sourceName, const fs::path& outputBase) {
    const ByteReader reader(source);
    const PbaHeader header = readCheckedHeader(reader, sourceName);
    ConversionResult result{Outcome::Converted, 0};
    try {
        writeBitmaps(context, reader, header, sourceName, outputBase, result);
    } catch (const Problem& problem) {
        result.outcome = tellUserAbout(context.prompts, problem);
    }
    context.prompts.showMessage(
        std::to_string(result.filesWritten) + std::string(kPbaSummarySuffix), MessageKind::Summary);
    return result;
}

} // namespace

fs::path pbaOutputPath(const fs::path& outputBase, int k, bool png) {
    fs::path path = outputBase;
    path += std::to_string(k) + (png ? ".png" : ".bmp");
    return path;
}

ConversionResult ConvertPbaToBmp(ConverterContext& context, const fs::path& inputPath,
                                 const fs::path& outputBase) {
    startBars(context.progress);
    return runConversion(context.prompts, [&] {
        return convertPba(context, readWholeFile(inputPath), displayPath(inputPath), outputBase);
    });
}

ConversionResult ConvertPbaToBmp(ConverterContext& context, std::span<const std::uint8_t> source,
                                 std::string_view sourceName, const fs::path& outputBase) {
    startBars(context.progress);
    return runConversion(context.prompts, [&] {
        return convertPba(context, source, std::string(sourceName), outputBase);
    });
}

} // namespace skarde
