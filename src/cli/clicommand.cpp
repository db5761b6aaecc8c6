#include "clicommand.h"

#include "converters/palette.h"
#include "converters/palsfolder.h"
#include "core/fileio.h"
#include "png/pngsupport.h"

#include <system_error>

namespace skarde::cli {

namespace fs = std::filesystem;

fs::path outputFolderFrom(const ParsedArguments& parsed) {
    const auto folder = parsed.value("-o");
    if (!folder)
        throw UsageError("an output folder is needed: -o OUTDIR");
    const fs::path path = fs::u8path(*folder);
    std::error_code error;
    if (fs::exists(path, error) && !fs::is_directory(path, error))
        throw UsageError("the output folder " + *folder + " is not a folder");
    return path;
}

void makeOutputFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw CommandFailure("cannot create the output folder " + displayPath(folder) + ": " +
                             error.message());
}

fs::path palsFolderFrom(const ParsedArguments& parsed, const CommandEnvironment& environment) {
    if (const auto folder = parsed.value("--pals"))
        return fs::u8path(*folder);
    return environment.defaultPalsFolder;
}

void requireFallbackPalette(const ParsedArguments& parsed, const fs::path& palsFolder) {
    const std::string greyName = std::string(kGreyPaletteName) + ".pal";
    if (findFileIgnoringCase(palsFolder, greyName))
        return;
    if (parsed.value("--pals"))
        throw UsageError("the palette folder " + displayPath(palsFolder) + " holds no " + greyName +
                         ", the fallback palette; give --pals a folder that has it");
    throw CommandFailure(displayPath(palsFolder / greyName) +
                         ": The fallback palette is missing; the installation is incomplete, or "
                         "give --pals a folder that has it");
}

std::string namedPalettesText(const fs::path& palsFolder) {
    std::string text;
    for (const std::string& name : namedPalettesIn(palsFolder))
        text += (text.empty() ? "" : ", ") + name;
    return text.empty() ? "(none)" : text;
}

std::string worldPaletteFrom(const ParsedArguments& parsed, const fs::path& palsFolder) {
    const auto name = parsed.value("--world-palette");
    if (!name)
        return {};
    if (!findNamedPaletteFile(palsFolder, *name))
        throw UsageError("no world palette " + *name + " in " + displayPath(palsFolder) +
                         " (no file " + *name +
                         ".pal); the palettes there by name: " + namedPalettesText(palsFolder));
    return *name;
}

bool isQuiet(const ParsedArguments& parsed) {
    return parsed.has("-q") || parsed.has("--quiet");
}

bool keepsExistingFiles(const ParsedArguments& parsed) {
    return parsed.has("-n") || parsed.has("--no-clobber");
}

bool writesPngFrom(const ParsedArguments& parsed) {
    const std::string format = parsed.value("--format").value_or("bmp");
    if (format == "bmp")
        return false;
    if (format != "png")
        throw UsageError("unknown format " + format + "; use bmp or png");
    if (pngSupport() == nullptr)
        throw UsageError("PNG is not available in this build of skardetools-cli; use --format bmp");
    return true;
}

std::string formatOptionHelp() {
    return "    --format FORMAT       bmp (default) or png: 8-bit indexed PNG files with the\n"
           "                          same colours, named .png instead of .bmp\n";
}

std::span<const std::string> inputFilesFrom(const ParsedArguments& parsed) {
    if (parsed.operands.empty())
        throw UsageError("no input file given");
    return parsed.operands;
}

} // namespace skarde::cli
