#include "memberwriteahead.h"

#include "membername.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace skarde {

namespace {

// Enough to keep the helpers busy between the caller's turns, little enough to hold.
constexpr std::size_t kMaxQueuedFiles = 64;
constexpr std::size_t kMaxQueuedBytes = std::size_t{8} << 20;

// Windows-1252 letters in one case: the file systems that ignore case treat accented letters
// alike too, and two names that differ only so must not be written at once.
char foldWindows1252Case(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<char>(byte + 0x20);
    switch (byte) {
    case 0x8A: // S, Oe and Z with their marks
    case 0x8C:
    case 0x8E:
        return static_cast<char>(byte + 0x10);
    case 0x9F: // Y with diaeresis
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

// The member's path as memberRelativePath builds it (empty and "." parts dropped), in one case.
std::string pathKeyOf(std::string_view rawName) {
    std::string key;
    key.reserve(rawName.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rawName.size(); ++i) {
        if (i < rawName.size() && rawName[i] != '\\' && rawName[i] != '/')
            continue;
        const std::string_view part = rawName.substr(start, i - start);
        start = i + 1;
        if (part.empty() || part == ".")
            continue;
        if (!key.empty())
            key += '\\';
        for (const char c : part)
            key += foldWindows1252Case(c);
    }
    return key;
}

} // namespace

MemberWriteAhead::MemberWriteAhead(VolArchive& archive, const VolDirectory& directory,
                                   MemberFolders& folders, const MemberTransfer& transfer,
                                   Rows rows)
    : archive_(archive), directory_(directory), folders_(folders), transfer_(transfer),
      rows_(std::move(rows)),
      queue_(transfer.writeSteps != nullptr ? *transfer.writeSteps : diskSteps_) {}

void MemberWriteAhead::queueAhead() {
    const std::size_t rowCount = directory_.storedRows.size();
    while (!stopped_ && nextRow_ < rowCount && queued_.size() < kMaxQueuedFiles &&
           queue_.bytes() < kMaxQueuedBytes) {
        if (rows_.isSelected(nextRow_) && !tryToQueue(nextRow_)) {
            stopped_ = true;
            break;
        }
        ++nextRow_;
    }
}

bool MemberWriteAhead::holds(std::size_t row) const {
    return !queued_.empty() && queued_.front().row == row;
}

void MemberWriteAhead::finishHeldRow() {
    queuedKeys_.erase(queued_.front().pathKey);
    queued_.pop_front();
    queue_.finishOldest();
}

void MemberWriteAhead::handledInTurn(std::size_t row) {
    if (row + 1 > nextRow_) {
        nextRow_ = row + 1;
        stopped_ = false;
    }
}

// The checks and steps of a copy in its turn (the name is checked as the member is placed);
// whatever fails leaves the member to its turn, where the same failure is told.
bool MemberWriteAhead::tryToQueue(std::size_t row) {
    const VolEntry& entry = directory_.storedEntry(row);
    if (rows_.convertBitmaps && isBitmapMemberName(entry.name))
        return false;
    if (entry.size < 0 || static_cast<std::uint64_t>(entry.size) > transfer_.copyBufferBytes)
        return false;
    std::string pathKey = pathKeyOf(entry.name);
    if (meetsAQueuedFile(pathKey))
        return false;
    try {
        Bytes data = archive_.read(memberDataStart(archive_, entry), entry.size);
        MemberTarget target = folders_.place(entry.name);
        std::error_code error;
        if (rows_.keepExistingFiles && target.destination != Destination::KnownAbsent &&
            std::filesystem::exists(target.path, error))
            return false;
        queue_.add(std::move(target.path), std::move(data), target.destination);
    } catch (const std::exception&) {
        return false;
    }
    queuedKeys_.insert(pathKey);
    queued_.push_back({row, std::move(pathKey)});
    return true;
}

// The same file, or a file where the member needs a folder: written now, the outcome could
// differ from writing in directory order.
bool MemberWriteAhead::meetsAQueuedFile(const std::string& pathKey) const {
    for (std::size_t end = pathKey.find('\\'); end != std::string::npos;
         end = pathKey.find('\\', end + 1))
        if (queuedKeys_.find(std::string_view(pathKey.data(), end)) != queuedKeys_.end())
            return true;
    return queuedKeys_.find(std::string_view(pathKey)) != queuedKeys_.end();
}

} // namespace skarde
