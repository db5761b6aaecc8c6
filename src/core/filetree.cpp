#include "filetree.h"

#include "filedescriptor.h"
#include "fileio.h"

#include <algorithm>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace skarde {

namespace fs = std::filesystem;

#ifdef _WIN32

std::vector<TreeFile> listRegularFiles(const fs::path& folder, std::error_code& error) {
    std::vector<TreeFile> files;
    const std::size_t prefixLength = displayPath(folder / "").size();
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored))
            continue;
        const std::uintmax_t size = it->file_size(ignored);
        if (ignored)
            continue;
        std::string relative = displayPath(it->path()).substr(prefixLength);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        files.push_back({std::move(relative), size});
    }
    return files;
}

#else

namespace {

struct FolderCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};
using OpenFolder = std::unique_ptr<DIR, FolderCloser>;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

class TreeLister {
public:
    explicit TreeLister(std::vector<TreeFile>& files) : files_(files) {}

    // `prefix` is the folder's path relative to the top, ending in "/" unless empty.
    void list(int folderDescriptor, const std::string& prefix, std::error_code& error) {
        OpenFolder folder(::fdopendir(folderDescriptor));
        if (!folder) {
            error = lastError();
            ::close(folderDescriptor);
            return;
        }
        const int descriptor = ::dirfd(folder.get());
        errno = 0;
        while (const dirent* entry = ::readdir(folder.get())) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                take(descriptor, entry->d_type, prefix, name, error);
            if (error)
                return;
            errno = 0;
        }
        if (errno != 0)
            error = lastError();
    }

private:
    void take(int descriptor, unsigned char type, const std::string& prefix, std::string_view name,
              std::error_code& error) {
        const std::string nameText(name);
        if (type == DT_DIR) {
            enter(descriptor, prefix, nameText, error);
            return;
        }
        if (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN)
            return;
        struct stat status {};
        if (::fstatat(descriptor, nameText.c_str(), &status, 0) != 0)
            return;
        if (S_ISREG(status.st_mode)) {
            files_.push_back({prefix + nameText, static_cast<std::uint64_t>(status.st_size)});
            return;
        }
        // Where the system does not say an entry's type, it may be a folder; a link never is
        // entered.
        struct stat own {};
        if (type == DT_UNKNOWN && S_ISDIR(status.st_mode) &&
            ::fstatat(descriptor, nameText.c_str(), &own, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(own.st_mode))
            enter(descriptor, prefix, nameText, error);
    }

    void enter(int descriptor, const std::string& prefix, const std::string& name,
               std::error_code& error) {
        const int inner =
            ::openat(descriptor, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0) {
            error = lastError();
            return;
        }
        list(inner, prefix + name + "/", error);
    }

    std::vector<TreeFile>& files_;
};

} // namespace

std::vector<TreeFile> listRegularFiles(const fs::path& folder, std::error_code& error) {
    error.clear();
    std::vector<TreeFile> files;
    const int top = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top < 0) {
        error = lastError();
        return files;
    }
    TreeLister(files).list(top, {}, error);
    return files;
}

#endif

TreeFileOpener::TreeFileOpener(std::string folderText) : folderText_(std::move(folderText)) {}

#ifdef _WIN32

TreeFileOpener::~TreeFileOpener() = default;

int TreeFileOpener::open(const std::string& path) {
    return openForReading(path);
}

#else

TreeFileOpener::~TreeFileOpener() {
    if (folderDescriptor_ >= 0)
        ::close(folderDescriptor_);
}

int TreeFileOpener::open(const std::string& path) {
    if (!path.starts_with(folderText_))
        return openForReading(path);
    const std::string_view relativePath = std::string_view(path).substr(folderText_.size());
    const std::size_t separator = relativePath.rfind('/');
    const std::string_view folder =
        relativePath.substr(0, separator == std::string_view::npos ? 0 : separator + 1);
    if (folderDescriptor_ < 0 || folder != openFolder_) {
        if (folderDescriptor_ >= 0)
            ::close(std::exchange(folderDescriptor_, -1));
        openFolder_ = folder;
        folderDescriptor_ =
            ::open((folderText_ + openFolder_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderDescriptor_ < 0)
            return -1;
    }
    const std::string name(relativePath.substr(folder.size()));
    return ::openat(folderDescriptor_, name.c_str(), O_RDONLY | O_CLOEXEC);
}

#endif

} // namespace skarde
