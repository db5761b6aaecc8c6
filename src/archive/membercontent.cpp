#include "membercontent.h"

#include "core/filedescriptor.h"
#include "core/fileio.h"
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

MemberFile::MemberFile(fs::path path) : path_(std::move(path)) {}

MemberFile::~MemberFile() {
    if (descriptor_ >= 0)
        closeDescriptor(descriptor_);
}

std::string MemberFile::subject() const {
    return displayPath(path_);
}

// One look at the file: packing thousands of small files spends its time in such calls.
std::uint64_t MemberFile::size() const {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path_, error);
    if (error)
        throw Problem(subject(), "The file cannot be read: " + error.message());
    return size;
}

void MemberFile::readNext(std::span<std::uint8_t> into) {
    if (descriptor_ < 0) {
        descriptor_ = openForReading(path_);
        if (descriptor_ < 0)
            throw Problem(subject(), "The file cannot be opened for reading: " +
                                         std::string(std::strerror(errno)));
    }
    if (readFully(descriptor_, into) != into.size())
        throw Problem(subject(), "The file became shorter while it was read; nothing was written.");
}

void MemberFile::finish() {
    if (descriptor_ < 0)
        return;
    std::uint8_t beyond = 0;
    const bool grew = readFully(descriptor_, std::span(&beyond, 1)) != 0;
    closeDescriptor(std::exchange(descriptor_, -1));
    if (grew)
        throw Problem(subject(), "The file grew while it was read; nothing was written.");
}

std::shared_ptr<MemberContent> memberBytes(std::string subject, Bytes bytes) {
    return std::make_shared<MemberBytes>(std::move(subject), std::move(bytes));
}

std::shared_ptr<MemberContent> memberFile(fs::path path) {
    return std::make_shared<MemberFile>(std::move(path));
}

} // namespace skarde
