#include "bytedigest.h"

#include <bit>

namespace skarde {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

std::uint64_t loadWord(const std::uint8_t* bytes) {
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i)
        word = (word << 8) | bytes[i];
    return word;
}

std::uint64_t finalMix(std::uint64_t value) {
    value ^= value >> 31;
    value *= 0xBF58476D1CE4E5B9ULL;
    value ^= value >> 27;
    value *= 0x94D049BB133111EBULL;
    return value ^ (value >> 33);
}

} // namespace

void ByteDigest::mix(std::uint64_t word) {
    state_ = std::rotl((state_ ^ word) * kMultiplier, 29) + 0x632BE59BD9B4E019ULL;
}

void ByteDigest::add(std::span<const std::uint8_t> bytes) {
    length_ += bytes.size();
    std::size_t i = 0;
    // Finish a word begun by the previous piece, so that the digest does not depend on how the
    // stream was cut.
    while (pendingCount_ != 0 && i < bytes.size()) {
        pending_ |= std::uint64_t{bytes[i++]} << (8 * pendingCount_);
        if (++pendingCount_ == 8) {
            mix(pending_);
            pending_ = 0;
            pendingCount_ = 0;
        }
    }
    for (; i + 8 <= bytes.size(); i += 8)
        mix(loadWord(bytes.data() + i));
    for (; i < bytes.size(); ++i)
        pending_ |= std::uint64_t{bytes[i]} << (8 * pendingCount_++);
}

std::uint64_t ByteDigest::value() const {
    std::uint64_t state = state_;
    if (pendingCount_ != 0)
        state = std::rotl((state ^ pending_) * kMultiplier, 29) + 0x632BE59BD9B4E019ULL;
    return finalMix(state ^ length_);
}

} // namespace skarde
