#include "volpreview.h"

#include "membername.h"
#include "memberproblem.h"
#include "volmember.h"

#include "converters/pbmptobmp.h"
#include "core/problem.h"

#include <string>

namespace skarde {

namespace fs = std::filesystem;

namespace {

void createFoldersQuietly(const fs::path& outputFolder, const VolEntry& entry) {
    try {
        CreateMemberFolders(outputFolder, entry.name);
    } catch (const Problem&) {
        // Nothing is extracted here: the picture is shown all the same.
    }
}

} // namespace

std::optional<Bytes> ConvertMemberForPreview(ConverterContext& context, const fs::path& archivePath,
                                             const VolEntry& entry, const fs::path& outputFolder) {
    const std::string memberName = decodeMemberName(entry.name);
    std::optional<Bytes> bitmap;
    runGuardedOnMember(context.prompts, memberName, [&] {
        createFoldersQuietly(outputFolder, entry);
        // Only bitmaps are read: a large sound member costs nothing to pass over.
        if (!isBitmapMemberName(entry.name))
            return false;
        bitmap = convertPbmpToBmpBytes(context, ReadMemberData(archivePath, entry), memberName);
        return bitmap.has_value();
    });
    return bitmap;
}

} // namespace skarde
