#include "pngsupport.h"

#include "indexedpng.h"

namespace skarde {

namespace {

Bytes decodeAsBmp(std::span<const std::uint8_t> png, const std::string& subject) {
    return encodeIndexedPngAsBmp(decodeIndexedPng(png, subject));
}

constexpr PngCodec kSpngCodec{encodeIndexedPng, decodeAsBmp};

} // namespace

const PngCodec* pngSupport() {
    return &kSpngCodec;
}

} // namespace skarde
