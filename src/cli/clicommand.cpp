#include "clicommand.h"

#include "converters/palette.h"
#include "core/fileio.h"

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

std::string worldPaletteFrom(const ParsedArguments& parsed) {
    return parsed.value("--world-palette").value_or(std::string(kDefaultWorldPaletteName));
}

std::span<const std::string> inputFilesFrom(const ParsedArguments& parsed) {
    if (parsed.operands.empty())
        throw UsageError("no input file given");
    return parsed.operands;
}

} // namespace skarde::cli
