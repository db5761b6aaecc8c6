#include "membercontent.h"

#include "core/filedescriptor.h"
#include "core/fileio.h"
#include "core/filetree.h"
#include "core/problem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace skarde {

namespace fs = std::filesystem;

MemberBytes::MemberBytes(std::string subject, Bytes bytes)
    : subject_(std::move(subject)), bytes_(std::move(bytes)) {}

void MemberBytes::readNext(std::span<std::uint8_t> into) {
    if (into.size() > bytes_.size() - next_)
        throw Problem(subject_, "The member's bytes end before the archive was written.");
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(next_), into.size(), into.begin());
    next_ += into.size();
}

MemberFile::MemberFile(const fs::path& path) : utf8Path_(displayPath(path)) {}

MemberFile::MemberFile(std::string utf8Path, std::uint64_t listedSize,
                       std::shared_ptr<TreeFileOpener> opener)
    : utf8Path_(std::move(utf8Path)), opener_(std::move(opener)), size_(listedSize) {}

MemberFile::~MemberFile() {
    if (descriptor_ >= 0)
        closeDescriptor(descriptor_);
}

std::uint64_t MemberFile::size() const {
    if (!size_) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(fs::u8path(utf8Path_), error);
        if (error)
            throw Problem(subject(), "The file cannot be read: " + error.message());
        size_ = size;
    }
    return *size_;
}

void MemberFile::readNext(std::span<std::uint8_t> into) {
    if (descriptor_ < 0) {
        descriptor_ = opener_ ? opener_->open(utf8Path_) : openForReading(utf8Path_);
        if (descriptor_ < 0)
            throw Problem(subject(), "The file cannot be opened for reading: " +
                                         std::string(std::strerror(errno)));
    }
    // The last bytes the archive takes also tell whether the file goes on past them.
    const bool last = size_ && read_ + into.size() >= *size_;
    bool more = false;
    const std::size_t got =
        last ? readFullyAndLookBeyond(descriptor_, into, more) : readFully(descriptor_, into);
    endSeen_ = last;
    grew_ = grew_ || more;
    if (got != into.size())
        throw Problem(subject(), "The file became shorter while it was read; nothing was written.");
    read_ += got;
}

void MemberFile::finish() {
    if (descriptor_ < 0)
        return;
    if (!endSeen_) {
        std::uint8_t beyond = 0;
        grew_ = readFully(descriptor_, std::span(&beyond, 1)) != 0;
    }
    closeDescriptor(std::exchange(descriptor_, -1));
    if (grew_)
        throw Problem(subject(), "The file grew while it was read; nothing was written.");
}

std::shared_ptr<MemberContent> memberBytes(std::string subject, Bytes bytes) {
    return std::make_shared<MemberBytes>(std::move(subject), std::move(bytes));
}

std::shared_ptr<MemberContent> memberFile(const fs::path& path) {
    return std::make_shared<MemberFile>(path);
}

std::shared_ptr<MemberContent> memberFile(std::string utf8Path, std::uint64_t listedSize,
                                          std::shared_ptr<TreeFileOpener> opener) {
    return std::make_shared<MemberFile>(std::move(utf8Path), listedSize, std::move(opener));
}

} // namespace skarde
