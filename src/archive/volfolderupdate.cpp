#include "volfolderupdate.h"

#include "membercontent.h"
#include "membername.h"
#include "volarchive.h"
#include "voldirectory.h"
#include "volmember.h"

#include "converters/bmptopbmp.h"
#include "converters/pbmpformat.h"
#include "core/fileio.h"

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

// NAME.bak or NAME.N.bak beside the archive NAME: what an update in place keeps. Updating from
// the archive's own folder must not take them for edited files, nor add them with --add.
bool isBackupOf(const fs::path& file, const fs::path& archive) {
    const std::string name = displayPath(file.filename());
    const std::string stem = displayPath(archive.filename()) + ".";
    if (name.size() < stem.size() + 3 || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - 3, 3, "bak") != 0)
        return false;
    const std::string middle = name.substr(stem.size(), name.size() - stem.size() - 3);
    if (!middle.empty() && (middle.size() < 2 || middle.back() != '.' ||
                            !std::all_of(middle.begin(), middle.end() - 1,
                                         [](char c) { return c >= '0' && c <= '9'; })))
        return false;
    const auto folderOf = [](const fs::path& path) {
        return path.has_parent_path() ? path.parent_path() : fs::path(".");
    };
    std::error_code error;
    return fs::equivalent(folderOf(file), folderOf(archive), error);
}

// Relative paths, in order; the archive itself, its backups and anything that is not a regular
// file are left out (the archive may well sit in the folder it is updated from).
std::vector<FolderFile> filesUnder(const fs::path& folder, const fs::path& skip) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw Problem(displayPath(folder), "This is not a folder.");
    std::vector<FolderFile> files;
    // Each path is the folder's followed by the relative one: cutting the text is much cheaper
    // than path arithmetic, which counts when a folder holds tens of thousands of files.
    const std::size_t prefixLength = displayPath(folder / "").size();
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored) ||
            (!skip.empty() &&
             (fs::equivalent(it->path(), skip, ignored) || isBackupOf(it->path(), skip))))
            continue;
        std::string name = displayPath(it->path()).substr(prefixLength);
        std::replace(name.begin(), name.end(), '/', '\\');
        files.push_back({it->path(), std::move(name)});
    }
    if (error)
        throw Problem(displayPath(folder), "The folder cannot be read: " + error.message());
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
    if (!isBitmapMemberName(entry.name) || !startsLikeWindowsBitmap(file.path))
        return std::nullopt;
    const Bytes member = ReadMemberData(archive, entry);
    if (!isGameImage(member))
        return std::nullopt;
    const PbmpHeader header = readPbmpHeader(ByteReader(member), 0);
    const PbmpTrailer trailer =
        readPbmpTrailer(ByteReader(member), member.size() - kPbmpTrailerSize);
    const Bytes converted = encodeBmpAsPbmp(readWholeFile(file.path), displayPath(file.path),
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
        FolderFile matched{file.path, decodeMemberName(entry.name)};
        if (!entry.isStored())
            throw Problem::refusal(matched.memberName,
                                   "The member is compressed; " + displayPath(file.path) +
                                       " cannot take its place, as this program has no "
                                       "compressor.");
        if (options_.convertBitmaps) {
            if (std::optional<Bytes> converted = convertedBitmap(archive_, entry, file)) {
                if (converted->empty())
                    plan_.unchanged.push_back(matched);
                else
                    replace(found->second, matched,
                            memberBytes(displayPath(file.path), std::move(*converted)));
                return;
            }
        }
        if (fileEqualsMember(archive_, entry, file.path))
            plan_.unchanged.push_back(matched);
        else
            replace(found->second, matched, memberFile(file.path));
    }

    FolderUpdatePlan finish() {
        for (auto& [entry, replacement] : replacements_) {
            plan_.changes.push_back(
                replaceMember(replacement.first.memberName, std::move(replacement.second)));
            plan_.replaced.push_back(replacement.first);
        }
        for (const FolderFile& file : additions_) {
            plan_.changes.push_back(addMember(file.memberName, memberFile(file.path)));
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
            throw Problem::refusal(displayPath(file.path), "Another file already replaces member " +
                                                               file.memberName +
                                                               "; this one is left out.");
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
        additions.push_back(addMember(file.memberName, memberFile(file.path)));
    return additions;
}

} // namespace skarde
