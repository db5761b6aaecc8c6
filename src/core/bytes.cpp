#include "bytes.h"

#include <stdexcept>

namespace skarde {

Tag makeTag(std::string_view text) {
    Tag tag{' ', ' ', ' ', ' '};
    for (std::size_t i = 0; i < tag.size() && i < text.size(); ++i)
        tag[i] = text[i];
    return tag;
}

std::string tagText(const Tag& tag) {
    return std::string(tag.begin(), tag.end());
}

bool ByteReader::fits(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
}

void ByteReader::require(std::uint64_t offset, std::uint64_t count) const {
    if (!fits(offset, count))
        throw std::out_of_range("read past the end of the data");
}

std::uint8_t ByteReader::u8(std::size_t offset) const {
    require(offset, 1);
    return bytes_[offset];
}

std::uint16_t ByteReader::u16(std::size_t offset) const {
    require(offset, 2);
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
}

std::uint32_t ByteReader::u32(std::size_t offset) const {
    require(offset, 4);
    return static_cast<std::uint32_t>(bytes_[offset]) |
           (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
}

std::int32_t ByteReader::i32(std::size_t offset) const {
    return static_cast<std::int32_t>(u32(offset));
}

Tag ByteReader::tag(std::size_t offset) const {
    require(offset, 4);
    return Tag{static_cast<char>(bytes_[offset]), static_cast<char>(bytes_[offset + 1]),
               static_cast<char>(bytes_[offset + 2]), static_cast<char>(bytes_[offset + 3])};
}

std::span<const std::uint8_t> ByteReader::slice(std::size_t offset, std::size_t count) const {
    require(offset, count);
    return bytes_.subspan(offset, count);
}

void ByteWriter::u16(std::uint16_t value) {
    out_.push_back(static_cast<std::uint8_t>(value));
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::tag(const Tag& tag) {
    for (char c : tag)
        out_.push_back(static_cast<std::uint8_t>(c));
}

void ByteWriter::bytes(std::span<const std::uint8_t> data) {
    out_.insert(out_.end(), data.begin(), data.end());
}

} // namespace skarde
