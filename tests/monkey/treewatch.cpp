#include "treewatch.h"

#include "core/bytedigest.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

#include <cerrno>
#include <set>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

namespace skarde::monkey {

namespace fs = std::filesystem;

namespace {

std::uint64_t digestOf(const fs::path& file) {
    ByteDigest digest;
    std::ifstream in(file, std::ios::binary);
    std::array<char, 65536> buffer;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        digest.add({reinterpret_cast<const std::uint8_t*>(buffer.data()),
                    static_cast<std::size_t>(in.gcount())});
    }
    return digest.value();
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isScratchName(const std::string& name) {
    const std::string lower = lowered(name);
    if (lower == "temp.bmp" || lower == "temp1.bmp" || lower == "temp2.bmp")
        return true;
    return lower.size() > 6 && lower.front() == '.' && lower.ends_with(".part");
}

std::int64_t nowNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

TreeWatch::TreeWatch(fs::path root) : root_(std::move(root)), rootText_(root_.generic_string()) {
    entries_ = lookAtEverything();
}

std::string TreeWatch::onDisk(const std::string& relative) const {
    return relative.empty() ? rootText_ : rootText_ + '/' + relative;
}

// False when the name is gone by now.
bool TreeWatch::entryOf(const std::string& name, int folderDescriptor, const std::string& relative,
                        Entry& entry) const {
    struct stat status {};
    if (::fstatat(folderDescriptor, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    entry.folder = S_ISDIR(status.st_mode);
    entry.size = status.st_size;
    entry.modified =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    entry.inode = status.st_ino;
    if (S_ISREG(status.st_mode)) {
        const auto previous = entries_.find(relative);
        // File times come from a coarse clock: a file written just before the last look can be
        // written again with the same time and size, so its bytes are read again.
        const bool same = previous != entries_.end() && previous->second.size == entry.size &&
                          previous->second.modified == entry.modified &&
                          previous->second.inode == entry.inode &&
                          entry.modified < lastLookAt_ - kCoarseClockMargin;
        entry.digest = same ? previous->second.digest : digestOf(onDisk(relative));
    }
    return true;
}

// One folder's entries, named by their text under the root (folders with a final "/"). False,
// with errno as opendir left it, when the folder cannot be opened.
bool TreeWatch::readFolder(const std::string& folder, Listing& listed) const {
    DIR* listing = ::opendir(onDisk(folder).c_str());
    if (!listing)
        return false;
    while (const dirent* item = ::readdir(listing)) {
        const std::string name = item->d_name;
        if (name == "." || name == "..")
            continue;
        Entry entry;
        std::string relative = folder + name;
        if (!entryOf(name, ::dirfd(listing), relative, entry))
            continue;
        if (entry.folder)
            relative += '/';
        listed.emplace_back(std::move(relative), entry);
    }
    ::closedir(listing);
    return true;
}

// Watched before it is read, so that nothing written in between goes unnoticed.
void TreeWatch::walk(const std::string& folder, Entries& into) {
    if (!notices_.watch(onDisk(folder), folder))
        unwatched_.insert(folder);
    Listing listed;
    if (!readFolder(folder, listed))
        return;
    for (const auto& [relative, entry] : listed) {
        into.insert_or_assign(relative, entry);
        if (entry.folder)
            walk(relative, into);
    }
}

TreeWatch::Entries TreeWatch::lookAtEverything() {
    const std::int64_t startedAt = nowNanoseconds();
    notices_.forgetAll();
    unwatched_.clear();
    Entries found;
    walk("", found);
    lastLookAt_ = startedAt;
    return found;
}

namespace {

// Removes `relative` and, for a folder, everything under it.
template <typename Entries> void eraseWithContents(const std::string& relative, Entries& from) {
    if (!relative.ends_with('/')) {
        from.erase(relative);
        return;
    }
    auto it = from.lower_bound(relative);
    while (it != from.end() && it->first.starts_with(relative))
        it = from.erase(it);
}

} // namespace

// Reads one folder again: its files' entries anew, a folder that appeared with all it holds,
// and what is gone with all it held. Folders already known keep their own notices.
void TreeWatch::lookAgainAt(const std::string& folder, Entries& into) {
    Listing listed;
    if (!readFolder(folder, listed)) {
        if (errno == ENOENT || errno == ENOTDIR) {
            if (!folder.empty())
                eraseWithContents(folder, into);
        } else {
            // Unreadable now: its contents cannot be seen, as a whole look would not see them.
            auto it = into.upper_bound(folder);
            while (it != into.end() && it->first.starts_with(folder))
                it = into.erase(it);
        }
        return;
    }
    std::set<std::string> present;
    std::vector<std::string> newFolders;
    for (const auto& [relative, entry] : listed) {
        if (entry.folder && !into.contains(relative))
            newFolders.push_back(relative);
        present.insert(relative);
        into.insert_or_assign(relative, entry);
    }
    std::vector<std::string> gone;
    for (auto it = into.upper_bound(folder); it != into.end() && it->first.starts_with(folder);
         ++it) {
        const std::string_view rest = std::string_view(it->first).substr(folder.size());
        const auto slash = rest.find('/');
        const bool direct = slash == std::string_view::npos || slash + 1 == rest.size();
        if (direct && !present.contains(it->first))
            gone.push_back(it->first);
    }
    for (const std::string& relative : gone)
        eraseWithContents(relative, into);
    for (const std::string& newFolder : newFolders)
        walk(newFolder, into);
}

TreeWatch::Entries TreeWatch::lookAgain() {
    const std::int64_t startedAt = nowNanoseconds();
    auto changed = notices_.takeChangedFolders();
    if (!changed)
        return lookAtEverything();
    changed->insert(unwatched_.begin(), unwatched_.end());
    Entries now = entries_;
    // Outer folders first: a folder found new there is walked whole, its own notices then
    // add nothing.
    for (const std::string& folder : *changed)
        lookAgainAt(folder, now);
    lastLookAt_ = startedAt;
    return now;
}

bool TreeWatch::mayWrite(const std::string& relative,
                         const std::vector<OutputFolder>& outputs) const {
    std::string entry = relative;
    if (entry.ends_with('/'))
        entry.pop_back();
    const fs::path path = (root_ / fs::u8path(entry)).lexically_normal();
    for (const OutputFolder& output : outputs) {
        const fs::path folder = output.folder.lexically_normal();
        if (path.parent_path() == folder)
            return true;
        const fs::path inside = path.lexically_relative(folder);
        if (output.withSubfolders && !inside.empty() && *inside.begin() != ".." && inside != ".")
            return true;
    }
    return false;
}

std::vector<std::string> TreeWatch::update(const std::vector<OutputFolder>& outputs) {
    Entries now = lookAgain();
    std::vector<std::string> changed;
    const auto differs = [](const Entry& a, const Entry& b) {
        return a.folder != b.folder || (!a.folder && a.digest != b.digest);
    };
    for (const auto& [path, entry] : now) {
        const auto before = entries_.find(path);
        if ((before == entries_.end() || differs(before->second, entry)) &&
            !mayWrite(path, outputs))
            changed.push_back(path);
    }
    for (const auto& [path, entry] : entries_)
        if (!now.contains(path))
            changed.push_back(path);
    entries_ = std::move(now);
    return changed;
}

std::vector<std::string> TreeWatch::scratchFiles() const {
    std::vector<std::string> scratch;
    for (const auto& [path, entry] : entries_) {
        const auto slash = path.rfind('/');
        if (!entry.folder &&
            isScratchName(slash == std::string::npos ? path : path.substr(slash + 1)))
            scratch.push_back(path);
    }
    return scratch;
}

} // namespace skarde::monkey
