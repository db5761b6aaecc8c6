#include "foldernotices.h"

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include <sys/inotify.h>
#include <unistd.h>

namespace skarde::monkey {

namespace {

// Everything that changes what a look would see in the folder, and the folder's own end.
constexpr std::uint32_t kNoticed = IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_MOVED_FROM |
                                   IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;

} // namespace

FolderNotices::FolderNotices() : descriptor_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderNotices::~FolderNotices() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool FolderNotices::watch(const std::string& folder, const std::string& relative) {
    if (descriptor_ < 0)
        return false;
    const int watch =
        ::inotify_add_watch(descriptor_, folder.c_str(), kNoticed | IN_ONLYDIR | IN_DONT_FOLLOW);
    if (watch < 0)
        return false;
    folderByWatch_[watch] = relative;
    return true;
}

std::optional<std::set<std::string>> FolderNotices::takeChangedFolders() {
    if (descriptor_ < 0)
        return std::nullopt;
    std::set<std::string> changed;
    bool trusted = true;
    alignas(inotify_event) std::array<char, 65536> buffer;
    for (;;) {
        const ssize_t length = ::read(descriptor_, buffer.data(), buffer.size());
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            break;
        for (std::size_t at = 0; at < static_cast<std::size_t>(length);) {
            inotify_event notice;
            std::memcpy(&notice, buffer.data() + at, sizeof notice);
            at += sizeof notice + notice.len;
            if (notice.mask & IN_Q_OVERFLOW) {
                trusted = false;
                continue;
            }
            const auto folder = folderByWatch_.find(notice.wd);
            if (folder == folderByWatch_.end())
                continue;
            changed.insert(folder->second);
            if (notice.mask & IN_IGNORED)
                folderByWatch_.erase(folder);
        }
    }
    if (!trusted)
        return std::nullopt;
    return changed;
}

void FolderNotices::forgetAll() {
    for (const auto& [watch, folder] : folderByWatch_)
        ::inotify_rm_watch(descriptor_, watch);
    folderByWatch_.clear();
    // Notices already queued name watches no longer known; they are dropped as read.
    takeChangedFolders();
}

} // namespace skarde::monkey
