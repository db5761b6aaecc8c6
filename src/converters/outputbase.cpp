#include "outputbase.h"

#include <string>
#include <string_view>

namespace skarde {

namespace {

constexpr int kExtensionCharacters = 4;

bool isContinuationByte(char8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// `name` without its last `count` characters, each one to four UTF-8 bytes.
std::u8string dropLastCharacters(std::u8string_view name, int count) {
    std::size_t end = name.size();
    for (int removed = 0; removed < count && end > 0; ++removed) {
        --end;
        while (end > 0 && isContinuationByte(name[end]))
            --end;
    }
    return std::u8string(name.substr(0, end));
}

} // namespace

std::filesystem::path outputBaseFor(const std::filesystem::path& inputPath,
                                    const std::filesystem::path& outputFolder) {
    const std::u8string name = inputPath.filename().u8string();
    return outputFolder / std::filesystem::path(dropLastCharacters(name, kExtensionCharacters));
}

} // namespace skarde
