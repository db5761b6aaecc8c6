#include "volpreview.h"

#include "membername.h"
#include "volmember.h"

#include "converters/pbmptobmp.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"

#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

namespace {

// Removes both scratch files however the preview ends.
struct PreviewScratchFiles {
    explicit PreviewScratchFiles(const fs::path& folder)
        : member(folder / kPreviewMemberScratchName), bitmap(folder / kPreviewBitmapScratchName) {}
    ~PreviewScratchFiles() {
        std::error_code ignored;
        fs::remove(member, ignored);
        fs::remove(bitmap, ignored);
    }
    PreviewScratchFiles(const PreviewScratchFiles&) = delete;
    PreviewScratchFiles& operator=(const PreviewScratchFiles&) = delete;

    const fs::path member;
    const fs::path bitmap;
};

void createFoldersQuietly(const fs::path& outputFolder, const VolEntry& entry) {
    try {
        CreateMemberFolders(outputFolder, entry.name);
    } catch (const Problem&) {
        // Nothing is extracted here: the picture is shown all the same.
    }
}

} // namespace

std::optional<Bytes> ConvertMemberForPreview(ConverterContext& context, const fs::path& archivePath,
                                             const VolEntry& entry, const fs::path& outputFolder,
                                             const fs::path& scratchFolder) {
    const std::string memberName = decodeMemberName(entry.name);
    try {
        createFoldersQuietly(outputFolder, entry);
        // Only bitmaps are read: a large sound member costs nothing to pass over.
        if (!isBitmapMemberName(entry.name))
            return std::nullopt;
        const Bytes data = ReadMemberData(archivePath, entry);
        const PreviewScratchFiles scratch(scratchFolder);
        writeFileWhole(scratch.member, data);
        if (ConvertPbmpToBmp(context, scratch.member, scratch.bitmap, memberName).outcome !=
            Outcome::Converted)
            return std::nullopt;
        return readWholeFile(scratch.bitmap);
    } catch (const Problem& problem) {
        context.prompts.reportProblem(memberName, problem.subject() == memberName
                                                      ? std::string(problem.what())
                                                      : std::string(problem.what()) + " (" +
                                                            problem.subject() + ")");
        return std::nullopt;
    } catch (const std::exception& error) {
        // A fault while previewing must not end the program: say so about the member.
        context.prompts.reportProblem(memberName, escapedFailureText(error));
        return std::nullopt;
    }
}

} // namespace skarde
