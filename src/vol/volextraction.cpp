#include "volextraction.h"

#include "membername.h"
#include "volmember.h"

#include "converters/fileio.h"
#include "converters/pbmptobmp.h"
#include "converters/problem.h"

#include <algorithm>
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

bool extractMember(ConverterContext& context, VolArchive& archive, const VolEntry& entry,
                   const ExtractionRequest& request, const fs::path& scratch) {
    const std::string memberName = decodeMemberName(entry.name);
    const std::string subject = memberName.empty() ? "(a member without a name)" : memberName;
    try {
        if (const auto reason = unsafeMemberNameReason(entry.name))
            throw Problem(memberName, *reason);
        const Bytes data = ReadMemberData(archive, entry);
        const fs::path destination = CreateMemberFolders(request.outputFolder, entry.name);
        context.progress.setCaption("Progress - " + memberName);
        if (request.convertBitmaps && isBitmapMemberName(entry.name))
            return convertMember(context, data, scratch, destination, memberName);
        writeFileWhole(destination, data);
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

int countSelected(const VolDirectory& directory, const ExtractionRequest& request) {
    int selected = 0;
    for (std::size_t row = 0; row < directory.storedRows.size(); ++row)
        selected += isSelected(request, row) ? 1 : 0;
    return selected;
}

std::optional<VolArchive> openArchive(ConverterContext& context, const VolDirectory& directory) {
    try {
        return VolArchive(directory.archivePath);
    } catch (const Problem& problem) {
        context.prompts.reportProblem(problem.subject(), problem.what());
        return std::nullopt;
    }
}

void notify(const std::function<void(std::size_t)>& hook, std::size_t row) {
    if (hook)
        hook(row);
}

} // namespace

ExtractionSummary ExtractSelectedMembers(ConverterContext& context, const VolDirectory& directory,
                                         const ExtractionRequest& request,
                                         const ExtractionHooks& hooks) {
    ProgressSink& progress = context.progress;
    progress.show();
    ExtractionSummary summary;
    summary.selected = countSelected(directory, request);
    progress.setMinimum(Bar::ProgressBar1, 0);
    progress.setMaximum(Bar::ProgressBar1, summary.selected);

    std::optional<VolArchive> archive;
    if (summary.selected > 0)
        archive = openArchive(context, directory);
    if (summary.selected > 0 && !archive) {
        summary.failed = summary.selected;
    } else {
        const fs::path scratch = scratchPathFor(directory, request);
        int handled = 0;
        for (std::size_t row = 0; row < directory.storedRows.size(); ++row) {
            if (isSelected(request, row)) {
                ++handled;
                notify(hooks.rowStarting, row);
                if (extractMember(context, *archive, directory.storedEntry(row), request, scratch))
                    ++summary.extracted;
                else
                    ++summary.failed;
                notify(hooks.rowHandled, row);
            }
            progress.setValue(Bar::ProgressBar1, handled);
        }
    }
    progress.setCaption("Progress");
    progress.hide();
    return summary;
}

} // namespace skarde
