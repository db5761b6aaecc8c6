#include "treewatch.h"

#include "core/bytedigest.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

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
    entries_ = look();
}

std::map<std::string, TreeWatch::Entry> TreeWatch::look() {
    const std::int64_t startedAt = nowNanoseconds();
    std::map<std::string, Entry> found;
    std::error_code error;
    auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied,
                                               error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        struct stat status {};
        if (::lstat(it->path().c_str(), &status) != 0)
            continue;
        Entry entry;
        entry.folder = S_ISDIR(status.st_mode);
        entry.size = status.st_size;
        entry.modified =
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
        entry.inode = status.st_ino;
        // By text: fs::relative resolves both paths on disk, costly over thousands of files.
        std::string relative = it->path().generic_string().substr(rootText_.size() + 1);
        if (entry.folder)
            relative += '/';
        else if (S_ISREG(status.st_mode)) {
            const auto previous = entries_.find(relative);
            // File times come from a coarse clock: a file written just before the last look
            // can be written again with the same time and size, so its bytes are read again.
            const bool same = previous != entries_.end() && previous->second.size == entry.size &&
                              previous->second.modified == entry.modified &&
                              previous->second.inode == entry.inode &&
                              entry.modified < lastLookAt_ - kCoarseClockMargin;
            entry.digest = same ? previous->second.digest : digestOf(it->path());
        }
        found.emplace(std::move(relative), entry);
    }
    lastLookAt_ = startedAt;
    return found;
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
    std::map<std::string, Entry> now = look();
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
