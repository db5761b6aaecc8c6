#include "pngcodec.h"

#include <algorithm>
#include <array>
#include <string>

namespace skarde {

bool hasPngSignature(std::span<const std::uint8_t> bytes) {
    static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P',  'N',  'G',
                                                            '\r', '\n', 0x1a, '\n'};
    return bytes.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

std::filesystem::path pngPathFor(const std::filesystem::path& bmpName) {
    std::filesystem::path path = bmpName;
    return path.replace_extension(".png");
}

std::filesystem::path pbmpNameFor(const std::filesystem::path& imageFile) {
    std::filesystem::path name = imageFile.filename();
    std::string extension = name.extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".png" ? name.replace_extension(".bmp") : name;
}

} // namespace skarde
