#include "palsfolder.h"

#include "core/fileio.h"

#include <algorithm>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

fs::path findPalsFolder(const fs::path& executableFolder) {
    const fs::path beside = executableFolder / "pals";
    const fs::path installed =
        (executableFolder / ".." / "share" / "skardetools" / "pals").lexically_normal();
    std::error_code error;
    if (fs::is_directory(beside, error))
        return beside;
    if (fs::is_directory(installed, error))
        return installed;
    return beside;
}

namespace {

bool isPaletteNumber(std::string_view stem) {
    const std::string_view digits = stem.substr(!stem.empty() && stem[0] == '-' ? 1 : 0);
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool precedesIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldCase(x) < foldCase(y); });
}

} // namespace

std::vector<std::string> namedPalettesIn(const fs::path& palsFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(palsFolder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = displayPath(it->path().filename());
        if (name.size() <= 4 || !equalsIgnoringCase(name.substr(name.size() - 4), ".pal"))
            continue;
        const std::string stem = name.substr(0, name.size() - 4);
        if (!isPaletteNumber(stem) && it->is_regular_file(error))
            names.push_back(stem);
    }
    std::sort(names.begin(), names.end(), precedesIgnoringCase);
    return names;
}

} // namespace skarde
