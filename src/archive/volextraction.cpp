#include "volextraction.h"

#include "membername.h"
#include "volmember.h"

#include "converters/pbmptobmp.h"
#include "core/batchloop.h"
#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"

#include <optional>
#include <string>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

namespace {

class ScratchFileRemover {
public:
    explicit ScratchFileRemover(fs::path path) : path_(std::move(path)) {}
    ~ScratchFileRemover() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    ScratchFileRemover(const ScratchFileRemover&) = delete;
    ScratchFileRemover& operator=(const ScratchFileRemover&) = delete;

private:
    fs::path path_;
};

bool convertMember(ConverterContext& context, const Bytes& data, const fs::path& scratch,
                   const fs::path& destination, const std::string& memberName) {
    writeFileWhole(scratch, data);
    ScratchFileRemover remover(scratch);
    // Messages about the scratch file are about the member it holds.
    return ConvertPbmpToBmp(context, scratch, destination, memberName).outcome ==
           Outcome::Converted;
}

// What messages about a member call it.
std::string subjectOf(const std::string& memberName) {
    return memberName.empty() ? "(a member without a name)" : memberName;
}

bool extractMember(ConverterContext& context, VolArchive& archive, MemberFolders& folders,
                   const VolEntry& entry, const ExtractionRequest& request,
                   const fs::path& scratch) {
    const std::string memberName = decodeMemberName(entry.name);
    const std::string subject = subjectOf(memberName);
    try {
        if (const auto reason = unsafeMemberNameReason(entry.name))
            throw Problem(memberName, *reason);
        const Bytes data = ReadMemberData(archive, entry);
        const MemberTarget target = folders.place(entry.name);
        const fs::path& destination = target.path;
        context.progress.setCaption("Progress - " + memberName);
        if (request.convertBitmaps && isBitmapMemberName(entry.name))
            return convertMember(context, data, scratch, destination, memberName);
        writeFileWhole(destination, data, target.destination);
        return true;
    } catch (const Problem& problem) {
        // Problems of the files written name their paths; the user knows the member.
        if (problem.subject() == memberName)
            context.prompts.reportProblem(subject, problem.what());
        else
            context.prompts.reportProblem(subject, std::string(problem.what()) + " (" +
                                                       problem.subject() + ")");
        return false;
    }
}

bool isSelected(const ExtractionRequest& request, std::size_t row) {
    return row < request.selectedRows.size() && request.selectedRows[row];
}

bool isSelectedMemberNamed(const VolDirectory& directory, const ExtractionRequest& request,
                           const std::string& fileName) {
    for (std::size_t row = 0; row < directory.storedRows.size(); ++row) {
        const std::string& name = directory.storedEntry(row).name;
        if (isSelected(request, row) && !unsafeMemberNameReason(name) &&
            equalsIgnoringCase(displayPath(memberRelativePath(name)), fileName))
            return true;
    }
    return false;
}

// A member may itself be called temp.bmp: the scratch file then takes another name, so that
// no bitmap of the run overwrites or deletes that member.
fs::path scratchPathFor(const VolDirectory& directory, const ExtractionRequest& request) {
    std::string name(kExtractionScratchName);
    while (request.convertBitmaps && isSelectedMemberNamed(directory, request, name))
        name = "~" + name;
    return request.outputFolder / name;
}

void notify(const std::function<void(std::size_t)>& hook, std::size_t row) {
    if (hook)
        hook(row);
}

} // namespace

ExtractionSummary ExtractSelectedMembers(ConverterContext& context, const VolDirectory& directory,
                                         const ExtractionRequest& request,
                                         const ExtractionHooks& hooks) {
    std::optional<VolArchive> archive;
    const fs::path scratch = scratchPathFor(directory, request);
    MemberFolders folders(request.outputFolder);
    BatchRun run;
    run.rowCount = directory.storedRows.size();
    run.isMarked = [&](std::size_t row) { return isSelected(request, row); };
    run.rowName = [&](std::size_t row) {
        return subjectOf(decodeMemberName(directory.storedEntry(row).name));
    };
    // The caption names a member once its data has been read (extractMember).
    run.stepSetsCaption = true;
    run.start = [&] {
        return runGuarded(context.prompts, displayPath(directory.archivePath), [&] {
            archive.emplace(directory.archivePath);
            return true;
        });
    };
    run.handleRow = [&](std::size_t row) {
        notify(hooks.rowStarting, row);
        const bool extracted =
            extractMember(context, *archive, folders, directory.storedEntry(row), request, scratch);
        notify(hooks.rowHandled, row);
        return extracted;
    };
    const BatchSummary summary = runBatch(context.progress, context.prompts, run);
    return {summary.marked, summary.succeeded, summary.failed};
}

} // namespace skarde
