#include "core/fileio.h"
#include "core/problem.h"

#include "fixtures/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <system_error>

namespace skarde {
namespace {

namespace fs = std::filesystem;

// The scratch file is renamed over the old one, which Windows refuses unless asked to replace.
TEST(FileIo, ReplacesAnExistingFileAndLeavesNoScratchFile) {
    const test::TempFolder folder;
    const fs::path target = folder / "out.bmp";
    test::writeFile(target, Bytes{1, 2, 3, 4, 5});
    const Bytes replacement{9, 8};
    writeFileWhole(target, replacement);
    EXPECT_EQ(test::readFile(target), replacement);
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"out.bmp"});
}

// Names outside ASCII must survive the trip to the file system's own encoding and back.
TEST(FileIo, ReadsWritesAndFindsFilesWithNonAsciiNames) {
    const test::TempFolder folder;
    const fs::path subfolder = folder.path() / fs::path(u8"Gl\u00e4ser \u00c6ther");
    fs::create_directories(subfolder);
    const fs::path target = subfolder / fs::path(u8"\u00e9t\u00e9 \u20ac.pal");
    const Bytes bytes{7, 7, 7};
    writeFileWhole(target, bytes);
    EXPECT_EQ(readWholeFile(target), bytes);
    const auto found = findFileIgnoringCase(subfolder, "\xC3\xA9T\xC3\xA9 \xE2\x82\xAC.PAL");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(readWholeFile(*found), bytes);
    EXPECT_NE(displayPath(target).find("\xE2\x82\xAC.pal"), std::string::npos);
}

// A disk that fills up after a few bytes, or a rename the system refuses: the older file must
// come through whole and no scratch file may be left. Runs as any user.
TEST(FileIo, AFailedWriteLeavesTheOlderFileWholeAndNoScratchFile) {
    struct DiskFullAfterThreeBytes : FileWriteSteps {
        std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
            return FileWriteSteps::write(scratch,
                                         bytes.first(std::min<std::size_t>(3, bytes.size())));
        }
    };
    struct RenameRefused : FileWriteSteps {
        void replace(const fs::path&, const fs::path&, std::error_code& error) const override {
            error = std::make_error_code(std::errc::io_error);
        }
    };
    const DiskFullAfterThreeBytes diskFull;
    const RenameRefused renameRefused;
    for (const FileWriteSteps* steps :
         std::initializer_list<const FileWriteSteps*>{&diskFull, &renameRefused}) {
        const test::TempFolder folder;
        const fs::path target = folder / "out.bmp";
        const Bytes older(100, 0x11);
        test::writeFile(target, older);
        try {
            writeFileWhole(target, Bytes(50, 0x22), *steps);
            ADD_FAILURE() << "a failed write was taken for a success";
        } catch (const Problem& problem) {
            EXPECT_EQ(problem.subject(), displayPath(target));
        }
        EXPECT_EQ(test::readFile(target), older);
        EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"out.bmp"});
    }
}

// Pieces go out in the order they come; a source that fails half-way abandons the file as a
// failed write does, and what it threw reaches the caller as it was.
TEST(FileIo, WritesAFileInPiecesWholeOrNotAtAll) {
    const test::TempFolder folder;
    const fs::path target = folder / "out.dat";
    const Bytes older(100, 0x11);
    test::writeFile(target, older);
    const std::vector<Bytes> pieces{{1, 2, 3}, {4}, {5, 6}};
    std::size_t handedOut = 0;
    const auto nextPiece = [&]() -> std::span<const std::uint8_t> {
        if (handedOut == pieces.size())
            return {};
        return pieces[handedOut++];
    };
    writeFileWholeInPieces(target, nextPiece, FileWriteSteps{});
    EXPECT_EQ(test::readFile(target), (Bytes{1, 2, 3, 4, 5, 6}));

    test::writeFile(target, older);
    handedOut = 0;
    const auto failsAfterOnePiece = [&]() -> std::span<const std::uint8_t> {
        if (handedOut == 1)
            throw Problem("source.vol", "The archive cannot be read at byte 3.");
        return nextPiece();
    };
    try {
        writeFileWholeInPieces(target, failsAfterOnePiece, FileWriteSteps{});
        ADD_FAILURE() << "a failed source was taken for a success";
    } catch (const Problem& problem) {
        EXPECT_EQ(problem.subject(), "source.vol");
    }
    EXPECT_EQ(test::readFile(target), older);
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"out.dat"});
}

#ifndef _WIN32 // Windows files have no owner and group permission bits
TEST(FileIo, AReplacedFileKeepsItsPermissions) {
    const test::TempFolder folder;
    const fs::path target = folder / "out.pal";
    test::writeFile(target, Bytes{1});
    const fs::perms chosen = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, chosen);
    writeFileWhole(target, Bytes{2, 3});
    EXPECT_EQ(test::readFile(target), (Bytes{2, 3}));
    EXPECT_EQ(fs::status(target).permissions(), chosen);
}
#endif

// A sparse file far larger than any memory: the size is refused before a byte is held, so a read
// that allocated first would fail with bad_alloc instead of this message.
TEST(FileIo, RefusesToReadAFileAboveTheSizeCapByName) {
    const test::TempFolder folder;
    const fs::path huge = folder / "huge.vol";
    test::writeFile(huge, Bytes{1});
    constexpr std::uintmax_t kOneTebibyte = std::uintmax_t{1} << 40;
    std::error_code error;
    fs::resize_file(huge, kOneTebibyte, error);
    if (error)
        GTEST_SKIP() << "this file system holds no sparse file of 1 TiB: " << error.message();
    try {
        readWholeFile(huge);
        FAIL() << "read a file above the cap";
    } catch (const Problem& problem) {
        EXPECT_EQ(problem.subject(), displayPath(huge));
        EXPECT_NE(std::string(problem.what()).find("1099511627776 bytes"), std::string::npos)
            << problem.what();
    }
    // Just above the cap is refused too.
    fs::resize_file(huge, kMaxWholeFileBytes + 1);
    EXPECT_THROW(readWholeFile(huge), Problem);
}

} // namespace
} // namespace skarde
