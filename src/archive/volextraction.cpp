#include "volextraction.h"

#include "membername.h"
#include "memberproblem.h"
#include "memberwriteahead.h"
#include "volmember.h"

#include "converters/pbmptobmp.h"
#include "core/batchloop.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"

#include <optional>
#include <span>
#include <string>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

namespace {

enum class MemberOutcome { Extracted, Failed, Skipped };

bool isWindowsBitmap(std::span<const std::uint8_t> data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

// A converted game bitmap written as PNG ends in "png" instead of "bmp".
std::string convertedMemberName(const ConverterContext& context, const std::string& rawName) {
    if (!context.writesPng || context.png == nullptr)
        return rawName;
    return rawName.substr(0, rawName.size() - 3) + "png";
}

bool fileExists(const MemberTarget& target) {
    std::error_code error;
    return target.destination != Destination::KnownAbsent && fs::exists(target.path, error);
}

MemberOutcome extractMember(ConverterContext& context, VolArchive& archive, MemberFolders& folders,
                            std::size_t row, const VolEntry& entry,
                            const ExtractionRequest& request, const ExtractionHooks& hooks,
                            const MemberTransfer& transfer) {
    const std::string memberName = decodeMemberName(entry.name);
    MemberOutcome outcome = MemberOutcome::Failed;
    const auto keptExisting = [&](const MemberTarget& target) {
        if (!request.keepExistingFiles || !fileExists(target))
            return false;
        if (hooks.existingFileKept)
            hooks.existingFileKept(row, target.path);
        outcome = MemberOutcome::Skipped;
        return true;
    };
    const bool whole = runGuardedOnMember(context.prompts, memberName, [&] {
        if (const auto reason = unsafeMemberNameReason(entry.name))
            throw Problem::refusal(memberName, *reason);
        // The member's bytes are converted straight to its place: no file is written on the way.
        if (request.convertBitmaps && isBitmapMemberName(entry.name)) {
            const Bytes data = ReadMemberData(archive, entry, transfer.maxWholeMemberBytes);
            const bool keptAsItIs = request.keepWindowsBitmaps && isWindowsBitmap(data);
            const MemberTarget target =
                folders.place(keptAsItIs ? entry.name : convertedMemberName(context, entry.name));
            if (keptExisting(target))
                return true;
            context.progress.setCaption("Progress - " + memberName);
            if (keptAsItIs) {
                writeFileWhole(target.path, data, target.destination);
                if (hooks.keptAsWindowsBitmap)
                    hooks.keptAsWindowsBitmap(row);
                return true;
            }
            return ConvertPbmpToBmp(context, data, memberName, target.path).outcome ==
                   Outcome::Converted;
        }
        // Anything else is copied as it is, a buffer at a time, whatever its size.
        memberDataStart(archive, entry); // a damaged member is refused before its folders
        const MemberTarget target = folders.place(entry.name);
        if (keptExisting(target))
            return true;
        context.progress.setCaption("Progress - " + memberName);
        copyMemberToFile(archive, entry, target, transfer);
        return true;
    });
    if (whole && outcome != MemberOutcome::Skipped)
        outcome = MemberOutcome::Extracted;
    return outcome;
}

// A member written ahead of its turn is finished, and its failure told, in its turn.
bool finishWrittenAhead(ConverterContext& context, MemberWriteAhead& ahead, const VolEntry& entry) {
    const std::string memberName = decodeMemberName(entry.name);
    return runGuardedOnMember(context.prompts, memberName, [&] {
        context.progress.setCaption("Progress - " + memberName);
        ahead.finishHeldRow();
        return true;
    });
}

bool isSelected(const ExtractionRequest& request, std::size_t row) {
    return row < request.selectedRows.size() && request.selectedRows[row];
}

void notify(const std::function<void(std::size_t)>& hook, std::size_t row) {
    if (hook)
        hook(row);
}

} // namespace

ExtractionSummary ExtractSelectedMembers(ConverterContext& context, const VolDirectory& directory,
                                         const ExtractionRequest& request,
                                         const ExtractionHooks& hooks,
                                         const MemberTransfer& transfer) {
    std::optional<VolArchive> archive;
    MemberFolders folders(request.outputFolder);
    std::optional<MemberWriteAhead> ahead;
    BatchRun run;
    run.rowCount = directory.storedRows.size();
    run.isMarked = [&](std::size_t row) { return isSelected(request, row); };
    run.rowName = [&](std::size_t row) {
        return memberSubject(decodeMemberName(directory.storedEntry(row).name));
    };
    // The caption names a member once its data is known to lie in the archive (extractMember).
    run.stepSetsCaption = true;
    run.start = [&] {
        return runGuarded(context.prompts, displayPath(directory.archivePath), [&] {
            archive.emplace(directory.archivePath);
            MemberWriteAhead::Rows rows;
            rows.isSelected = [&](std::size_t row) { return isSelected(request, row); };
            rows.convertBitmaps = request.convertBitmaps;
            rows.keepExistingFiles = request.keepExistingFiles;
            ahead.emplace(*archive, directory, folders, transfer, std::move(rows));
            return true;
        });
    };
    int skipped = 0;
    run.handleRow = [&](std::size_t row) {
        notify(hooks.rowStarting, row);
        ahead->queueAhead();
        const VolEntry& entry = directory.storedEntry(row);
        MemberOutcome outcome = MemberOutcome::Failed;
        if (ahead->holds(row)) {
            if (finishWrittenAhead(context, *ahead, entry))
                outcome = MemberOutcome::Extracted;
        } else {
            outcome =
                extractMember(context, *archive, folders, row, entry, request, hooks, transfer);
            ahead->handledInTurn(row);
        }
        notify(hooks.rowHandled, row);
        skipped += outcome == MemberOutcome::Skipped ? 1 : 0;
        return outcome != MemberOutcome::Failed;
    };
    const BatchSummary summary = runBatch(context.progress, context.prompts, run);
    return {summary.marked, summary.succeeded - skipped, summary.failed, skipped};
}

} // namespace skarde
