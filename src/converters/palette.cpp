#include "palette.h"

#include "pbmpformat.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

// A chooser's answer is typed text: it must name a file inside the pals folder, nothing else.
bool isPlainPaletteName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

fs::path findFallbackPalette(const fs::path& palsFolder) {
    return findGreyPalette(palsFolder,
                           "The fallback palette is missing, so no colours can be given to the "
                           "image.");
}

BmpColourTable readColourTable(const fs::path& path) {
    const PalFile pal = loadPaletteFile(path, "The palette file is shorter than 1048 bytes.");
    return colourTableFromPalette(pal.data);
}

} // namespace

std::optional<fs::path> findNamedPaletteFile(const fs::path& palsFolder, std::string_view name) {
    if (!isPlainPaletteName(name))
        return std::nullopt;
    return findFileIgnoringCase(palsFolder, std::string(name) + ".pal");
}

fs::path findPaletteFile(const fs::path& palsFolder, std::string_view name) {
    if (auto found = findNamedPaletteFile(palsFolder, name))
        return *found;
    return findFallbackPalette(palsFolder);
}

fs::path findGreyPalette(const fs::path& palsFolder, std::string_view missingMessage) {
    const std::string greyName = std::string(kGreyPaletteName) + ".pal";
    if (auto grey = findFileIgnoringCase(palsFolder, greyName))
        return *grey;
    throw Problem(displayPath(palsFolder / greyName), std::string(missingMessage));
}

PalFile loadPaletteFile(const fs::path& path, std::string_view shortMessage) {
    const Bytes bytes = readWholeFile(path);
    if (bytes.size() < kPalFileSize)
        throw Problem(displayPath(path), std::string(shortMessage));
    return readPalFile(ByteReader(bytes));
}

BmpColourTable colourTableFromPalette(const PalData& data) {
    BmpColourTable table{};
    for (std::size_t i = 0; i < kPaletteEntries; ++i) {
        const PalEntry& entry = data.entries[i];
        table[4 * i] = entry.blue;
        table[4 * i + 1] = entry.green;
        table[4 * i + 2] = entry.red;
        table[4 * i + 3] = entry.flags;
    }
    return table;
}

BmpColourTable ResolvePalette(ConverterContext& context, std::int32_t paletteNumber,
                              std::string_view imageName) {
    const std::string name = paletteNumber == kWorldPaletteNumber
                                 ? context.prompts.ChooseWorldPalette()
                                 : std::to_string(paletteNumber);
    if (auto found = findNamedPaletteFile(context.palsFolder, name))
        return readColourTable(*found);
    // Grey is found first: without it there is no fallback to speak of.
    const fs::path grey = findFallbackPalette(context.palsFolder);
    context.prompts.notePaletteFallback({std::string(imageName), paletteNumber, name});
    return readColourTable(grey);
}

BmpColourTable resolvePaletteNamed(ConverterContext& context, std::string_view name) {
    return readColourTable(findPaletteFile(context.palsFolder, name));
}

} // namespace skarde
