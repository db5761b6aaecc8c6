#include "fileio.h"

#include "filedescriptor.h"
#include "problem.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace skarde {

namespace fs = std::filesystem;

std::string displayPath(const fs::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

Bytes readWholeFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw Problem(displayPath(path), "This is a folder, not a file.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Problem(displayPath(path), "The file cannot be opened for reading: " +
                                             std::string(std::strerror(errno)));
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length < 0)
        throw Problem(displayPath(path), "The file's length cannot be read.");
    if (static_cast<std::uint64_t>(length) > kMaxWholeFileBytes)
        throw Problem(displayPath(path), "The file is " + std::to_string(length) +
                                             " bytes long; files above 1 GiB are not read, as "
                                             "no game file is that large.");
    in.seekg(0, std::ios::beg);
    Bytes bytes(static_cast<std::size_t>(length));
    if (length > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), length))
        throw Problem(displayPath(path), "The file cannot be read.");
    return bytes;
}

namespace {

struct ScratchFile {
    fs::path path;
    int descriptor = -1;
};

// A tag no other writer is likely to pick at the same moment; exclusive creation settles the rare
// clash. Cheap on purpose: seeding a random generator per file cost a quarter of an extraction.
std::uint64_t scratchTag(int attempt) {
    const auto now =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return (now + static_cast<std::uint64_t>(attempt)) * 0x9E3779B97F4A7C15ULL;
}

// ".NAME.TAG.part" beside the destination, built as text: path objects cost a parse each.
fs::path::string_type scratchNameFor(const fs::path::string_type& destination, int attempt) {
    using Text = fs::path::string_type;
#ifdef _WIN32
    const std::size_t nameStart = destination.find_last_of(L"\\/") + 1;
#else
    const std::size_t nameStart = destination.rfind('/') + 1;
#endif
    Text name = destination.substr(0, nameStart);
    name += '.';
    name.append(destination, nameStart);
    name += '.';
    for (const char digit : std::to_string(scratchTag(attempt)))
        name += static_cast<Text::value_type>(digit);
    for (const char c : std::string_view(".part"))
        name += static_cast<Text::value_type>(c);
    return name;
}

// Exclusive creation, so two writers never share a scratch file.
ScratchFile createScratchFile(const fs::path& destination) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path::string_type candidate = scratchNameFor(destination.native(), attempt);
        const int descriptor = openNewFile(candidate.c_str());
        if (descriptor >= 0)
            return {fs::path(std::move(candidate)), descriptor};
        if (errno != EEXIST)
            break;
    }
    throw Problem(displayPath(destination),
                  "The file cannot be written: " + std::string(std::strerror(errno)));
}

} // namespace

std::size_t FileWriteSteps::write(int descriptor, std::span<const std::uint8_t> bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1 << 30);
#ifdef _WIN32
        const int written = _write(descriptor, bytes.data() + done, static_cast<unsigned>(chunk));
#else
        const ssize_t written = ::write(descriptor, bytes.data() + done, chunk);
#endif
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        done += static_cast<std::size_t>(written);
    }
    return done;
}

namespace {

constexpr std::int64_t kCopyBufferBytes = std::int64_t{1} << 20;

// Through this program's memory, one buffer at a time, by the steps' own write().
std::int64_t copyThroughBuffer(const FileWriteSteps& steps, int scratch, int source,
                               std::int64_t offset, std::int64_t count) {
    Bytes buffer(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 1, kCopyBufferBytes)));
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t got =
            readAt(source, buffer.data(), std::min<std::int64_t>(count - done, std::ssize(buffer)),
                   offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        const std::size_t written =
            steps.write(scratch, std::span(buffer).first(static_cast<std::size_t>(got)));
        done += static_cast<std::int64_t>(written);
        if (written != static_cast<std::size_t>(got))
            break;
    }
    return done;
}

} // namespace

