#pragma once

// A 64-bit fingerprint of a byte stream, fed in pieces of any size. It lets a writer check that
// the bytes that reached a file are those it took from its source without reading the source
// twice. Not for security: it only has to catch accidents of the disk and the code.

#include <cstddef>
#include <cstdint>
#include <span>

namespace skarde {

class ByteDigest {
public:
    void add(std::span<const std::uint8_t> bytes);
    // The digest of everything added so far; adding more afterwards is allowed.
    std::uint64_t value() const;

private:
    void mix(std::uint64_t word);

    std::uint64_t state_ = 0x243F6A8885A308D3ULL;
    std::uint64_t length_ = 0;
    std::uint64_t pending_ = 0; // bytes not yet making a whole word, little-endian
    std::size_t pendingCount_ = 0;
};

} // namespace skarde
