#pragma once

// Little-endian reads and writes for the game's file layouts. Every read is bounds-checked:
// a read outside the buffer throws std::out_of_range, so a truncated or hostile file can never
// make a converter touch memory it does not own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarde {

using Bytes = std::vector<std::uint8_t>;
using Tag = std::array<char, 4>;

Tag makeTag(std::string_view text);
std::string tagText(const Tag& tag);

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    // True when [offset, offset + count) lies inside the buffer; safe for any 64-bit input.
    bool fits(std::uint64_t offset, std::uint64_t count) const;

    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    std::int32_t i32(std::size_t offset) const;
    Tag tag(std::size_t offset) const;
    std::span<const std::uint8_t> slice(std::size_t offset, std::size_t count) const;

private:
    void require(std::uint64_t offset, std::uint64_t count) const;
    std::span<const std::uint8_t> bytes_;
};

class ByteWriter {
public:
    explicit ByteWriter(Bytes& out) : out_(out) {}

    void u8(std::uint8_t value) { out_.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void tag(const Tag& tag);
    void bytes(std::span<const std::uint8_t> data);

private:
    Bytes& out_;
};

} // namespace skarde
