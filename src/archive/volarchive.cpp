#include "volarchive.h"

#include "core/filedescriptor.h"
#include "core/fileio.h"
#include "core/problem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace skarde {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kWindowSize = 1 << 20;

} // namespace

VolArchive::VolArchive(const fs::path& path) : name_(displayPath(path)) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw Problem(name_, "This is a folder, not an archive.");
    descriptor_ = openForReading(path);
    if (descriptor_ < 0)
        throw Problem(name_, "The archive cannot be opened for reading: " +
                                 std::string(std::strerror(errno)));
    const std::int64_t length = lengthOf(descriptor_);
    if (length < 0) {
        closeDescriptor(descriptor_);
        throw Problem(name_, "The archive's length cannot be read.");
    }
    length_ = static_cast<std::uint64_t>(length);
}

VolArchive::VolArchive(std::string name, const Bytes& bytes)
    : name_(std::move(name)), memory_(bytes), length_(bytes.size()) {}

VolArchive::~VolArchive() {
    if (descriptor_ >= 0)
        closeDescriptor(descriptor_);
}

VolArchive::VolArchive(VolArchive&& other) noexcept
    : name_(std::move(other.name_)), descriptor_(std::exchange(other.descriptor_, -1)),
      memory_(std::move(other.memory_)), length_(other.length_) {}

VolArchive& VolArchive::operator=(VolArchive&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0)
            closeDescriptor(descriptor_);
        name_ = std::move(other.name_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        memory_ = std::move(other.memory_);
        length_ = other.length_;
    }
    return *this;
}

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
    read(offset, bytes);
    return bytes;
}

void VolArchive::read(std::int64_t offset, std::span<std::uint8_t> into) {
    const auto count = static_cast<std::int64_t>(into.size());
    if (!holds(offset, count))
        throw Problem(name_, "The archive ends before byte " + std::to_string(offset + count) +
                                 " that it refers to.");
    if (count > 0 && !readInto(into.data(), offset, count))
        throw Problem(name_, "The archive cannot be read at byte " + std::to_string(offset) + ".");
}

bool VolArchive::readInto(std::uint8_t* to, std::int64_t offset, std::int64_t count) {
    if (descriptor_ < 0) {
        std::copy_n(memory_.begin() + offset, count, to);
        return true;
    }
    // A read the size of the window gains nothing from it: it goes straight to the caller.
    if (count >= kWindowSize)
        return readFromFile(to, offset, count);
    const auto windowEnd = windowStart_ + static_cast<std::int64_t>(window_.size());
    if ((offset < windowStart_ || offset + count > windowEnd) && !fillWindow(offset))
        return false;
    std::copy_n(window_.begin() + (offset - windowStart_), count, to);
    return true;
}

bool VolArchive::fillWindow(std::int64_t offset) {
    const auto size =
        std::min<std::int64_t>(kWindowSize, static_cast<std::int64_t>(length_) - offset);
    window_.resize(static_cast<std::size_t>(size));
    windowStart_ = offset;
    if (readFromFile(window_.data(), offset, size))
        return true;
    window_.clear();
    return false;
}

// A file may have shrunk since it was opened: a short read is a failure, not a shorter range.
bool VolArchive::readFromFile(std::uint8_t* to, std::int64_t offset, std::int64_t count) {
    while (count > 0) {
        const std::int64_t got = readAt(descriptor_, to, count, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        to += got;
        offset += got;
        count -= got;
    }
    return true;
}

} // namespace skarde
