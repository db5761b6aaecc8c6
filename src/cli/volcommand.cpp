#include "volcommand.h"

#include "archive/membername.h"
#include "archive/volextraction.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"
#include "terminalprogress.h"
#include "terminalprompts.h"

#include <iostream>
#include <optional>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

// One line per member: a control character in a name must not break the columns.
std::string listingName(std::string_view rawName) {
    std::string name = decodeMemberName(rawName);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return name;
}

std::string_view listingKind(const VolEntry& entry) {
    if (!entry.isStored())
        return "compressed";
    return entry.damaged ? "damaged" : "stored";
}

std::optional<VolDirectory> readDirectory(const std::string& archive, UserPrompts& prompts) {
    std::optional<VolDirectory> directory;
    runGuarded(prompts, archive, [&] {
        directory = readVolDirectory(fs::u8path(archive));
        return true;
    });
    return directory;
}

int runList(std::span<const std::string> arguments) {
    const ParsedArguments parsed = parseArguments(arguments, {});
    if (parsed.operands.size() != 1)
        throw UsageError("vol list takes one archive");
    TerminalPrompts prompts(ReplaceAnswer::No); // reports only
    const auto directory = readDirectory(parsed.operands[0], prompts);
    if (!directory)
        return kExitSomeFailed;
    for (const VolEntry& entry : directory->directoryEntries)
        std::cout << listingKind(entry) << '\t' << entry.size << '\t' << listingName(entry.name)
                  << '\n';
    return kExitSuccess;
}

bool markRowsNamed(const VolDirectory& directory, const std::string& requested,
                   std::vector<bool>& selection) {
    bool found = false;
    for (std::size_t row = 0; row < directory.storedRows.size(); ++row) {
        if (memberNameMatches(directory.storedEntry(row).name, requested)) {
            selection[row] = true;
            found = true;
        }
    }
    return found;
}

bool isCompressedMember(const VolDirectory& directory, const std::string& requested) {
    for (std::size_t row = 0; row < directory.compressedRows.size(); ++row)
        if (memberNameMatches(directory.compressedEntry(row).name, requested))
            return true;
    return false;
}

// The named members, or every stored one; a name that is compressed or absent is reported.
std::vector<bool> selectMembers(const VolDirectory& directory,
                                std::span<const std::string> requested, UserPrompts& prompts,
                                int& refusedNames) {
    std::vector<bool> selection(directory.storedRows.size(), requested.empty());
    for (const std::string& name : requested) {
        if (markRowsNamed(directory, name, selection))
            continue;
        ++refusedNames;
        const char* why = isCompressedMember(directory, name)
                              ? "The member is compressed and cannot be extracted."
                              : "The archive holds no member of this name.";
        tellUserAbout(prompts, Problem::refusal(name, why));
    }
    return selection;
}

int runExtract(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed =
        parseArguments(arguments, {{"-o", "--pals", "--world-palette"}, {"--convert"}});
    const fs::path outputFolder = outputFolderFrom(parsed);
    if (parsed.operands.empty())
        throw UsageError("no archive given");
    TerminalPrompts prompts(ReplaceAnswer::AskOnTerminal, worldPaletteFrom(parsed));
    const auto directory = readDirectory(parsed.operands[0], prompts);
    if (!directory)
        return kExitSomeFailed;
    makeOutputFolder(outputFolder);

    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolderFrom(parsed, environment)};
    int refusedNames = 0;
    ExtractionRequest request{
        selectMembers(*directory, std::span(parsed.operands).subspan(1), prompts, refusedNames),
        outputFolder, parsed.has("--convert")};
    ExtractionHooks hooks;
    hooks.rowStarting = [&](std::size_t row) {
        prompts.setCurrentInput(decodeMemberName(directory->storedEntry(row).name));
    };
    const ExtractionSummary summary = ExtractSelectedMembers(context, *directory, request, hooks);

    const int asked = summary.selected + refusedNames;
    std::cout << summary.extracted << " of " << asked << " member(s) extracted.\n";
    return summary.extracted == asked ? kExitSuccess : kExitSomeFailed;
}

} // namespace

int runVol(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    if (arguments.empty())
        throw UsageError("vol needs an action: list or extract");
    const std::span<const std::string> rest = arguments.subspan(1);
    if (arguments[0] == "list")
        return runList(rest);
    if (arguments[0] == "extract")
        return runExtract(rest, environment);
    throw UsageError("unknown vol action " + arguments[0] + "; use list or extract");
}

} // namespace skarde::cli
