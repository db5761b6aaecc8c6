#pragma once

// The kernel's notices of change in watched folders (inotify): which folders had an entry
// added, removed, renamed, written or changed in its attributes since the last question. Lets a
// look at a large tree after every event read again only the folders that changed.

#include <map>
#include <optional>
#include <set>
#include <string>

namespace skarde::monkey {

class FolderNotices {
public:
    FolderNotices();
    ~FolderNotices();
    FolderNotices(const FolderNotices&) = delete;
    FolderNotices& operator=(const FolderNotices&) = delete;

    // Watches `folder` (a path on disk) under the name `relative`; false when it cannot be
    // watched (unreadable, or no watches left), so its changes would go unnoticed. Watching a
    // folder again under a new name (it was renamed) renames its notices.
    bool watch(const std::string& folder, const std::string& relative);
    // The names of the folders changed since the last call, or nothing when the notices cannot
    // be trusted (too many to keep, or no watching at all): then everything must be looked at.
    std::optional<std::set<std::string>> takeChangedFolders();
    // Forgets every watch, before a look at the whole tree starts over.
    void forgetAll();

private:
    int descriptor_ = -1;
    std::map<int, std::string> folderByWatch_;
};

} // namespace skarde::monkey
