#include "volcommand.h"

#include "archive/membername.h"
#include "archive/memberpattern.h"
#include "archive/volextraction.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"
#include "png/pngsupport.h"
#include "terminalprogress.h"
#include "terminalprompts.h"
#include "volwritecommands.h"

#include <iostream>
#include <optional>
#include <vector>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

// One line per member: a control character in a name must not break the columns.
std::string listingName(std::string name) {
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

std::string plural(int count, const std::string& noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

// The directory, or nothing after a message naming the archive. An archive without members is
// refused too: a file that is no archive at all can read as one that holds nothing.
std::optional<VolDirectory> readDirectory(const std::string& archive, UserPrompts& prompts) {
    std::optional<VolDirectory> directory;
    runGuarded(prompts, archive, [&] {
        directory = readVolDirectory(fs::u8path(archive));
        return true;
    });
    if (directory && directory->directoryEntries.empty()) {
        prompts.reportProblem(archive, "no members; the file may not be an archive at all.");
        directory.reset();
    }
    return directory;
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::vector<MemberPattern> patternsFrom(std::span<const std::string> typed) {
    std::vector<MemberPattern> patterns;
    for (const std::string& text : typed) {
        patterns.emplace_back(text);
        if (patterns.back().isEmpty())
            throw UsageError("the member name \"" + text + "\" names no member");
    }
    return patterns;
}

// Which patterns matched which entries, each entry's name decoded once for all the patterns.
struct PatternMatches {
    std::vector<bool> entryMatched; // by directory entry; all true when no pattern is given
    std::vector<bool> matchedStored;
    std::vector<bool> matchedCompressed;
};

PatternMatches matchPatterns(const VolDirectory& directory,
                             const std::vector<MemberPattern>& patterns) {
    const std::size_t entryCount = directory.directoryEntries.size();
    PatternMatches matches{std::vector<bool>(entryCount, patterns.empty()),
                           std::vector<bool>(patterns.size(), false),
                           std::vector<bool>(patterns.size(), false)};
    if (patterns.empty())
        return matches;
    std::string decoded;
    for (std::size_t i = 0; i < entryCount; ++i) {
        const VolEntry& entry = directory.directoryEntries[i];
        // Names are nearly always ASCII, the same in either encoding: decoded only when not.
        std::string_view name = entry.name;
        if (!isAscii(name)) {
            decoded = decodeMemberName(name);
            name = decoded;
        }
        for (std::size_t p = 0; p < patterns.size(); ++p) {
            if (!patterns[p].matches(name))
                continue;
            matches.entryMatched[i] = true;
            (entry.isStored() ? matches.matchedStored : matches.matchedCompressed)[p] = true;
        }
    }
    return matches;
}

struct UnmatchedPatterns {
    int refused = 0;        // chose no member to extract
    int matchedNothing = 0; // of those, matched no member at all
};

// Tells about each pattern that chose nothing to extract.
UnmatchedPatterns reportUnmatchedPatterns(const std::vector<MemberPattern>& patterns,
                                          const PatternMatches& matches, const std::string& archive,
                                          UserPrompts& prompts) {
    UnmatchedPatterns unmatched;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        if (matches.matchedStored[p])
            continue;
        ++unmatched.refused;
        unmatched.matchedNothing += matches.matchedCompressed[p] ? 0 : 1;
        const bool wildcard = patterns[p].hasWildcards();
        std::string why;
        if (matches.matchedCompressed[p])
            why = wildcard ? "The pattern matches only compressed members, which cannot be "
                             "extracted."
                           : "The member is compressed and cannot be extracted.";
        else
            why = std::string(wildcard ? "The archive holds no member that matches this pattern"
                                       : "The archive holds no member of this name") +
                  "; skardetools-cli vol list " + archive + " shows the names it holds.";
        tellUserAbout(prompts, Problem::refusal(patterns[p].typed(), why));
    }
    return unmatched;
}

int runList(std::span<const std::string> arguments) {
    const ParsedArguments parsed = parseArguments(arguments, {});
    if (parsed.operands.empty())
        throw UsageError("vol list takes an archive");
    const std::vector<MemberPattern> patterns = patternsFrom(std::span(parsed.operands).subspan(1));
    TerminalPrompts prompts(ReplaceAnswer::No); // reports only
    const std::string& archive = parsed.operands[0];
    const auto directory = readDirectory(archive, prompts);
    if (!directory)
        return kExitSomeFailed;
    const PatternMatches matches = matchPatterns(*directory, patterns);
    for (std::size_t i = 0; i < directory->directoryEntries.size() && std::cout; ++i) {
        if (!matches.entryMatched[i])
            continue;
        const VolEntry& entry = directory->directoryEntries[i];
        std::cout << listingKind(entry) << '\t' << entry.size << '\t'
                  << listingName(decodeMemberName(entry.name)) << '\n';
    }
    int unmatched = 0;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        if (matches.matchedStored[p] || matches.matchedCompressed[p])
            continue;
        ++unmatched;
        prompts.reportProblem(patterns[p].typed(), "The archive holds no member that matches.");
    }
    return unmatched == 0 ? kExitSuccess : kExitSomeFailed;
}

// The stored rows to extract: those the patterns matched, or all of them.
std::vector<bool> selectStoredRows(const VolDirectory& directory, const PatternMatches& matches) {
    std::vector<bool> selection(directory.storedRows.size());
    for (std::size_t row = 0; row < selection.size(); ++row)
        selection[row] = matches.entryMatched[directory.storedRows[row]];
    return selection;
}

int countChosenCompressed(const VolDirectory& directory, const PatternMatches& matches) {
    int count = 0;
    for (std::size_t index : directory.compressedRows)
        count += matches.entryMatched[index] ? 1 : 0;
    return count;
}

std::string extractionSummary(const ExtractionSummary& summary, int total, int compressed) {
    std::string text =
        std::to_string(summary.extracted) + " of " + plural(total, "member") + " extracted";
    if (summary.skipped > 0)
        text += "; " + std::to_string(summary.skipped) + " skipped (their files exist)";
    if (compressed > 0)
        text += "; " + plural(compressed, "compressed member") +
                " skipped (compressed members cannot be extracted)";
    return text + ".\n";
}

int runExtract(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    const ParsedArguments parsed =
        parseArguments(arguments, {{"-o", "--pals", "--world-palette", "--format"},
                                   {"--convert", "-n", "--no-clobber", "-q", "--quiet"}});
    const fs::path outputFolder = outputFolderFrom(parsed);
    if (parsed.operands.empty())
        throw UsageError("no archive given");
    const std::vector<MemberPattern> patterns = patternsFrom(std::span(parsed.operands).subspan(1));
    const fs::path palsFolder = palsFolderFrom(parsed, environment);
    const bool convert = parsed.has("--convert");
    const bool png = writesPngFrom(parsed);
    if (png && !convert)
        throw UsageError("--format png needs --convert: only converted game bitmaps become PNG");
    if (convert)
        requireFallbackPalette(parsed, palsFolder);
    const bool quiet = isQuiet(parsed);
    TerminalPrompts prompts(ReplaceAnswer::AskOnTerminal, worldPaletteFrom(parsed, palsFolder),
                            palsFolder);
    prompts.setQuiet(quiet);
    const std::string& archive = parsed.operands[0];
    const auto directory = readDirectory(archive, prompts);
    if (!directory)
        return kExitSomeFailed;
    makeOutputFolder(outputFolder);

    TerminalProgress progress;
    ConverterContext context{progress, prompts, palsFolder, pngSupport(), png};
    const PatternMatches matches = matchPatterns(*directory, patterns);
    const UnmatchedPatterns unmatched =
        reportUnmatchedPatterns(patterns, matches, archive, prompts);
    ExtractionRequest request{selectStoredRows(*directory, matches), outputFolder, convert};
    request.keepWindowsBitmaps = true;
    request.keepExistingFiles = keepsExistingFiles(parsed);
    ExtractionHooks hooks;
    const auto memberName = [&](std::size_t row) {
        return decodeMemberName(directory->storedEntry(row).name);
    };
    hooks.rowStarting = [&](std::size_t row) { prompts.setCurrentInput(memberName(row)); };
    hooks.keptAsWindowsBitmap = [&](std::size_t row) {
        std::cerr << memberName(row)
                  << ": already a Windows bitmap, not a game bitmap; written as it is\n";
    };
    hooks.existingFileKept = [&](std::size_t row, const fs::path& file) {
        if (!quiet)
            std::cerr << memberName(row) << ": skipped, " << displayPath(file) << " exists\n";
    };
    const ExtractionSummary summary = ExtractSelectedMembers(context, *directory, request, hooks);

    const int compressed = countChosenCompressed(*directory, matches);
    // A name that matched nothing counts as one member asked for and not extracted.
    const int total = summary.selected + compressed + unmatched.matchedNothing;
    if (!quiet)
        std::cout << extractionSummary(summary, total, compressed);
    return summary.failed == 0 && unmatched.refused == 0 ? kExitSuccess : kExitSomeFailed;
}

} // namespace

int runVol(std::span<const std::string> arguments, const CommandEnvironment& environment) {
    constexpr const char* kActions = "list, extract, update, add, remove or pack";
    if (arguments.empty())
        throw UsageError(std::string("vol needs an action: ") + kActions);
    const std::span<const std::string> rest = arguments.subspan(1);
    if (arguments[0] == "list")
        return runList(rest);
    if (arguments[0] == "extract")
        return runExtract(rest, environment);
    if (arguments[0] == "update")
        return runVolUpdate(rest);
    if (arguments[0] == "add")
        return runVolAdd(rest);
    if (arguments[0] == "remove")
        return runVolRemove(rest);
    if (arguments[0] == "pack")
        return runVolPack(rest);
    throw UsageError("unknown vol action " + arguments[0] + "; use " + kActions);
}

} // namespace skarde::cli
