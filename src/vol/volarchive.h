#pragma once

// An archive open for reading. Archives can be large, so nothing reads one whole: callers check
// a range against the archive's length and read just that range.

#include "converters/bytes.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <string>

namespace skarde {

class VolArchive {
public:
    // Throws Problem naming the archive when it cannot be opened.
    explicit VolArchive(const std::filesystem::path& path);
    // An archive held in memory, for tools that have its bytes already; `name` names it in
    // messages.
    VolArchive(std::string name, const Bytes& bytes);

    const std::string& name() const { return name_; }
    std::uint64_t length() const { return length_; }
    // True when [offset, offset + count) lies inside the archive; false for negative values.
    bool holds(std::int64_t offset, std::int64_t count) const;
    // Throws Problem naming the archive when the range is not held or cannot be read.
    Bytes read(std::int64_t offset, std::int64_t count);

private:
    std::string name_;
    std::unique_ptr<std::istream> stream_;
    std::uint64_t length_ = 0;
};

} // namespace skarde
