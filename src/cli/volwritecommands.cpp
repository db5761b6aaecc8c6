#include "volwritecommands.h"

#include "clicommand.h"
#include "volwriterun.h"

#include "archive/membercontent.h"
#include "archive/membername.h"
#include "archive/memberpattern.h"
#include "archive/volchange.h"
#include "archive/voldirectory.h"
#include "archive/volfolderupdate.h"
#include "archive/volwriter.h"
#include "core/fileio.h"
#include "core/problem.h"

#include <algorithm>
#include <iostream>
#include <system_error>
#include <vector>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

const OptionTable kWriteOptions{{"-o"}, {"-q", "--quiet"}};

void tellProblem(const Problem& problem) {
    if (!problem.subject().empty())
        std::cerr << problem.subject() << ": ";
    std::cerr << problem.what() << '\n';
}

// --- vol update -----------------------------------------------------------------------------

void printLeftOut(const FolderUpdatePlan& plan, const std::string& archive) {
    for (const FolderFile& file : plan.leftOut)
        std::cerr << file.pathText << ": left out: " << archive
                  << " holds no member of this name; give --add to add it as " << file.memberName
                  << '\n';
}

std::string updateCounts(const FolderUpdatePlan& plan) {
    std::string text = countText(plan.replaced.size(), "member") + " replaced, " +
                       std::to_string(plan.added.size()) + " added; " +
                       countText(plan.unchanged.size(), "file") + " unchanged";
    if (!plan.leftOut.empty())
        text += ", " + std::to_string(plan.leftOut.size()) + " left out";
    if (!plan.refused.empty())
        text += ", " + std::to_string(plan.refused.size()) + " refused";
    return text + ". ";
}

void printUpdatedMembers(const FolderUpdatePlan& plan) {
    for (const FolderFile& file : plan.replaced)
        std::cout << file.memberName << ": replaced by " << file.pathText << '\n';
    for (const FolderFile& file : plan.added)
        std::cout << file.memberName << ": added from " << file.pathText << '\n';
}

} // namespace

int runVolUpdate(std::span<const std::string> arguments) {
    const ParsedArguments parsed =
        parseArguments(arguments, {{"-o"}, {"--convert", "--add", "-q", "--quiet"}});
    if (parsed.operands.size() != 2)
        throw UsageError("vol update takes an archive and a folder: vol update ARCHIVE FOLDER");
    const fs::path destination = newArchiveFrom(parsed);
    const bool quiet = isQuiet(parsed);
    const std::string& archive = parsed.operands[0];
    const fs::path folder = fs::u8path(parsed.operands[1]);
    FolderUpdateOptions options;
    options.addOthers = parsed.has("--add");
    options.convertBitmaps = parsed.has("--convert");

    FolderUpdatePlan plan;
    try {
        plan = planFolderUpdate(fs::u8path(archive), folder, options);
    } catch (const Problem& problem) {
        tellProblem(problem);
        return kExitSomeFailed;
    }
    for (const Problem& problem : plan.refused)
        tellProblem(problem);
    printLeftOut(plan, archive);
    const int status = plan.refused.empty() ? kExitSuccess : kExitSomeFailed;
    // In place, an archive nothing changes is left alone: no rewrite, no backup. A new archive
    // asked for is written all the same, so that a script finds it.
    if (plan.changes.empty() && destination.empty()) {
        if (!quiet)
            std::cout << updateCounts(plan) << "No file differs from its member; " << archive
                      << " was left as it was.\n";
        return status;
    }
    const auto report = writeArchiveReporting(
        destination.empty() ? fs::u8path(archive) : destination, [&](const VolWriteOptions& how) {
            return updateVolArchive(fs::u8path(archive), plan.changes, destination, how);
        });
    if (!report)
        return kExitSomeFailed;
    if (!quiet) {
        printUpdatedMembers(plan);
        std::cout << updateCounts(plan) << whereWrittenText(*report, archive) << '\n';
    }
    return status;
}

// --- vol add ----------------------------------------------------------------------------------

