#pragma once

// Writing archives: an archive with some members replaced, added or removed, or a new archive
// modelled on an existing one. Whatever happens, the original is never lost: the new archive
// goes to a scratch file beside its destination, is read back with the program's own directory
// reader and checked (every member's size, and the bytes of every replaced or added member),
// and only then takes the destination's place. An archive updated in place leaves its previous
// self behind as NAME.bak (or NAME.2.bak, ... when that is taken). A refusal or a failure
// leaves the original, earlier backups and the destination folder as they were.
//
// Bytes the program does not understand are copied, never invented: the header's magic, the
// block tags, each entry's first four bytes and each member's 8-byte data block header come from
// the archive being updated (or the model of a new one); see volrewriteplan.h for the details.

#include "volchange.h"

#include "core/fileio.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skarde {

struct VolWriteOptions {
    // When the destination is the archive itself: keep the previous archive as a backup.
    bool keepBackup = true;
    // Member data streams through a buffer of this size, whatever the archive's size.
    std::size_t bufferBytes = std::size_t{1} << 20;
    // How the scratch file is written and renamed; the disk's own steps when null.
    const FileWriteSteps* writeSteps = nullptr;
    // Called as the archive is written: bytes written so far, and of how many.
    std::function<void(std::int64_t written, std::int64_t total)> progress;
};

struct VolWriteReport {
    std::filesystem::path archivePath;               // the archive written
    std::optional<std::filesystem::path> backupPath; // where the previous archive was kept
    std::vector<std::string> replaced;               // member names as UTF-8, in directory order
    std::vector<std::string> added;
    std::vector<std::string> removed;
    std::int64_t length = 0;    // of the archive written
    std::int64_t alignment = 1; // of its data blocks
};

// Applies the changes to the archive at `archivePath` and writes the result to `destination`,
// or over the archive itself when `destination` is empty or names the same file. Throws Problem
// naming the archive, the member or the file at fault; nothing has changed on disk then.
VolWriteReport updateVolArchive(const std::filesystem::path& archivePath,
                                const std::vector<VolChange>& changes,
                                const std::filesystem::path& destination = {},
                                const VolWriteOptions& options = {});

// Writes a new archive at `destination` holding the added members, in the given order, with the
// header, tags and per-member bytes copied from the archive at `modelPath` (which stays as it
// is, unless it is also the destination). Throws Problem as updateVolArchive does.
VolWriteReport packVolArchive(const std::filesystem::path& modelPath,
                              const std::vector<VolChange>& additions,
                              const std::filesystem::path& destination,
                              const VolWriteOptions& options = {});

// The names under which an archive updated in place keeps its previous self: NAME.bak for the
// first attempt, then NAME.2.bak, NAME.3.bak, ...
std::filesystem::path backupCandidate(const std::filesystem::path& archivePath, int attempt);
// The backup an update in place would keep now, for asking the user first: the first candidate
// no file holds.
std::filesystem::path nextBackupPath(const std::filesystem::path& archivePath);

} // namespace skarde
