#pragma once

// An archive open for reading. Archives can be large, so nothing reads one whole: callers check
// a range against the archive's length and read just that range, at its position, without
// moving a shared file position around.

#include "core/bytes.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace skarde {

class VolArchive {
public:
    // Throws Problem naming the archive when it cannot be opened.
    explicit VolArchive(const std::filesystem::path& path);
    // An archive held in memory, for tools that have its bytes already; `name` names it in
    // messages.
    VolArchive(std::string name, const Bytes& bytes);
    ~VolArchive();
    VolArchive(VolArchive&& other) noexcept;
    VolArchive& operator=(VolArchive&& other) noexcept;
    VolArchive(const VolArchive&) = delete;
    VolArchive& operator=(const VolArchive&) = delete;

    const std::string& name() const { return name_; }
    // The open file, for copying large ranges of it without reading them (FileWriteSteps::copy);
    // -1 for an archive held in memory.
    int descriptor() const { return descriptor_; }
    std::uint64_t length() const { return length_; }
    // True when [offset, offset + count) lies inside the archive; false for negative values.
    bool holds(std::int64_t offset, std::int64_t count) const;
    // Throws Problem naming the archive when the range is not held or cannot be read.
    Bytes read(std::int64_t offset, std::int64_t count);
    // The same into the caller's buffer, to go through a large range one buffer at a time.
    void read(std::int64_t offset, std::span<std::uint8_t> into);

private:
    bool readInto(std::uint8_t* to, std::int64_t offset, std::int64_t count);
    bool readFromFile(std::uint8_t* to, std::int64_t offset, std::int64_t count);
    bool fillWindow(std::int64_t offset);

    std::string name_;
    int descriptor_ = -1; // -1 for an archive held in memory
    Bytes memory_;
    std::uint64_t length_ = 0;
    // Members lie one after another: small reads are served from one larger read around them.
    Bytes window_;
    std::int64_t windowStart_ = 0;
};

} // namespace skarde