namespace {

struct FileToAdd {
    fs::path file;
    std::string memberName;
};

// The member a FILE is stored as without "=MEMBER": its path as given, as archivers store
// relative paths, or only its name when the path is absolute or leads up and out.
std::string defaultMemberName(const fs::path& file) {
    const fs::path relative = file.lexically_normal().relative_path();
    const bool leadsOut =
        file.is_absolute() || file.has_root_name() || relative.empty() || *relative.begin() == "..";
    std::string name = displayPath(leadsOut ? file.filename() : relative);
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

// FILE or FILE=MEMBER; a file whose own name holds "=" is taken whole when it exists.
FileToAdd fileToAddFrom(const std::string& typed) {
    std::error_code error;
    const std::size_t equals = typed.find('=');
    if (equals == std::string::npos || fs::exists(fs::u8path(typed), error))
        return {fs::u8path(typed), defaultMemberName(fs::u8path(typed))};
    const std::string file = typed.substr(0, equals);
    const std::string member = typed.substr(equals + 1);
    if (file.empty() || member.empty())
        throw UsageError("\"" + typed + "\" is not FILE=MEMBER");
    return {fs::u8path(file), member};
}

} // namespace

int runVolAdd(std::span<const std::string> arguments) {
    const ParsedArguments parsed = parseArguments(arguments, kWriteOptions);
    if (parsed.operands.size() < 2)
        throw UsageError("vol add takes an archive and the files to add: vol add ARCHIVE "
                         "FILE[=MEMBER]...");
    const fs::path destination = newArchiveFrom(parsed);
    const std::string& archive = parsed.operands[0];
    std::vector<FileToAdd> files;
    for (const std::string& typed : std::span(parsed.operands).subspan(1))
        files.push_back(fileToAddFrom(typed));
    std::vector<VolChange> changes;
    for (const FileToAdd& file : files)
        changes.push_back(addMember(file.memberName, memberFile(file.file)));

    const auto report = writeArchiveReporting(
        destination.empty() ? fs::u8path(archive) : destination, [&](const VolWriteOptions& how) {
            return updateVolArchive(fs::u8path(archive), changes, destination, how);
        });
    if (!report)
        return kExitSomeFailed;
    if (!isQuiet(parsed)) {
        for (std::size_t i = 0; i < report->added.size() && i < files.size(); ++i)
            std::cout << report->added[i] << ": added from " << displayPath(files[i].file) << '\n';
        std::cout << countText(report->added.size(), "member") << " added. "
                  << whereWrittenText(*report, archive) << '\n';
    }
    return kExitSuccess;
}

// --- vol remove -------------------------------------------------------------------------------

namespace {

// The stored names the patterns choose, in directory order. Every pattern must choose one, and
// not all of them may go: an archive of nothing could not be given members again.
std::vector<std::string> chosenMembers(const std::string& archive,
                                       std::span<const std::string> typed) {
    std::vector<MemberPattern> patterns;
    for (const std::string& text : typed) {
        patterns.emplace_back(text);
        if (patterns.back().isEmpty())
            throw UsageError("the member name \"" + text + "\" names no member");
    }
    const VolDirectory directory = readVolDirectory(fs::u8path(archive));
    std::vector<std::string> chosen;
    std::vector<bool> used(patterns.size(), false);
    for (const VolEntry& entry : directory.directoryEntries) {
        const std::string name = decodeMemberName(entry.name);
        bool matched = false;
        for (std::size_t p = 0; p < patterns.size(); ++p)
            if (patterns[p].matches(name))
                matched = used[p] = true;
        if (matched)
            chosen.push_back(name);
    }
    for (std::size_t p = 0; p < patterns.size(); ++p)
        if (!used[p])
            throw Problem::refusal(patterns[p].typed(),
                                   "The archive holds no member that matches; nothing was "
                                   "removed. skardetools-cli vol list " +
                                       archive + " shows the names it holds.");
    if (chosen.size() == directory.directoryEntries.size())
        throw Problem::refusal(archive, "This would remove every member, and an archive of "
                                        "nothing could not be given members again; nothing was "
                                        "removed.");
    return chosen;
}

} // namespace

int runVolRemove(std::span<const std::string> arguments) {
    const ParsedArguments parsed = parseArguments(arguments, kWriteOptions);
    if (parsed.operands.size() < 2)
        throw UsageError("vol remove takes an archive and the members to remove: vol remove "
                         "ARCHIVE MEMBER...");
    const fs::path destination = newArchiveFrom(parsed);
    const std::string& archive = parsed.operands[0];
    std::vector<VolChange> changes;
    try {
        for (const std::string& name :
             chosenMembers(archive, std::span(parsed.operands).subspan(1)))
            changes.push_back(removeMember(name));
    } catch (const Problem& problem) {
        tellProblem(problem);
        return kExitSomeFailed;
    }
    const auto report = writeArchiveReporting(
        destination.empty() ? fs::u8path(archive) : destination, [&](const VolWriteOptions& how) {
            return updateVolArchive(fs::u8path(archive), changes, destination, how);
        });
    if (!report)
        return kExitSomeFailed;
    if (!isQuiet(parsed)) {
        for (const std::string& name : report->removed)
            std::cout << name << ": removed\n";
        std::cout << countText(report->removed.size(), "member") << " removed. "
                  << whereWrittenText(*report, archive) << '\n';
    }
    return kExitSuccess;
}

// --- vol pack ---------------------------------------------------------------------------------

int runVolPack(std::span<const std::string> arguments) {
    const ParsedArguments parsed = parseArguments(arguments, {{"-o", "--like"}, {"-q", "--quiet"}});
    if (parsed.operands.size() != 1)
        throw UsageError("vol pack takes one folder: vol pack FOLDER --like GAME.vol -o NEW.vol");
    const auto model = parsed.value("--like");
    if (!model)
        throw UsageError("vol pack needs --like GAME.vol: the new archive copies its header, tags "
                         "and member headers from a game archive, as their meaning is unknown");
    const fs::path destination = newArchiveFrom(parsed);
    if (destination.empty())
        throw UsageError("vol pack needs the new archive's name: -o NEW.vol");
    const std::string& folder = parsed.operands[0];
    std::vector<VolChange> additions;
    try {
        additions = folderAdditions(fs::u8path(folder));
    } catch (const Problem& problem) {
        tellProblem(problem);
        return kExitSomeFailed;
    }
    if (additions.empty()) {
        std::cerr << folder << ": The folder holds no file; no archive was written.\n";
        return kExitSomeFailed;
    }
    const auto report = writeArchiveReporting(destination, [&](const VolWriteOptions& how) {
        return packVolArchive(fs::u8path(*model), additions, destination, how);
    });
    if (!report)
        return kExitSomeFailed;
    if (!isQuiet(parsed))
        std::cout << countText(report->added.size(), "member") << " packed from " << folder
                  << " into " << displayPath(report->archivePath) << " (" << report->length
                  << " bytes).\n";
    return kExitSuccess;
}

} // namespace skarde::cli
