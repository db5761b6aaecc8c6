#pragma once

// What the commands that write an archive share (vol update, add, remove and pack): the -o
// option, the progress line while the archive is written, and the closing words on where the
// archive went and which backup keeps the previous one.

#include "commandline.h"

#include "archive/volwriter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace skarde::cli {

// -o NEW.vol, or empty when it is not given. A usage error when it names a folder.
std::filesystem::path newArchiveFrom(const ParsedArguments& parsed);

using ArchiveWrite = std::function<VolWriteReport(const VolWriteOptions& options)>;

// Runs the write with the progress line on a terminal. Nothing when the writer refused or
// failed, after a line on standard error naming the cause; the archive and its backups are then
// as they were.
std::optional<VolWriteReport> writeArchiveReporting(const std::filesystem::path& destination,
                                                    const ArchiveWrite& write);

// "game.vol was updated; the previous archive is kept as game.vol.bak." or "Written to
// new.vol; game.vol is as it was."
std::string whereWrittenText(const VolWriteReport& report, const std::string& archive);

// "1 member", "2 members".
std::string countText(std::size_t count, const std::string& noun);

} // namespace skarde::cli
