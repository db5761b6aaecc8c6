#include "volfolderupdate.h"

#include "membercontent.h"
#include "membername.h"
#include "volarchive.h"
#include "voldirectory.h"
#include "volmember.h"

#include "converters/bmptopbmp.h"
#include "converters/pbmpformat.h"
#include "core/fileio.h"
#include "core/filetree.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCompareBufferBytes = std::size_t{1} << 20;

std::string nameKey(std::string_view rawName) {
    std::string key(rawName);
    for (char& c : key)
        c = c == '/' ? '\\' : foldCase(c);
    return key;
}

// NAME.bak, NAME.2.bak, ... as an update in place names them.
bool isBackupName(std::string_view name, std::string_view archiveName) {
    if (name.size() < archiveName.size() + 4 || !name.starts_with(archiveName) ||
        !name.ends_with(".bak"))
        return false;
    const std::string_view middle =
        name.substr(archiveName.size(), name.size() - archiveName.size() - 4);
    if (middle.empty())
        return true;
    return middle.size() >= 2 && middle.front() == '.' &&
           std::all_of(middle.begin() + 1, middle.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The archive may well sit in the folder it is updated from, with the backups of earlier
// updates beside it: none of them is ever taken for a member. The names are compared first, so
// that only a file of such a name costs a look at the disk.
// `archiveName` is the archive's file name, empty when there is no archive.
bool isArchiveOrItsBackup(const FolderFile& file, std::string_view fileName,
                          const fs::path& archive, const std::string& archiveName) {
    if (archiveName.empty())
        return false;
    std::error_code error;
    if (fileName == archiveName)
        return fs::equivalent(file.path(), archive, error);
    return isBackupName(fileName, archiveName) &&
           fs::equivalent(file.path().parent_path(),
                          archive.parent_path().empty() ? fs::path(".") : archive.parent_path(),
                          error);
}

// The folder's path and the relative one as one text: cheaper than path arithmetic, which
// counts when a folder holds tens of thousands of files.
FolderFile folderFileOf(const std::string& folderText, TreeFile&& listed,
                        const std::shared_ptr<TreeFileOpener>& opener) {
    FolderFile file{folderText + listed.relativePath, std::move(listed.relativePath), listed.size,
                    opener};
    if constexpr (fs::path::preferred_separator == '\\')
        std::replace(file.pathText.begin() + static_cast<std::ptrdiff_t>(folderText.size()),
                     file.pathText.end(), '/', '\\');
    std::replace(file.memberName.begin(), file.memberName.end(), '/', '\\');
    return file;
}

// Relative paths, in order; anything that is not a regular file is left out, and so are the
// archive and its backups.
std::vector<FolderFile> filesUnder(const fs::path& folder, const fs::path& archive) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw Problem(displayPath(folder), "This is not a folder.");
    std::vector<TreeFile> listed = listRegularFiles(folder, error);
    if (error)
        throw Problem(displayPath(folder), "The folder cannot be read: " + error.message());
    const std::string folderText = displayPath(folder / "");
    const auto opener = std::make_shared<TreeFileOpener>(folderText);
    const std::string archiveName = archive.empty() ? "" : displayPath(archive.filename());
    std::vector<FolderFile> files;
    files.reserve(listed.size());
    for (TreeFile& entry : listed) {
        FolderFile file = folderFileOf(folderText, std::move(entry), opener);
        const std::size_t lastSeparator = file.memberName.rfind('\\');
        const std::string_view fileName =
            std::string_view(file.memberName)
                .substr(lastSeparator == std::string::npos ? 0 : lastSeparator + 1);
        if (!isArchiveOrItsBackup(file, fileName, archive, archiveName))
            files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(),
              [](const FolderFile& a, const FolderFile& b) { return a.memberName < b.memberName; });
    return files;
}

bool fileEqualsMember(VolArchive& archive, const VolEntry& entry, const fs::path& path) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        throw Problem(displayPath(path), "The file cannot be read: " + error.message());
    if (size != static_cast<std::uintmax_t>(entry.size))
        return false;
    std::ifstream in(path, std::ios::binary);
    Bytes fromFile(kCompareBufferBytes);
    Bytes fromMember(kCompareBufferBytes);
    std::int64_t next = memberDataStart(archive, entry);
    std::int64_t left = entry.size;
    while (left > 0) {
        const auto count =
            static_cast<std::size_t>(std::min<std::int64_t>(left, std::ssize(fromFile)));
        if (!in.read(reinterpret_cast<char*>(fromFile.data()), static_cast<std::streamsize>(count)))
            throw Problem(displayPath(path), "The file cannot be read.");
        archive.read(next, std::span(fromMember).first(count));
        if (!std::equal(fromFile.begin(), fromFile.begin() + static_cast<std::ptrdiff_t>(count),
                        fromMember.begin()))
            return false;
        next += static_cast<std::int64_t>(count);
        left -= static_cast<std::int64_t>(count);
    }
    return true;
}

bool isGameImage(const Bytes& bytes) {
    return bytes.size() >= kPbmpHeaderSize + kPbmpTrailerSize &&
           ByteReader(bytes).tag(0) == makeTag("PBMP");
}

bool startsLikeWindowsBitmap(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'B' && magic[1] == 'M';
}

