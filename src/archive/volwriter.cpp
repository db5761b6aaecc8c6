#include "volwriter.h"

#include "membername.h"
#include "volarchive.h"
#include "volarchivestream.h"
#include "voldirectory.h"
#include "volreadback.h"
#include "volrewriteplan.h"

#include "core/problem.h"

#include <optional>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxBackupAttempts = 1000;

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

// A hard link keeps the old archive's bytes at no cost, since the new archive replaces the name
// and not the bytes; where links are not supported, a copy does the same more slowly.
// Exclusive creation both ways: an existing backup is never touched.
fs::path keepBackup(const fs::path& archive) {
    for (int attempt = 1; attempt <= kMaxBackupAttempts; ++attempt) {
        const fs::path candidate = backupCandidate(archive, attempt);
        std::error_code error;
        if (fs::exists(fs::symlink_status(candidate, error)))
            continue;
        fs::create_hard_link(archive, candidate, error);
        if (!error)
            return candidate;
        if (error == std::errc::file_exists)
            continue;
        error.clear();
        if (fs::copy_file(archive, candidate, fs::copy_options::none, error))
            return candidate;
        if (error == std::errc::file_exists)
            continue;
        std::error_code ignored;
        fs::remove(candidate, ignored);
        throw Problem(displayPath(candidate),
                      "The backup of the archive cannot be written: " + error.message() +
                          "; the archive was left as it was.");
    }
    throw Problem(displayPath(archive),
                  "Every backup name up to " +
                      displayPath(backupCandidate(archive, kMaxBackupAttempts).filename()) +
                      " is taken; the archive was left as it was.");
}

// An archive reached through a link is updated where it lies, and the link stays a link.
fs::path realFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path real = fs::canonical(path, error);
    return error ? path : real;
}

std::vector<std::string> removedNames(const std::vector<VolChange>& changes) {
    std::vector<std::string> names;
    for (const VolChange& change : changes)
        if (change.kind == VolChange::Kind::Remove)
            names.push_back(change.memberName);
    return names;
}

VolWriteReport reportOf(const VolRewritePlan& plan, const fs::path& written) {
    VolWriteReport report;
    report.archivePath = written;
    report.length = plan.length;
    report.alignment = plan.alignment;
    for (const PlannedMember& member : plan.members) {
        if (member.origin == MemberOrigin::Replaced)
            report.replaced.push_back(decodeMemberName(member.name));
        else if (member.origin == MemberOrigin::Added)
            report.added.push_back(decodeMemberName(member.name));
    }
    return report;
}

// The source is closed before the new archive takes its place: Windows renames nothing over a
// file that is open.
VolWriteReport writePlanned(std::optional<VolArchive>& source, VolRewritePlan& plan,
                            const fs::path& destination, bool inPlace,
                            const VolWriteOptions& options) {
    VolArchiveStream stream(*source, plan, options.bufferBytes);
    const FileWriteSteps diskSteps;
    const FileWriteSteps& steps = options.writeSteps != nullptr ? *options.writeSteps : diskSteps;
    const std::string subject = displayPath(destination);
    std::optional<fs::path> backup;
    try {
        writeFileWholeFromParts(
            destination,
            [&] {
                const FilePiece piece = stream.next();
                if (options.progress)
                    options.progress(stream.written(), plan.length);
                return piece;
            },
            steps, Destination::Unknown,
            [&](const fs::path& scratch) {
                source.reset();
                checkWrittenArchive(scratch, plan, stream, subject, options.bufferBytes);
                if (inPlace && options.keepBackup)
                    backup = keepBackup(destination);
            });
    } catch (...) {
        std::error_code ignored;
        if (backup)
            fs::remove(*backup, ignored);
        throw;
    }
    VolWriteReport report = reportOf(plan, destination);
    report.backupPath = backup;
    return report;
}

} // namespace

fs::path backupCandidate(const fs::path& archivePath, int attempt) {
    // Appended piece by piece: g++ 12 warns (-Wrestrict, wrongly) about "." + std::to_string.
    std::string suffix = ".";
    if (attempt > 1) {
        suffix += std::to_string(attempt);
        suffix += '.';
    }
    suffix += "bak";
    fs::path candidate = archivePath;
    candidate += suffix;
    return candidate;
}

fs::path nextBackupPath(const fs::path& archivePath) {
    for (int attempt = 1; attempt < kMaxBackupAttempts; ++attempt) {
        const fs::path candidate = backupCandidate(archivePath, attempt);
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error)))
            return candidate;
    }
    return backupCandidate(archivePath, kMaxBackupAttempts);
}

VolWriteReport updateVolArchive(const fs::path& archivePath, const std::vector<VolChange>& changes,
                                const fs::path& destination, const VolWriteOptions& options) {
    std::optional<VolArchive> source(std::in_place, archivePath);
    const VolDirectory directory = readVolDirectory(*source);
    VolRewritePlan plan = planVolRewrite(*source, directory, changes, displayPath(archivePath));
    const bool inPlace = destination.empty() || sameFile(archivePath, destination);
    VolWriteReport report =
        writePlanned(source, plan, inPlace ? realFile(archivePath) : destination, inPlace, options);
    report.removed = removedNames(changes);
    return report;
}

VolWriteReport packVolArchive(const fs::path& modelPath, const std::vector<VolChange>& additions,
                              const fs::path& destination, const VolWriteOptions& options) {
    std::optional<VolArchive> model(std::in_place, modelPath);
    const VolDirectory directory = readVolDirectory(*model);
    VolRewritePlan plan = planVolPack(*model, directory, additions, displayPath(modelPath));
    const bool inPlace = sameFile(modelPath, destination);
    return writePlanned(model, plan, inPlace ? realFile(modelPath) : destination, inPlace, options);
}

} // namespace skarde
