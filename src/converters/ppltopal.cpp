#include "ppltopal.h"

#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"
#include "palette.h"
#include "pplformat.h"

namespace skarde {

namespace fs = std::filesystem;

namespace {

// grey.pal of the pals folder: the template of every PAL file written.
PalFile readTemplate(const fs::path& palsFolder) {
    const fs::path path = findGreyPalette(
        palsFolder, "The palette template is missing, so no PAL file can be written.");
    return loadPaletteFile(path, "The palette template is shorter than 1048 bytes, so no PAL "
                                 "file can be written.");
}

Bytes encodePal(const PalFile& pal, std::int32_t paletteNumber) {
    Bytes out;
    out.reserve(kPalFileSize + 4);
    ByteWriter writer(out);
    writePalFile(writer, pal);
    writer.i32(paletteNumber);
    return out;
}

PplPalette readPaletteRecord(const ByteReader& reader, std::int32_t k,
                             const std::string& sourceName) {
    const std::uint64_t offset = pplPaletteOffset(static_cast<std::uint64_t>(k));
    if (!reader.fits(offset, kPplPaletteSize))
        throw Problem::refusal(
            sourceName, "Palette record " + std::to_string(k) + " (counting from 0; at byte " +
                            std::to_string(offset) + ") runs past the end of the file (" +
                            std::to_string(reader.size()) + " bytes).");
    return readPplPalette(reader, static_cast<std::size_t>(offset));
}

// True when the palette's file was written; false when the user kept an existing one.
bool writePalette(UserPrompts& prompts, PalFile& palTemplate, const PplPalette& palette,
                  const fs::path& outputFolder) {
    for (std::size_t i = 0; i < kPaletteEntries; ++i) {
        PalEntry& entry = palTemplate.data.entries[i];
        entry.red = palette.colours[i].red;
        entry.green = palette.colours[i].green;
        entry.blue = palette.colours[i].blue;
    }
    const std::string name = palFileName(palette.paletteNumber);
    // An existing file is matched without regard to letter case and replaced in place.
    const std::optional<fs::path> existing = findFileIgnoringCase(outputFolder, name);
    if (existing && !prompts.askToReplace(kReplacePalQuestion, displayPath(*existing)))
        return false;
    writeFileWhole(existing.value_or(outputFolder / name),
                   encodePal(palTemplate, palette.paletteNumber));
    return true;
}

// A file that is not a palette list at all is refused whole, before anything is written; once
// it is known to be one, the closing count is shown however its palettes end.
ConversionResult extractPalettes(ConverterContext& context, PalFile palTemplate,
                                 std::span<const std::uint8_t> input, const std::string& sourceName,
                                 const fs::path& outputFolder) {
    const ByteReader reader(input);
    if (!reader.fits(0, kPplHeaderSize))
        throw Problem::refusal(sourceName,
                               "The file is shorter than a palette list header (52 bytes).");
    const PplHeader header = readPplHeader(reader);
    if (const auto reason = whyNotAPaletteList(reader, header))
        throw Problem::refusal(sourceName, *reason);
    ConversionResult result{Outcome::Converted, 0};
    try {
        for (std::int32_t k = 0; k < header.paletteCount; ++k) {
            const PplPalette palette = readPaletteRecord(reader, k, sourceName);
            if (writePalette(context.prompts, palTemplate, palette, outputFolder))
                ++result.filesWritten;
        }
    } catch (const Problem& problem) {
        result.outcome = tellUserAbout(context.prompts, problem);
    }
    context.prompts.showMessage(
        std::to_string(result.filesWritten) + std::string(kPplSummarySuffix), MessageKind::Summary);
    return result;
}

} // namespace

std::string palFileName(std::int32_t paletteNumber) {
    return std::to_string(paletteNumber) + ".pal";
}

// The template is read before the input, so that a missing one is what the user hears of
// first.
ConversionResult ConvertPplToPal(ConverterContext& context, const fs::path& inputPath,
                                 const fs::path& outputFolder) {
    return runConversion(context.prompts, [&] {
        PalFile palTemplate = readTemplate(context.palsFolder);
        return extractPalettes(context, std::move(palTemplate), readWholeFile(inputPath),
                               displayPath(inputPath), outputFolder);
    });
}

ConversionResult ConvertPplToPal(ConverterContext& context, std::span<const std::uint8_t> input,
                                 std::string_view sourceName, const fs::path& outputFolder) {
    return runConversion(context.prompts, [&] {
        return extractPalettes(context, readTemplate(context.palsFolder), input,
                               std::string(sourceName), outputFolder);
    });
}

} // namespace skarde
