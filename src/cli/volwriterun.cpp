#include "volwriterun.h"

#include "terminalprogress.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <iostream>
#include <system_error>

namespace skarde::cli {

namespace fs = std::filesystem;

namespace {

constexpr int kProgressSteps = 1000;

} // namespace

fs::path newArchiveFrom(const ParsedArguments& parsed) {
    const auto typed = parsed.value("-o");
    if (!typed)
        return {};
    if (typed->empty())
        throw UsageError("-o needs the name of the new archive");
    const fs::path path = fs::u8path(*typed);
    std::error_code error;
    if (fs::is_directory(path, error))
        throw UsageError("-o " + *typed + " is a folder; give the name of the new archive file");
    return path;
}

std::optional<VolWriteReport> writeArchiveReporting(const fs::path& destination,
                                                    const ArchiveWrite& write) {
    TerminalProgress progress;
    progress.setCaption("Writing " + displayPath(destination));
    progress.setMaximum(Bar::Files, 1);
    progress.setMaximum(Bar::Rows, kProgressSteps);
    VolWriteOptions options;
    options.progress = [&](std::int64_t written, std::int64_t total) {
        progress.setValue(Bar::Rows, total > 0 ? static_cast<int>(written * kProgressSteps / total)
                                               : kProgressSteps);
    };
    try {
        VolWriteReport report = write(options);
        progress.hide();
        return report;
    } catch (const Problem& problem) {
        progress.hide();
        std::cerr << (problem.subject().empty() ? displayPath(destination) : problem.subject())
                  << ": " << problem.what() << '\n';
        return std::nullopt;
    }
}

std::string whereWrittenText(const VolWriteReport& report, const std::string& archive) {
    if (!report.backupPath)
        return "Written to " + displayPath(report.archivePath) + "; " + archive + " is as it was.";
    return archive + " was updated; the previous archive is kept as " +
           displayPath(*report.backupPath) + ".";
}

std::string countText(std::size_t count, const std::string& noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

} // namespace skarde::cli
