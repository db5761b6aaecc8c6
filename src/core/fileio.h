#pragma once

// Whole-file reads and writes. Outputs are written to a scratch file in the destination folder
// and renamed into place only when complete, so a failure never leaves a partial file and never
// damages an older file of the same name.

#include "bytes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace skarde {

std::string displayPath(const std::filesystem::path& path);

// No game file comes near this; a larger one is refused rather than held in memory.
inline constexpr std::uint64_t kMaxWholeFileBytes = std::uint64_t{1} << 30;

// Throws Problem naming the file when it cannot be read or is larger than kMaxWholeFileBytes.
Bytes readWholeFile(const std::filesystem::path& path);

// The two steps of a whole-file write that the disk can refuse, apart so that a test can make
// either fail wherever it runs (as root, permissions refuse nothing).
class FileWriteSteps {
public:
    virtual ~FileWriteSteps() = default;
    // Writes to the scratch file's descriptor; returns how many bytes went out.
    virtual std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const;
    // Copies `count` bytes of the file open for reading as `source`, from `offset`, to the end of
    // the scratch file; returns how many went out. Where the system copies between files itself
    // (Linux) the bytes never pass through this program's memory; elsewhere, or where it cannot,
    // they go through write() a buffer at a time.
    virtual std::int64_t copy(int scratch, int source, std::int64_t offset,
                              std::int64_t count) const;
    // Puts the finished scratch file in the destination's place.
    virtual void replace(const std::filesystem::path& scratch,
                         const std::filesystem::path& destination, std::error_code& error) const;
};

// What a caller knows of the destination: nothing, or that nothing stands there (a folder the
// caller made this run holds no file of that name yet), which spares a look at it.
enum class Destination { Unknown, KnownAbsent };

// Writes a scratch file beside the destination and renames it over the destination, which keeps
// its permissions. Throws Problem naming the file when it cannot be written; the destination is
// then untouched and no scratch file is left.
void writeFileWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    Destination destination = Destination::Unknown);
void writeFileWhole(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    const FileWriteSteps& steps, Destination destination = Destination::Unknown);

// The next piece of a file being written, empty at its end. A piece need only stay valid until
// the next call; a source that fails throws, and the write is abandoned like any failed one.
using NextPiece = std::function<std::span<const std::uint8_t>()>;

// Looks at the finished, closed scratch file before it replaces the destination; throwing
// abandons the write like any failure (the scratch file goes, the destination stays).
using ScratchCheck = std::function<void(const std::filesystem::path& scratch)>;

// writeFileWhole for bytes that are never all in memory at once: each piece goes to the scratch
// file as it comes, with the same promise of the whole file or none and the older file kept.
void writeFileWholeInPieces(const std::filesystem::path& path, const NextPiece& nextPiece,
                            const FileWriteSteps& steps,
                            Destination destination = Destination::Unknown,
                            const ScratchCheck& checkScratch = {});

// A piece of a file being written: bytes in memory, or a range of another file, open for
// reading, that is copied as it is. Both empty at the end of the file.
struct FilePiece {
    std::span<const std::uint8_t> bytes;
    int source = -1;
    std::int64_t sourceOffset = 0;
    std::int64_t sourceCount = 0;

    bool atEnd() const { return bytes.empty() && sourceCount == 0; }
};
using NextFilePiece = std::function<FilePiece()>;

// writeFileWholeInPieces for pieces that may also be ranges of other files (FileWriteSteps::copy).
void writeFileWholeFromParts(const std::filesystem::path& path, const NextFilePiece& nextPiece,
                             const FileWriteSteps& steps,
                             Destination destination = Destination::Unknown,
                             const ScratchCheck& checkScratch = {});

// ASCII letters only: names in the game's files are 8-bit text of no one encoding.
constexpr char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The regular file in `folder` whose name equals `name` without regard to letter case.
std::optional<std::filesystem::path> findFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

} // namespace skarde
