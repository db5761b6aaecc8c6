#include "membercontent.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

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

std::string MemberFile::subject() const {
    return displayPath(path_);
}

std::uint64_t MemberFile::size() const {
    std::error_code error;
    const fs::file_status status = fs::status(path_, error);
    if (fs::is_directory(status))
        throw Problem(subject(), "This is a folder, not a file.");
    const std::uintmax_t size = fs::file_size(path_, error);
    if (error)
        throw Problem(subject(), "The file cannot be read: " + error.message());
    return size;
}

void MemberFile::readNext(std::span<std::uint8_t> into) {
    if (!in_.is_open()) {
        in_.open(path_, std::ios::binary);
        if (!in_)
            throw Problem(subject(), "The file cannot be opened for reading: " +
                                         std::string(std::strerror(errno)));
    }
    if (into.empty())
        return;
    in_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    if (in_.gcount() != static_cast<std::streamsize>(into.size()))
        throw Problem(subject(), "The file became shorter while it was read; nothing was written.");
}

void MemberFile::finish() {
    const bool grew = in_.is_open() && in_.peek() != std::ifstream::traits_type::eof();
    in_.close();
    in_.clear();
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
