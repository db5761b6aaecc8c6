#pragma once

// One subcommand of skardetools-cli and the conventions they all share.

#include "commandline.h"

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace skarde::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

struct CommandEnvironment {
    std::filesystem::path defaultPalsFolder; // beside the executable, else the installed one
};

struct CliCommand {
    std::string_view name;
    std::string help; // synopsis line(s) and option descriptions for --help
    int (*run)(std::span<const std::string> arguments, const CommandEnvironment& environment);
};

std::span<const CliCommand> allCommands();
// The help of -n and -q, which every converting command takes.
std::string convertingOptionsHelp();

// A failure that stops the whole command before any file is handled; its text names what failed.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The -o folder; a usage error when it is not given, or names something that is not a folder.
// A folder that does not exist yet is fine: makeOutputFolder creates it.
std::filesystem::path outputFolderFrom(const ParsedArguments& parsed);
// Creates the output folder and its parents when missing, once the command line is known good,
// so that a mistake leaves nothing behind. A CommandFailure when that fails.
void makeOutputFolder(const std::filesystem::path& folder);
// --pals, or the default folder.
std::filesystem::path palsFolderFrom(const ParsedArguments& parsed,
                                     const CommandEnvironment& environment);
// grey.pal, the fallback palette and the template of PAL files, must be in the palette folder:
// a usage error when --pals names a folder without it, a CommandFailure when the default folder
// (the installation) lacks it. Checked once, before any file, rather than once per file.
void requireFallbackPalette(const ParsedArguments& parsed, const std::filesystem::path& palsFolder);
// --world-palette, which must name a palette file of the palette folder (a usage error listing
// the names there otherwise); empty when not given, which draws world-dependent images in grey
// with a warning.
std::string worldPaletteFrom(const ParsedArguments& parsed,
                             const std::filesystem::path& palsFolder);
// The palettes of the folder a user may give as a world, for messages: "grey, IceWorld".
std::string namedPalettesText(const std::filesystem::path& palsFolder);
// -q or --quiet: no per-file lines and no closing count; warnings and errors still show.
bool isQuiet(const ParsedArguments& parsed);
// -n or --no-clobber: an existing output file is left alone and reported as skipped.
bool keepsExistingFiles(const ParsedArguments& parsed);

// --format bmp (the default) or png: whether images are written as 8-bit indexed PNG files. A
// usage error for another format, or for png in a build without PNG support.
bool writesPngFrom(const ParsedArguments& parsed);
// The help of --format.
std::string formatOptionHelp();

// The operands, at least one; a usage error otherwise.
std::span<const std::string> inputFilesFrom(const ParsedArguments& parsed);

} // namespace skarde::cli
