#pragma once

// One subcommand of skardetools-cli and the conventions they all share.

#include "commandline.h"

#include <filesystem>
#include <span>
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

// The -o folder; a usage error when it is missing or not a folder.
std::filesystem::path outputFolderFrom(const ParsedArguments& parsed);
// --pals, or the default folder.
std::filesystem::path palsFolderFrom(const ParsedArguments& parsed,
                                     const CommandEnvironment& environment);
// The operands, at least one; a usage error otherwise.
std::span<const std::string> inputFilesFrom(const ParsedArguments& parsed);

} // namespace skarde::cli
