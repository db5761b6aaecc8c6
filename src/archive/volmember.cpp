#include "volmember.h"

#include "membername.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace skarde {

namespace fs = std::filesystem;

std::int64_t memberDataStart(const VolArchive& archive, const VolEntry& entry) {
    const std::int64_t start = std::int64_t{entry.dataOffset} + kVolBlockHeaderSize;
    if (entry.dataOffset < 0 || entry.size < 0 || !archive.holds(start, entry.size))
        throw Problem::refusal(decodeMemberName(entry.name),
                               "The member's " + std::to_string(entry.size) +
                                   " bytes of data at byte " + std::to_string(entry.dataOffset) +
                                   " lie outside the archive of " +
                                   std::to_string(archive.length()) + " bytes.");
    return start;
}

namespace {

std::string sizeInWords(std::uint64_t bytes) {
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    return bytes % kGiB == 0 ? std::to_string(bytes / kGiB) + " GiB"
                             : std::to_string(bytes) + " bytes";
}

} // namespace

Bytes ReadMemberData(VolArchive& archive, const VolEntry& entry, std::uint64_t maxBytes) {
    const std::int64_t start = memberDataStart(archive, entry);
    if (static_cast<std::uint64_t>(entry.size) > maxBytes)
        throw Problem::refusal(decodeMemberName(entry.name),
                               "The member is " + std::to_string(entry.size) +
                                   " bytes long; members above " + sizeInWords(maxBytes) +
                                   " are not read whole, as no game image is that large.");
    return archive.read(start, entry.size);
}

void copyMemberToFile(VolArchive& archive, const VolEntry& entry, const MemberTarget& target,
                      const MemberTransfer& transfer) {
    std::int64_t next = memberDataStart(archive, entry);
    std::int64_t left = entry.size;
    // A small member needs no more than its own size.
    Bytes buffer(static_cast<std::size_t>(std::clamp<std::int64_t>(
        left, 1, static_cast<std::int64_t>(std::max<std::size_t>(transfer.copyBufferBytes, 1)))));
    const FileWriteSteps diskSteps;
    writeFileWholeInPieces(
        target.path,
        [&]() -> std::span<const std::uint8_t> {
            const auto count =
                static_cast<std::size_t>(std::min<std::int64_t>(left, std::ssize(buffer)));
            const std::span<std::uint8_t> piece(buffer.data(), count);
            archive.read(next, piece);
            next += std::ssize(piece);
            left -= std::ssize(piece);
            return piece;
        },
        transfer.writeSteps != nullptr ? *transfer.writeSteps : diskSteps, target.destination);
}

Bytes ReadMemberData(const fs::path& archivePath, const VolEntry& entry) {
    VolArchive archive(archivePath);
    return ReadMemberData(archive, entry);
}

fs::path CreateMemberFolders(const fs::path& outputFolder, std::string_view memberName) {
    return MemberFolders(outputFolder).create(memberName);
}

MemberFolders::MemberFolders(fs::path outputFolder) : outputFolder_(std::move(outputFolder)) {}

fs::path MemberFolders::create(std::string_view memberName) {
    const std::string relative = memberRelativeText(memberName);
    createFoldersOf(memberName, relative);
    return outputFolder_ / pathFromRelativeText(relative);
}

// Each folder is looked up by its text below the output folder, and only a folder the run has
// not met yet costs a look at the disk.
void MemberFolders::createFoldersOf(std::string_view memberName, const std::string& relative) {
    for (std::size_t end = relative.find('/'); end != std::string::npos;
         end = relative.find('/', end + 1)) {
        const std::string_view folderText(relative.data(), end);
        if (folders_.find(folderText) != folders_.end())
            continue;
        const fs::path folder = outputFolder_ / pathFromRelativeText(folderText);
        std::error_code error;
        const fs::file_status status = fs::status(folder, error);
        bool made = false;
        if (!fs::exists(status)) {
            if (!fs::create_directory(folder, error) && error)
                throw Problem(decodeMemberName(memberName),
                              "The folder " + displayPath(folder) +
                                  " cannot be created: " + error.message());
            made = true;
        } else if (!fs::is_directory(status)) {
            throw Problem(decodeMemberName(memberName),
                          "A file stands where the folder " + displayPath(folder) + " should be.");
        }
        folders_.emplace(folderText, made);
    }
}

bool MemberFolders::madeByThisRun(std::string_view folderText) const {
    const auto found = folders_.find(folderText);
    return found != folders_.end() && found->second;
}

MemberTarget MemberFolders::place(std::string_view memberName) {
    const std::string relative = memberRelativeText(memberName);
    createFoldersOf(memberName, relative);
    MemberTarget target{outputFolder_ / pathFromRelativeText(relative)};
    const std::size_t lastSeparator = relative.rfind('/');
    const bool inFolderMadeNow = lastSeparator != std::string::npos &&
                                 madeByThisRun(std::string_view(relative.data(), lastSeparator));
    if (inFolderMadeNow && folders_.find(std::string_view(relative)) == folders_.end() &&
        claimed_.insert(relative).second)
        target.destination = Destination::KnownAbsent;
    return target;
}

} // namespace skarde
