#include "fileio.h"

#include "problem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
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
    std::FILE* handle = nullptr;
};

// Creates the file only when none is there. Windows paths are wide, so there it is opened by
// its UTF-16 name; "x" in fopen's mode is not known to every Windows C runtime.
std::FILE* openNewFile(const fs::path& path) {
#ifdef _WIN32
    const int descriptor =
        _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0)
        return nullptr;
    std::FILE* handle = _fdopen(descriptor, "wb");
    if (!handle)
        _close(descriptor);
    return handle;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

// Exclusive creation, so two writers never share a scratch file.
ScratchFile createScratchFile(const fs::path& destination) {
    std::random_device seed;
    std::mt19937 generator(seed());
    const fs::path folder = destination.parent_path();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name =
            "." + displayPath(destination.filename()) + "." + std::to_string(generator()) + ".part";
        const fs::path candidate = folder / fs::u8path(name);
        if (std::FILE* handle = openNewFile(candidate))
            return {candidate, handle};
        if (errno != EEXIST)
            break;
    }
    throw Problem(displayPath(destination),
                  "The file cannot be written: " + std::string(std::strerror(errno)));
}

// The scratch file is created with the default permissions; a replaced file keeps its own.
void takePermissionsOf(const fs::path& destination, const fs::path& scratch) {
    std::error_code error;
    const fs::file_status existing = fs::status(destination, error);
    if (!error && fs::is_regular_file(existing))
        fs::permissions(scratch, existing.permissions(), fs::perm_options::replace, error);
}

} // namespace

std::size_t FileWriteSteps::write(std::FILE* scratch, std::span<const std::uint8_t> bytes) const {
    return std::fwrite(bytes.data(), 1, bytes.size(), scratch);
}

void FileWriteSteps::replace(const fs::path& scratch, const fs::path& destination,
                             std::error_code& error) const {
    fs::rename(scratch, destination, error);
}

void writeFileWhole(const fs::path& path, std::span<const std::uint8_t> bytes) {
    writeFileWhole(path, bytes, FileWriteSteps{});
}

void writeFileWhole(const fs::path& path, std::span<const std::uint8_t> bytes,
                    const FileWriteSteps& steps) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw Problem(displayPath(path), "A folder of this name stands where the file should go.");
    ScratchFile scratch = createScratchFile(path);
    errno = 0;
    const bool written = bytes.empty() || steps.write(scratch.handle, bytes) == bytes.size();
    const int writeErrno = errno != 0 ? errno : ENOSPC;
    const bool closed = std::fclose(scratch.handle) == 0;
    if (!written || !closed) {
        fs::remove(scratch.path, error);
        throw Problem(displayPath(path),
                      "The file cannot be written: " + std::string(std::strerror(writeErrno)));
    }
    takePermissionsOf(path, scratch.path);
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