// The pictures are the same when the size and the rows are: header words the converter writes
// its own way do not make an unedited image count as changed.
bool samePicture(const Bytes& a, const Bytes& b) {
    const PbmpHeader first = readPbmpHeader(ByteReader(a), 0);
    const PbmpHeader second = readPbmpHeader(ByteReader(b), 0);
    const auto rowsOf = [](const Bytes& image) {
        return std::span(image).subspan(kPbmpHeaderSize,
                                        image.size() - kPbmpHeaderSize - kPbmpTrailerSize);
    };
    return first.width == second.width && first.height == second.height &&
           std::ranges::equal(rowsOf(a), rowsOf(b));
}

// The converted image when the file is a Windows bitmap standing for a game image member;
// nothing when the file is to be compared as it is.
std::optional<Bytes> convertedBitmap(VolArchive& archive, const VolEntry& entry,
                                     const FolderFile& file) {
    if (!isBitmapMemberName(entry.name) || !startsLikeWindowsBitmap(file.path()))
        return std::nullopt;
    const Bytes member = ReadMemberData(archive, entry);
    if (!isGameImage(member))
        return std::nullopt;
    const PbmpHeader header = readPbmpHeader(ByteReader(member), 0);
    const PbmpTrailer trailer =
        readPbmpTrailer(ByteReader(member), member.size() - kPbmpTrailerSize);
    const Bytes converted = encodeBmpAsPbmp(readWholeFile(file.path()), file.pathText,
                                            trailer.paletteNumber, header.attributes);
    if (converted == member || samePicture(converted, member))
        return Bytes{};
    return converted;
}

class FolderPlanner {
public:
    FolderPlanner(VolArchive& archive, const VolDirectory& directory,
                  const FolderUpdateOptions& options)
        : archive_(archive), directory_(directory), options_(options) {
        for (std::size_t i = 0; i < directory.directoryEntries.size(); ++i)
            byKey_.emplace(nameKey(directory.directoryEntries[i].name), i);
    }

    void take(const FolderFile& file) {
        const std::optional<std::string> raw = encodeMemberName(file.memberName);
        const auto found = raw ? byKey_.find(nameKey(*raw)) : byKey_.end();
        if (found == byKey_.end()) {
            (options_.addOthers ? additions_ : plan_.leftOut).push_back(file);
            return;
        }
        const VolEntry& entry = directory_.directoryEntries[found->second];
        FolderFile matched{file.pathText, decodeMemberName(entry.name), file.size, file.opener};
        if (!entry.isStored())
            throw Problem::refusal(matched.memberName,
                                   "The member is compressed; " + file.pathText +
                                       " cannot take its place, as this program has no "
                                       "compressor.");
        if (options_.convertBitmaps) {
            if (std::optional<Bytes> converted = convertedBitmap(archive_, entry, file)) {
                if (converted->empty())
                    plan_.unchanged.push_back(matched);
                else
                    replace(found->second, matched,
                            memberBytes(file.pathText, std::move(*converted)));
                return;
            }
        }
        if (fileEqualsMember(archive_, entry, file.path()))
            plan_.unchanged.push_back(matched);
        else
            replace(found->second, matched, memberFile(file.pathText, file.size, file.opener));
    }

    FolderUpdatePlan finish() {
        for (auto& [entry, replacement] : replacements_) {
            plan_.changes.push_back(
                replaceMember(replacement.first.memberName, std::move(replacement.second)));
            plan_.replaced.push_back(replacement.first);
        }
        for (const FolderFile& file : additions_) {
            plan_.changes.push_back(
                addMember(file.memberName, memberFile(file.pathText, file.size, file.opener)));
            plan_.added.push_back(file);
        }
        return std::move(plan_);
    }

    void refuse(const Problem& problem) { plan_.refused.push_back(problem); }

private:
    // Two files for one member ("a.bmp" and "A.BMP" on a case-sensitive disk): the first wins,
    // the second is reported.
    void replace(std::size_t entry, const FolderFile& file,
                 std::shared_ptr<MemberContent> content) {
        if (replacements_.contains(entry))
            throw Problem::refusal(file.pathText, "Another file already replaces member " +
                                                      file.memberName + "; this one is left out.");
        replacements_.emplace(entry, std::make_pair(file, std::move(content)));
    }

    VolArchive& archive_;
    const VolDirectory& directory_;
    const FolderUpdateOptions& options_;
    std::multimap<std::string, std::size_t> byKey_;
    std::map<std::size_t, std::pair<FolderFile, std::shared_ptr<MemberContent>>> replacements_;
    std::vector<FolderFile> additions_;
    FolderUpdatePlan plan_;
};

} // namespace

FolderUpdatePlan planFolderUpdate(const fs::path& archivePath, const fs::path& folder,
                                  const FolderUpdateOptions& options) {
    VolArchive archive(archivePath);
    VolDirectory directory = readVolDirectory(archive);
    const std::vector<FolderFile> files = filesUnder(folder, archivePath);
    FolderPlanner planner(archive, directory, options);
    for (const FolderFile& file : files) {
        try {
            planner.take(file);
        } catch (const Problem& problem) {
            planner.refuse(problem);
        }
    }
    return planner.finish();
}

std::vector<VolChange> folderAdditions(const fs::path& folder) {
    std::vector<VolChange> additions;
    for (const FolderFile& file : filesUnder(folder, {}))
        additions.push_back(
            addMember(file.memberName, memberFile(file.pathText, file.size, file.opener)));
    return additions;
}

} // namespace skarde
