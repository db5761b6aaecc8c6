#pragma once

// The bytes a replaced or added member gets: held in memory, or a file read as the archive is
// written. The writer asks for the size first, to lay the archive out and refuse one that would
// be too large before anything is written, and then reads the bytes in order, a buffer at a time.

#include "core/bytes.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace skarde {

class TreeFileOpener;

class MemberContent {
public:
    virtual ~MemberContent() = default;
    // Names the content in messages: the file's path, or what the bytes stand for.
    virtual std::string subject() const = 0;
    // Throws Problem naming the content when its size cannot be known.
    virtual std::uint64_t size() const = 0;
    // Fills `into` with the next bytes, from the first on. Throws Problem naming the content when
    // they cannot be read, or when there are fewer than size() said.
    virtual void readNext(std::span<std::uint8_t> into) = 0;
    // After the last byte: throws Problem naming the content when more than size() were there
    // (a file that grew while it was read). Releases what reading held.
    virtual void finish() = 0;
};

class MemberBytes final : public MemberContent {
public:
    MemberBytes(std::string subject, Bytes bytes);
    std::string subject() const override { return subject_; }
    std::uint64_t size() const override { return bytes_.size(); }
    void readNext(std::span<std::uint8_t> into) override;
    void finish() override { next_ = 0; }

private:
    std::string subject_;
    Bytes bytes_;
    std::size_t next_ = 0;
};

// Opened on the first read and closed by finish(), so that thousands of files in one archive
// never hold thousands of descriptors.
class MemberFile final : public MemberContent {
public:
    explicit MemberFile(const std::filesystem::path& path);
    // A file whose size was just listed: no second look at the disk for it. A file changed
    // since is still caught as it is read. With its listing's opener, it is opened through that.
    MemberFile(std::string utf8Path, std::uint64_t listedSize,
               std::shared_ptr<TreeFileOpener> opener = nullptr);
    ~MemberFile() override;
    MemberFile(const MemberFile&) = delete;
    MemberFile& operator=(const MemberFile&) = delete;
    std::string subject() const override { return utf8Path_; }
    std::uint64_t size() const override;
    void readNext(std::span<std::uint8_t> into) override;
    void finish() override;

private:
    std::string utf8Path_;
    std::shared_ptr<TreeFileOpener> opener_;
    mutable std::optional<std::uint64_t> size_; // as listed, or as first asked for
    std::uint64_t read_ = 0;
    bool endSeen_ = false; // the last read found the end, or a byte more
    bool grew_ = false;
    int descriptor_ = -1; // open between the first read and finish()
};

std::shared_ptr<MemberContent> memberBytes(std::string subject, Bytes bytes);
std::shared_ptr<MemberContent> memberFile(const std::filesystem::path& path);
std::shared_ptr<MemberContent> memberFile(std::string utf8Path, std::uint64_t listedSize,
                                          std::shared_ptr<TreeFileOpener> opener = nullptr);

} // namespace skarde
