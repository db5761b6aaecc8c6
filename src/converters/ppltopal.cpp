#include "ppltopal.h"

#include "core/fileio.h"
#include "core/problem.h"
#include "palette.h"
#include "pplformat.h"

namespace skarde {

namespace fs = std::filesystem;

namespace {

// The record counter of the game's tools is a signed 16-bit number.
inline constexpr std::int32_t kMaxPaletteCount = 32767;

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

} // namespace

std::string palFileName(std::int32_t paletteNumber) {
    return std::to_string(paletteNumber) + ".pal";
}

ConversionResult ConvertPplToPal(ConverterContext& context, const fs::path& inputPath,
                                 const fs::path& outputFolder) {
    UserPrompts& prompts = context.prompts;
    PalFile palTemplate;
    Bytes input;
    try {
        palTemplate = readTemplate(context.palsFolder);
        input = readWholeFile(inputPath);
    } catch (const Problem& problem) {
        prompts.reportProblem(problem.subject(), problem.what());
        return {Outcome::Failed, 0};
    }
    const ByteReader reader(input);
    const std::string subject = displayPath(inputPath);
    if (!reader.fits(0, kPplHeaderSize)) {
        prompts.reportProblem(subject,
                              "The file is shorter than a palette list header (52 bytes).");
        return {Outcome::Refused, 0};
    }
    const PplHeader header = readPplHeader(reader);

    ConversionResult result{Outcome::Converted, 0};
    if (header.paletteCount < 0 || header.paletteCount > kMaxPaletteCount) {
        prompts.reportProblem(subject, "The file declares " + std::to_string(header.paletteCount) +
                                           " palettes; the count must be 0 to 32767.");
        result.outcome = Outcome::Refused;
    }
    for (std::int32_t k = 0; result.outcome == Outcome::Converted && k < header.paletteCount; ++k) {
        const std::uint64_t offset = pplPaletteOffset(static_cast<std::uint64_t>(k));
        if (!reader.fits(offset, kPplPaletteSize)) {
            prompts.reportProblem(subject, "Palette record " + std::to_string(k) +
                                               " (counting from 0; at byte " +
                                               std::to_string(offset) +
                                               ") runs past the end of "
                                               "the file (" +
                                               std::to_string(reader.size()) + " bytes).");
            result.outcome = Outcome::Refused;
            break;
        }
        const PplPalette palette = readPplPalette(reader, static_cast<std::size_t>(offset));
        for (std::size_t i = 0; i < kPaletteEntries; ++i) {
            PalEntry& entry = palTemplate.data.entries[i];
            entry.red = palette.colours[i].red;
            entry.green = palette.colours[i].green;
            entry.blue = palette.colours[i].blue;
        }
        const std::string name = palFileName(palette.paletteNumber);
        // An existing file is matched without regard to letter case and replaced in place.
        const std::optional<fs::path> existing = findFileIgnoringCase(outputFolder, name);
        if (existing && !prompts.askYesNo(kReplacePalQuestion))
            continue;
        try {
            writeFileWhole(existing.value_or(outputFolder / name),
                           encodePal(palTemplate, palette.paletteNumber));
        } catch (const Problem& problem) {
            prompts.reportProblem(problem.subject(), problem.what());
            result.outcome = Outcome::Failed;
            break;
        }
        ++result.filesWritten;
    }
    prompts.showMessage(std::to_string(result.filesWritten) + std::string(kPplSummarySuffix),
                        MessageKind::Summary);
    return result;
}

} // namespace skarde
