#include "volarchive.h"

#include "converters/fileio.h"
#include "converters/problem.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

VolArchive::VolArchive(const fs::path& path) : name_(displayPath(path)) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw Problem(name_, "This is a folder, not an archive.");
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file)
        throw Problem(name_, "The archive cannot be opened for reading: " +
                                 std::string(std::strerror(errno)));
    file->seekg(0, std::ios::end);
    const std::streamoff end = file->tellg();
    if (end < 0)
        throw Problem(name_, "The archive's length cannot be read.");
    length_ = static_cast<std::uint64_t>(end);
    stream_ = std::move(file);
}

VolArchive::VolArchive(std::string name, const Bytes& bytes)
    : name_(std::move(name)),
      stream_(std::make_unique<std::istringstream>(std::string(bytes.begin(), bytes.end()),
                                                   std::ios::in | std::ios::binary)),
      length_(bytes.size()) {}

bool VolArchive::holds(std::int64_t offset, std::int64_t count) const {
    if (offset < 0 || count < 0)
        return false;
    const auto start = static_cast<std::uint64_t>(offset);
    return start <= length_ && static_cast<std::uint64_t>(count) <= length_ - start;
}

Bytes VolArchive::read(std::int64_t offset, std::int64_t count) {
    if (!holds(offset, count))
        throw Problem(name_, "The archive ends before byte " + std::to_string(offset + count) +
                                 " that it refers to.");
    Bytes bytes(static_cast<std::size_t>(count));
    stream_->clear();
    stream_->seekg(static_cast<std::streamoff>(offset));
    if (count > 0 && !stream_->read(reinterpret_cast<char*>(bytes.data()), count))
        throw Problem(name_, "The archive cannot be read at byte " + std::to_string(offset) + ".");
    return bytes;
}

} // namespace skarde
