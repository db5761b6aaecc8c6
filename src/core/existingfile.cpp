#include "existingfile.h"

#include "fileio.h"

#include <system_error>

namespace skarde {

bool keepExistingFile(UserPrompts& prompts, const std::filesystem::path& destination) {
    if (!prompts.keepsExistingFiles())
        return false;
    std::error_code error;
    if (!std::filesystem::exists(destination, error))
        return false;
    prompts.noteFileKept(displayPath(destination));
    return true;
}

} // namespace skarde