std::int64_t FileWriteSteps::copy(int scratch, int source, std::int64_t offset,
                                  std::int64_t count) const {
#ifdef __linux__
    std::int64_t done = 0;
    while (done < count) {
        loff_t from = offset + done;
        const ssize_t copied = ::copy_file_range(
            source, &from, scratch, nullptr,
            static_cast<std::size_t>(std::min<std::int64_t>(count - done, 1 << 30)), 0);
        if (copied < 0 && errno == EINTR)
            continue;
        // Another file system, an old kernel or a file system that cannot: copy it ourselves.
        if (copied < 0 && done == 0 &&
            (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP))
            return copyThroughBuffer(*this, scratch, source, offset, count);
        if (copied <= 0)
            break;
        done += copied;
    }
    return done;
#else
    return copyThroughBuffer(*this, scratch, source, offset, count);
#endif
}

void FileWriteSteps::replace(const fs::path& scratch, const fs::path& destination,
                             std::error_code& error) const {
    fs::rename(scratch, destination, error);
}

void writeFileWhole(const fs::path& path, std::span<const std::uint8_t> bytes,
                    Destination destination) {
    writeFileWhole(path, bytes, FileWriteSteps{}, destination);
}

void writeFileWhole(const fs::path& path, std::span<const std::uint8_t> bytes,
                    const FileWriteSteps& steps, Destination destination) {
    bool handedOut = false;
    writeFileWholeInPieces(
        path,
        [&]() -> std::span<const std::uint8_t> {
            if (handedOut)
                return {};
            handedOut = true;
            return bytes;
        },
        steps, destination);
}

void writeFileWholeInPieces(const fs::path& path, const NextPiece& nextPiece,
                            const FileWriteSteps& steps, Destination destination,
                            const ScratchCheck& checkScratch) {
    writeFileWholeFromParts(
        path, [&] { return FilePiece{nextPiece()}; }, steps, destination, checkScratch);
}

void writeFileWholeFromParts(const fs::path& path, const NextFilePiece& nextPiece,
                             const FileWriteSteps& steps, Destination destination,
                             const ScratchCheck& checkScratch) {
    // One look at the destination serves both the refusal of a folder and its permissions.
    std::error_code error;
    const fs::file_status existing = destination == Destination::KnownAbsent
                                         ? fs::file_status(fs::file_type::not_found)
                                         : fs::status(path, error);
    if (fs::is_directory(existing))
        throw Problem(displayPath(path), "A folder of this name stands where the file should go.");
    ScratchFile scratch = createScratchFile(path);
    bool written = true;
    int failureErrno = 0;
    try {
        for (FilePiece piece = nextPiece(); !piece.atEnd(); piece = nextPiece()) {
            errno = 0;
            const bool whole =
                piece.sourceCount > 0
                    ? steps.copy(scratch.descriptor, piece.source, piece.sourceOffset,
                                 piece.sourceCount) == piece.sourceCount
                    : steps.write(scratch.descriptor, piece.bytes) == piece.bytes.size();
            if (!whole) {
                written = false;
                failureErrno = errno;
                break;
            }
        }
    } catch (...) {
        closeDescriptor(scratch.descriptor);
        fs::remove(scratch.path, error);
        throw;
    }
    errno = 0;
    const bool closed = closeDescriptor(scratch.descriptor) == 0;
    if (written && !closed)
        failureErrno = errno;
    if (!written || !closed) {
        fs::remove(scratch.path, error);
        throw Problem(displayPath(path),
                      "The file cannot be written: " +
                          std::string(std::strerror(failureErrno != 0 ? failureErrno : ENOSPC)));
    }
    if (checkScratch) {
        try {
            checkScratch(scratch.path);
        } catch (...) {
            fs::remove(scratch.path, error);
            throw;
        }
    }
    // The scratch file has the default permissions; a replaced file keeps its own.
    if (fs::is_regular_file(existing))
        fs::permissions(scratch.path, existing.permissions(), fs::perm_options::replace, error);
    steps.replace(scratch.path, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(scratch.path, ignored);
        throw Problem(displayPath(path), "The file cannot be written: " + error.message());
    }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

std::optional<fs::path> findFileIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    const fs::path exact = folder / fs::u8path(name);
    if (fs::is_regular_file(exact, error))
        return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (equalsIgnoringCase(displayPath(it->path().filename()), name) &&
            it->is_regular_file(error))
            return it->path();
    }
    return std::nullopt;
}

} // namespace skarde
