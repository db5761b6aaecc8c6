#include "gamefilekind.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const fs::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = foldCase(c);
    return extension;
}

// The first four bytes, fewer for a shorter file.
std::string firstBytes(const fs::path& file) {
    std::error_code error;
    if (fs::is_directory(file, error))
        throw Problem(displayPath(file), "This is a folder, not a file.");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw Problem(displayPath(file),
                      "The file cannot be read: " + std::generic_category().message(errno) + ".");
    std::array<char, 4> tag{};
    in.read(tag.data(), tag.size());
    return std::string(tag.data(), static_cast<std::size_t>(in.gcount()));
}

} // namespace

GameFileKind identifyGameFile(const fs::path& file) {
    const std::string tag = firstBytes(file);
    if (tag == "PBMP")
        return GameFileKind::GameImage;
    if (tag == "PBMA")
        return GameFileKind::ImageArray;
    if (tag == "PVOL")
        return GameFileKind::Archive;
    // Archives without their tag, and palette lists, which have none, go by their names.
    const std::string extension = lowerExtension(file);
    if (extension == ".vol")
        return GameFileKind::Archive;
    if (extension == ".ppl")
        return GameFileKind::PaletteList;
    return GameFileKind::Unknown;
}

} // namespace skarde
