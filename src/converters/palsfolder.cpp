#include "palsfolder.h"

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

} // namespace skarde
