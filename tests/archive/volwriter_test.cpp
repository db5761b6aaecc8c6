#include "archive/membercontent.h"
#include "archive/membername.h"
#include "archive/voldirectory.h"
#include "archive/volrewriteplan.h"
#include "archive/volwriter.h"

#include "core/bytedigest.h"
#include "core/filetree.h"
#include "core/problem.h"
#include "fixtures/tempfolder.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

#include <random>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::VolFields;
using filebuilders::VolMemberFields;

// An archive as the writer promises to keep it: the copied bytes and every member in order.
struct MemberView {
    std::string name;
    std::uint32_t leadingField = 0;
    Bytes dataHeader;
    std::uint8_t compressionType = 0;
    Bytes data;
    std::int32_t dataOffset = 0;
    bool operator==(const MemberView& other) const {
        return name == other.name && leadingField == other.leadingField &&
               dataHeader == other.dataHeader && compressionType == other.compressionType &&
               data == other.data;
    }
};

struct ArchiveView {
    Tag magic{};
    Tag namesTag{};
    Tag entriesTag{};
    std::vector<MemberView> members;
};

ArchiveView viewOf(const Bytes& bytes) {
    VolArchive archive("view.vol", bytes);
    const VolDirectory directory = readVolDirectory(archive);
    ArchiveView view{directory.fileHeader.magic, directory.namesTag, directory.entriesTag, {}};
    for (const VolEntry& entry : directory.directoryEntries) {
        EXPECT_FALSE(entry.damaged) << entry.name;
        view.members.push_back(
            {entry.name, entry.leadingField, archive.read(entry.dataOffset, kVolBlockHeaderSize),
             entry.compressionType,
             archive.read(entry.dataOffset + kVolBlockHeaderSize, entry.size), entry.dataOffset});
    }
    return view;
}

Bytes randomBytes(std::mt19937& random, std::size_t count) {
    Bytes bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

std::string randomTag(std::mt19937& random) {
    const Bytes bytes = randomBytes(random, 4);
    return std::string(bytes.begin(), bytes.end());
}

// Names of odd and even lengths in folders, some with Windows-1252 letters.
std::string randomName(std::mt19937& random, int index) {
    std::string name = random() % 2 ? "dir\\" : "";
    name += "m" + std::to_string(index);
    name.append(random() % 4, random() % 3 ? 'x' : '\xE9');
    return name + (random() % 2 ? ".bmp" : ".dat");
}

// Random bytes in every field the program does not examine; canonical when `canonical`
// (members in directory order, one zero after each name, the directory right after the data).
VolFields randomArchive(std::mt19937& random, bool canonical) {
    VolFields fields;
    fields.magic = random() % 2 ? "PVOL" : randomTag(random);
    fields.namesTag = randomTag(random);
    fields.entriesTag = randomTag(random);
    const int count = 1 + static_cast<int>(random() % 7);
    for (int i = 0; i < count; ++i) {
        VolMemberFields member = filebuilders::volMember(
            randomName(random, i),
            randomBytes(random, random() % 5 == 0 ? 64 + random() % 200 : random() % 40),
            random() % 4 == 0 ? static_cast<std::uint8_t>(1 + random() % 3) : 0);
        member.unusedField = static_cast<std::uint32_t>(random());
        member.dataTag = randomTag(random);
        if (random() % 3 == 0)
            member.dataHeaderLength = static_cast<std::uint32_t>(random());
        if (!canonical)
            member.terminatingZeros = 1 + static_cast<int>(random() % 3);
        fields.members.push_back(member);
    }
    if (!canonical) {
        std::int64_t dataEnd = 8;
        for (const auto& member : fields.members)
            dataEnd += 8 + static_cast<std::int64_t>(member.data.size());
        fields.directoryPosition = dataEnd + 16 + random() % 50;
        fields.trailing = randomBytes(random, random() % 9);
    }
    return fields;
}

class VolWriter : public ::testing::Test {
protected:
    fs::path archiveOf(const VolFields& fields, const std::string& name = "game.vol") {
        const fs::path path = folder_ / name;
        filebuilders::writeVol(path, fields);
        return path;
    }

    test::TempFolder folder_;
};

TEST_F(VolWriter, AnUnchangedCanonicalArchiveIsWrittenByteForByte) {
    std::mt19937 random(25);
    for (int round = 0; round < 60; ++round) {
        const Bytes original = filebuilders::makeVol(randomArchive(random, true));
        const fs::path path = folder_ / "canonical.vol";
        test::writeFile(path, original);
        updateVolArchive(path, {}, folder_ / "copy.vol");
        ASSERT_EQ(test::readFile(folder_ / "copy.vol"), original) << "round " << round;
    }
}

TEST_F(VolWriter, AnyOtherArchiveKeepsItsMembersOrderAndUnexaminedBytes) {
    std::mt19937 random(2525);
    for (int round = 0; round < 60; ++round) {
        const Bytes original = filebuilders::makeVol(randomArchive(random, false));
        const fs::path path = folder_ / "other.vol";
        test::writeFile(path, original);
        // Small buffers: members larger than one are copied file to file, not through memory.
        VolWriteOptions options;
        options.bufferBytes = round % 2 == 0 ? 16 : 1 << 20;
        updateVolArchive(path, {}, folder_ / "copy.vol", options);
        const ArchiveView before = viewOf(original);
        const ArchiveView after = viewOf(test::readFile(folder_ / "copy.vol"));
        ASSERT_EQ(after.magic, before.magic);
        ASSERT_EQ(after.namesTag, before.namesTag);
        ASSERT_EQ(after.entriesTag, before.entriesTag);
        ASSERT_EQ(after.members, before.members) << "round " << round;
    }
}

// The data block header of a new member: the replaced member's, or the first member's for an
// added one; its second four bytes follow the size only where they held the old size.
Bytes expectedHeader(const MemberView& model, std::size_t newSize) {
    Bytes header = model.dataHeader;
    if (ByteReader(header).i32(4) == static_cast<std::int32_t>(model.data.size())) {
        header.resize(4);
        ByteWriter(header).u32(static_cast<std::uint32_t>(newSize));
    }
    return header;
}

TEST_F(VolWriter, RandomChangesLeaveEveryOtherMemberAndByteAsItWas) {
    std::mt19937 random(77);
    for (int round = 0; round < 80; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Bytes original = filebuilders::makeVol(randomArchive(random, round % 2 == 0));
        const ArchiveView before = viewOf(original);
        std::vector<MemberView> expected = before.members;
        std::vector<VolChange> changes;
        std::vector<bool> removed(expected.size(), false);
        for (std::size_t i = 0; i < before.members.size(); ++i) {
            const unsigned pick = random() % 4;
            const MemberView& member = before.members[i];
            if (pick == 0 && member.compressionType == 0) {
                const Bytes data = randomBytes(random, random() % 30);
                changes.push_back(
                    replaceMember(decodeMemberName(member.name), memberBytes("new", data)));
                expected[i].dataHeader = expectedHeader(member, data.size());
                expected[i].data = data;
            } else if (pick == 1) {
                changes.push_back(removeMember(decodeMemberName(member.name)));
                removed[i] = true;
            }
        }
        const int additions = static_cast<int>(random() % 3);
        for (int i = 0; i < additions; ++i) {
            const Bytes data = randomBytes(random, random() % 30);
            const std::string name = "added\\n" + std::to_string(i) + ".txt";
            changes.push_back(addMember(name, memberBytes(name, data)));
            MemberView added{name,
                             before.members[0].leadingField,
                             expectedHeader(before.members[0], data.size()),
                             0,
                             data,
                             0};
            expected.push_back(added);
        }
        std::vector<MemberView> kept;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (i >= removed.size() || !removed[i])
                kept.push_back(expected[i]);

        const fs::path path = folder_ / "game.vol";
        test::writeFile(path, original);
        updateVolArchive(path, changes, folder_ / "new.vol");
        const ArchiveView after = viewOf(test::readFile(folder_ / "new.vol"));
        EXPECT_EQ(after.magic, before.magic);
        EXPECT_EQ(after.namesTag, before.namesTag);
        EXPECT_EQ(after.entriesTag, before.entriesTag);
        ASSERT_EQ(after.members, kept);
        EXPECT_EQ(test::readFile(path), original);
    }
}

TEST_F(VolWriter, DataBlocksKeepTheAlignmentTheOriginalsShare) {
    VolFields fields; // data blocks at 8, 24 and 56: multiples of 8
    fields.members = {filebuilders::volMember("a", Bytes(8, 1)),
                      filebuilders::volMember("b", Bytes(24, 2)),
                      filebuilders::volMember("c", Bytes(3, 3))};
    const fs::path path = archiveOf(fields);
    const VolWriteReport report = updateVolArchive(
        path, {replaceMember("a", memberBytes("a", Bytes(5, 9)))}, folder_ / "new.vol");
    EXPECT_EQ(report.alignment, 8);
    const ArchiveView after = viewOf(test::readFile(folder_ / "new.vol"));
    ASSERT_EQ(after.members.size(), 3u);
    EXPECT_EQ(after.members[0].dataOffset, 8);
    EXPECT_EQ(after.members[1].dataOffset, 24); // 8 + 8 + 5 = 21, up to 24
    EXPECT_EQ(after.members[2].dataOffset, 56);
    EXPECT_EQ(after.members[0].data, Bytes(5, 9));

    VolDirectory directory;
    const auto offsets = [&](std::initializer_list<std::int32_t> list) {
        directory.directoryEntries.clear();
        for (std::int32_t offset : list) {
            VolEntry entry;
            entry.dataOffset = offset;
            directory.directoryEntries.push_back(entry);
        }
        return sharedDataAlignment(directory);
    };
    EXPECT_EQ(offsets({4096, 8192, 12288}), 4096);
    EXPECT_EQ(offsets({1 << 20}), kMaxVolAlignment);
    EXPECT_EQ(offsets({12, 20}), 4);
    EXPECT_EQ(offsets({8, 19}), 1);
    EXPECT_EQ(offsets({0}), 1);
    EXPECT_EQ(offsets({}), 1);
}

TEST_F(VolWriter, TheShiftedLayoutKeepsItsOffsetSixteenShortOfTheDirectory) {
    VolFields fields;
    fields.magic = "VOLN";
    fields.members = {filebuilders::volMember("a.txt", Bytes(5, 1))};
    const fs::path path = archiveOf(fields);
    updateVolArchive(path, {removeMember("A.TXT")}, folder_ / "empty.vol");
    const Bytes empty = test::readFile(folder_ / "empty.vol");
    // Nothing left: the directory moves to byte 16 so that the field does not go below zero.
    EXPECT_EQ(ByteReader(empty).i32(4), 0);
    EXPECT_EQ(ByteReader(empty).tag(16), makeTag("vols"));
    EXPECT_TRUE(viewOf(empty).members.empty());
}

TEST_F(VolWriter, NamesAreCheckedAsExtractionChecksThem) {
    VolFields fields;
    fields.members = {filebuilders::volMember("textures\\Rock.bmp"),
                      filebuilders::volMember("packed.dat", {1}, 2)};
    const fs::path path = archiveOf(fields);
    const auto snapshot = test::treeSnapshot(folder_.path());
    const auto content = [] { return memberBytes("new", Bytes{7}); };
    const std::vector<std::pair<VolChange, std::string>> refused = {
        {addMember("CON", content()), "CON"},
        {addMember("sub/aux.txt", content()), "sub/aux.txt"},
        {addMember("..\\up.txt", content()), "..\\up.txt"},
        {addMember("/abs.txt", content()), "/abs.txt"},
        {addMember("a:b.txt", content()), "a:b.txt"},
        {addMember("snow\xE2\x98\x83.txt", content()), "snow\xE2\x98\x83.txt"}, // not in 1252
        {addMember("TEXTURES/rock.BMP", content()), "TEXTURES/rock.BMP"},       // already there
        {replaceMember("missing.bmp", content()), "missing.bmp"},
        {replaceMember("packed.dat", content()), "packed.dat"}, // compressed
        {removeMember("nothing"), "nothing"},
    };
    for (const auto& [change, subject] : refused) {
        SCOPED_TRACE(subject);
        try {
            updateVolArchive(path, {change});
            ADD_FAILURE() << "refused change was made";
        } catch (const Problem& problem) {
            EXPECT_EQ(problem.subject(), subject);
            EXPECT_EQ(problem.outcome(), Outcome::Refused);
        }
        EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);
    }
    EXPECT_THROW(updateVolArchive(path, {removeMember("packed.dat"), removeMember("PACKED.DAT")}),
                 Problem);
    EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);

    // A name typed with "/" and a Windows-1252 letter is stored with "\" and that letter's byte.
    updateVolArchive(path, {addMember("caf\xC3\xA9/menu.txt", content())});
    EXPECT_EQ(viewOf(test::readFile(path)).members.back().name, "caf\xE9\\menu.txt");
}

TEST_F(VolWriter, UpdatingInPlaceKeepsTheOriginalAsABackupBesideIt) {
    VolFields fields;
    fields.members = {filebuilders::volMember("a.txt", Bytes{1, 2})};
    const fs::path path = archiveOf(fields);
    const Bytes original = test::readFile(path);
    const Bytes olderBackup{9, 9, 9};
    test::writeFile(folder_ / "game.vol.bak", olderBackup);

    EXPECT_EQ(nextBackupPath(path), folder_ / "game.vol.2.bak");
    const VolWriteReport report =
        updateVolArchive(path, {addMember("b.txt", memberBytes("b", Bytes{3}))});
    ASSERT_TRUE(report.backupPath.has_value());
    EXPECT_EQ(*report.backupPath, folder_ / "game.vol.2.bak");
    EXPECT_EQ(test::readFile(folder_ / "game.vol.2.bak"), original);
    EXPECT_EQ(test::readFile(folder_ / "game.vol.bak"), olderBackup);
    EXPECT_EQ(report.added, std::vector<std::string>{"b.txt"});
    EXPECT_EQ(viewOf(test::readFile(path)).members.size(), 2u);

    VolWriteOptions noBackup;
    noBackup.keepBackup = false;
    const VolWriteReport second = updateVolArchive(path, {removeMember("b.txt")}, {}, noBackup);
    EXPECT_FALSE(second.backupPath.has_value());
    EXPECT_EQ(test::readFile(path), original);
    EXPECT_EQ(test::folderEntries(folder_.path()),
              (std::vector<std::string>{"game.vol", "game.vol.2.bak", "game.vol.bak"}));

    // Written elsewhere, the archive itself is only read.
    const VolWriteReport elsewhere = updateVolArchive(
        path, {replaceMember("a.txt", memberBytes("a", Bytes{5}))}, folder_ / "new.vol");
    EXPECT_FALSE(elsewhere.backupPath.has_value());
    EXPECT_EQ(test::readFile(path), original);
}

#ifndef _WIN32 // links need privileges there
TEST_F(VolWriter, AnArchiveReachedThroughALinkIsUpdatedWhereItLies) {
    VolFields fields;
    fields.members = {filebuilders::volMember("a.txt", Bytes{1})};
    const fs::path real = archiveOf(fields, "real.vol");
    const Bytes original = test::readFile(real);
    fs::create_symlink(real, folder_ / "link.vol");
    const VolWriteReport report =
        updateVolArchive(folder_ / "link.vol", {addMember("b.txt", memberBytes("b", {2}))});
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.vol"));
    EXPECT_EQ(viewOf(test::readFile(real)).members.size(), 2u);
    EXPECT_EQ(report.backupPath, std::optional(folder_ / "real.vol.bak"));
    EXPECT_EQ(test::readFile(folder_ / "real.vol.bak"), original);
}
#endif

// The write seam's faults: the original, the earlier backup and the folder stay as they were,
// and the message names the cause.
struct DiskFillsAfter : FileWriteSteps {
    explicit DiskFillsAfter(std::size_t bytes) : room(bytes) {}
    std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
        const std::size_t count = std::min(bytes.size(), room - std::min(room, used));
        used += count;
        return FileWriteSteps::write(scratch, bytes.first(count));
    }
    std::size_t room;
    mutable std::size_t used = 0;
};

struct RenameRefused : FileWriteSteps {
    void replace(const fs::path&, const fs::path&, std::error_code& error) const override {
        error = std::make_error_code(std::errc::permission_denied);
    }
};

// Writes everything, but one byte of the data goes wrong on its way to the disk.
struct FlipsOneByte : FileWriteSteps {
    std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
        Bytes copy(bytes.begin(), bytes.end());
        if (copy.size() > 20)
            copy[20] ^= 0x40;
        return FileWriteSteps::write(scratch, copy);
    }
};

struct CopyFails : FileWriteSteps {
    std::int64_t copy(int, int, std::int64_t, std::int64_t count) const override {
        errno = EIO;
        return count / 2;
    }
};

struct CountsWrites : FileWriteSteps {
    std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
        ++writes;
        return FileWriteSteps::write(scratch, bytes);
    }
    mutable int writes = 0;
};

// Claims a size without holding the bytes: the 2 GiB limit without a 2 GiB file.
class HugeContent final : public MemberContent {
public:
    explicit HugeContent(std::uint64_t size) : size_(size) {}
    std::string subject() const override { return "huge.bin"; }
    std::uint64_t size() const override { return size_; }
    void readNext(std::span<std::uint8_t>) override {
        ADD_FAILURE() << "the bytes of an archive past 2 GiB were read";
        throw Problem("huge.bin", "not held");
    }
    void finish() override {}

private:
    std::uint64_t size_;
};

TEST_F(VolWriter, AFailedUpdateLeavesTheOriginalAndTheBackupsAsTheyWere) {
    VolFields fields;
    // Larger than the smallest buffer, so that b.txt is copied file to file.
    fields.members = {filebuilders::volMember("a.txt", Bytes(100, 1)),
                      filebuilders::volMember("b.txt", Bytes(100, 2))};
    const fs::path path = archiveOf(fields);
    test::writeFile(folder_ / "game.vol.bak", Bytes{9});
    const auto snapshot = test::treeSnapshot(folder_.path());

    const DiskFillsAfter diskFull(30);
    const RenameRefused renameRefused;
    const FlipsOneByte flipsOneByte;
    const CopyFails copyFails;
    const std::vector<std::pair<const FileWriteSteps*, std::string>> faults = {
        {&diskFull, "No space left on device"},
        {&copyFails, "Input/output error"},
        {&renameRefused, "Permission denied"},
        {&flipsOneByte, "does not read back as it should"},
    };
    for (const auto& [steps, cause] : faults) {
        SCOPED_TRACE(cause);
        VolWriteOptions options;
        options.writeSteps = steps;
        options.bufferBytes = 64; // many pieces, so that a fault can strike in the middle
        try {
            updateVolArchive(path, {replaceMember("a.txt", memberBytes("a", Bytes(50, 7)))}, {},
                             options);
            ADD_FAILURE() << "a failed update was taken for a success";
        } catch (const Problem& problem) {
            EXPECT_EQ(problem.subject(), displayPath(path));
            EXPECT_NE(std::string(problem.what()).find(cause), std::string::npos) << problem.what();
        }
        EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);
    }
}

TEST_F(VolWriter, AnArchivePastTwoGibibytesIsRefusedBeforeAnythingIsWritten) {
    VolFields fields;
    fields.members = {filebuilders::volMember("a.txt", Bytes(40, 1))};
    const fs::path path = archiveOf(fields);
    const auto snapshot = test::treeSnapshot(folder_.path());
    const CountsWrites counted;
    VolWriteOptions options;
    options.writeSteps = &counted;

    const std::int64_t roomLeft = kMaxVolBytes - 200;
    const std::vector<std::vector<VolChange>> tooLarge = {
        {replaceMember("a.txt", std::make_shared<HugeContent>(std::uint64_t{1} << 31))},
        {addMember("big1", std::make_shared<HugeContent>(roomLeft / 2)),
         addMember("big2", std::make_shared<HugeContent>(roomLeft / 2 + 100))},
        {addMember("big", std::make_shared<HugeContent>(std::uint64_t{1} << 40))},
    };
    for (const auto& changes : tooLarge) {
        try {
            updateVolArchive(path, changes, {}, options);
            ADD_FAILURE() << "an archive past 2 GiB was written";
        } catch (const Problem& problem) {
            EXPECT_EQ(problem.subject(), displayPath(path));
            EXPECT_NE(std::string(problem.what()).find("2 GiB - 1"), std::string::npos);
        }
        EXPECT_EQ(counted.writes, 0);
        EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);
    }
}

TEST_F(VolWriter, MemberFilesAreStreamedAndCheckedAgainstWhatWasRead) {
    VolFields fields;
    fields.members = {filebuilders::volMember("big.dat", Bytes(10, 1))};
    const fs::path path = archiveOf(fields);
    Bytes large(300000);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i * 13 + i / 251);
    test::writeFile(folder_ / "large.bin", large);
    VolWriteOptions options;
    options.bufferBytes = 4096;
    std::int64_t lastProgress = 0;
    options.progress = [&](std::int64_t written, std::int64_t total) {
        EXPECT_LE(written, total);
        lastProgress = written;
    };
    const VolWriteReport report = updateVolArchive(
        path, {replaceMember("big.dat", memberFile(folder_ / "large.bin"))}, {}, options);
    EXPECT_EQ(lastProgress, report.length);
    EXPECT_EQ(viewOf(test::readFile(path)).members.at(0).data, large);
    EXPECT_EQ(report.replaced, std::vector<std::string>{"big.dat"});

    // A member file that is gone by the time it is read refuses the update whole.
    const auto snapshot = test::treeSnapshot(folder_.path());
    EXPECT_THROW(updateVolArchive(path, {addMember("x", memberFile(folder_ / "gone.bin"))}),
                 Problem);
    EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);
}

// A file's size is taken when its folder is listed; whatever happens to it before it is read is
// still caught, whether the last read finds the end itself or a read of its own does.
TEST(MemberFile, AFileChangedSinceItWasListedIsCaughtAsItIsRead) {
    const test::TempFolder folder;
    const std::string folderText = displayPath(folder.path() / "");
    const auto opener = std::make_shared<TreeFileOpener>(folderText);
    struct Case {
        std::size_t listed;
        std::size_t now;
        const char* failure; // nullptr when the file reads whole
    };
    const std::vector<Case> cases{{100, 100, nullptr},  {100, 101, "grew"},  {100, 4000, "grew"},
                                  {100, 99, "shorter"}, {100, 0, "shorter"}, {0, 0, nullptr},
                                  {0, 1, "grew"}};
    for (const Case& change : cases) {
        for (const bool throughOpener : {false, true}) {
            SCOPED_TRACE(std::to_string(change.listed) + " -> " + std::to_string(change.now));
            test::writeFile(folder / "f.bin", Bytes(change.now, 7));
            const auto content =
                memberFile(folderText + "f.bin", change.listed, throughOpener ? opener : nullptr);
            EXPECT_EQ(content->size(), change.listed);
            std::string failure;
            try {
                Bytes into(change.listed);
                const std::size_t firstPart = into.size() * 3 / 5;
                content->readNext(std::span(into).first(firstPart));
                content->readNext(std::span(into).subspan(firstPart));
                content->finish();
                EXPECT_EQ(into, Bytes(change.listed, 7));
            } catch (const Problem& problem) {
                EXPECT_EQ(problem.subject(), folderText + "f.bin");
                failure = problem.what();
            }
            if (change.failure == nullptr)
                EXPECT_EQ(failure, "");
            else
                EXPECT_NE(failure.find(change.failure), std::string::npos) << failure;
        }
    }
}

// Where the system cannot copy from one file system to another, the bytes go through a buffer.
TEST_F(VolWriter, KeptMembersAreCopiedWhereverTheNewArchiveGoes) {
    std::error_code error;
    if (!fs::is_directory("/dev/shm", error))
        GTEST_SKIP() << "no second file system to copy from";
    const test::TempFolder memory("/dev/shm");
    VolFields fields;
    Bytes large(200000);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i * 7 + i / 509);
    fields.members = {filebuilders::volMember("large.bin", large),
                      filebuilders::volMember("small.txt", Bytes{1})};
    const fs::path path = memory / "game.vol";
    filebuilders::writeVol(path, fields);
    VolWriteOptions options;
    options.bufferBytes = 4096;
    updateVolArchive(path, {replaceMember("small.txt", memberBytes("s", Bytes{2, 3}))},
                     folder_ / "new.vol", options);
    const ArchiveView after = viewOf(test::readFile(folder_ / "new.vol"));
    ASSERT_EQ(after.members.size(), 2u);
    EXPECT_EQ(after.members[0].data, large);
    EXPECT_EQ(after.members[1].data, (Bytes{2, 3}));
}

TEST_F(VolWriter, DamagedMembersCanOnlyBeRemoved) {
    VolFields fields;
    fields.members = {filebuilders::volMember("good.txt", Bytes{1}),
                      filebuilders::volMember("bad.txt", Bytes{2})};
    fields.members[1].dataOffset = 1 << 20;
    const fs::path path = archiveOf(fields);
    const auto snapshot = test::treeSnapshot(folder_.path());
    for (const VolChange& change :
         {addMember("x", memberBytes("x", {})), replaceMember("bad.txt", memberBytes("x", {}))}) {
        try {
            updateVolArchive(path, {change});
            ADD_FAILURE() << "an archive with a damaged member was rewritten";
        } catch (const Problem& problem) {
            EXPECT_EQ(problem.subject(), "bad.txt");
        }
    }
    EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);
    updateVolArchive(path, {removeMember("bad.txt")}, folder_ / "mended.vol");
    EXPECT_EQ(viewOf(test::readFile(folder_ / "mended.vol")).members.size(), 1u);
}

// The hostile archives every build runs through the reader: each is refused by a message, or
// rewritten (with a change, to go past the planning) into an archive that reads back whole.
TEST_F(VolWriter, HostileArchivesAreRefusedOrRewrittenWhole) {
    for (const auto& entry :
         fs::directory_iterator(fs::path(SKARDE_SOURCE_DIR) / "tests" / "data" / "vol")) {
        SCOPED_TRACE(entry.path().filename().string());
        const fs::path copy = folder_ / "hostile.vol";
        fs::copy_file(entry.path(), copy, fs::copy_options::overwrite_existing);
        const auto snapshot = test::treeSnapshot(folder_.path());
        try {
            updateVolArchive(copy, {addMember("added.txt", memberBytes("a", {1, 2}))},
                             folder_ / "new.vol");
        } catch (const Problem&) {
            EXPECT_EQ(test::treeSnapshot(folder_.path()), snapshot);
            continue;
        }
        const ArchiveView rewritten = viewOf(test::readFile(folder_ / "new.vol"));
        ASSERT_FALSE(rewritten.members.empty());
        EXPECT_EQ(rewritten.members.back().data, (Bytes{1, 2}));
        fs::remove(folder_ / "new.vol");
    }
}

TEST_F(VolWriter, PackCopiesTheModelsBytesIntoANewArchive) {
    VolFields fields;
    fields.magic = "VOLX";
    fields.namesTag = "NAMS";
    fields.entriesTag = "ENTS";
    fields.members = {filebuilders::volMember("first.txt", Bytes(3, 1))};
    fields.members[0].unusedField = 0xA1B2C3D4;
    fields.members[0].dataTag = "DATA";
    const fs::path model = archiveOf(fields, "model.vol");
    const Bytes modelBytes = test::readFile(model);
    test::writeFile(folder_ / "in" / "one.txt", Bytes{1, 2, 3, 4, 5});

    const VolWriteReport report =
        packVolArchive(model,
                       {addMember("one.txt", memberFile(folder_ / "in" / "one.txt")),
                        addMember("sub\\two.txt", memberBytes("two", Bytes{6}))},
                       folder_ / "packed.vol");
    EXPECT_FALSE(report.backupPath.has_value());
    EXPECT_EQ(test::readFile(model), modelBytes);
    const ArchiveView packed = viewOf(test::readFile(folder_ / "packed.vol"));
    EXPECT_EQ(packed.magic, makeTag("VOLX"));
    EXPECT_EQ(packed.namesTag, makeTag("NAMS"));
    EXPECT_EQ(packed.entriesTag, makeTag("ENTS"));
    ASSERT_EQ(packed.members.size(), 2u);
    EXPECT_EQ(packed.members[0].leadingField, 0xA1B2C3D4u);
    EXPECT_EQ(packed.members[0].dataHeader, (Bytes{'D', 'A', 'T', 'A', 5, 0, 0, 0}));
    EXPECT_EQ(packed.members[1].dataHeader, (Bytes{'D', 'A', 'T', 'A', 1, 0, 0, 0}));
    EXPECT_EQ(packed.members[1].name, "sub\\two.txt");

    // Without a first member there is nothing to copy, and nothing is invented.
    VolFields empty;
    const fs::path emptyModel = archiveOf(empty, "empty.vol");
    EXPECT_THROW(packVolArchive(emptyModel, {addMember("a", memberBytes("a", {1}))},
                                folder_ / "nothing.vol"),
                 Problem);
    EXPECT_FALSE(fs::exists(folder_ / "nothing.vol"));
}

// The check after writing compares fingerprints taken over pieces of different sizes.
TEST(ByteDigest, DependsOnTheBytesAndNotOnHowTheyWereCut) {
    std::mt19937 random(5);
    const Bytes bytes = randomBytes(random, 1000);
    ByteDigest whole;
    whole.add(bytes);
    for (std::size_t cut : {1u, 3u, 7u, 8u, 13u, 999u}) {
        ByteDigest pieces;
        for (std::size_t at = 0; at < bytes.size(); at += cut)
            pieces.add(std::span(bytes).subspan(at, std::min(cut, bytes.size() - at)));
        EXPECT_EQ(pieces.value(), whole.value()) << cut;
    }
    for (std::size_t at : {0u, 500u, 999u}) {
        Bytes changed = bytes;
        changed[at] ^= 1;
        ByteDigest other;
        other.add(changed);
        EXPECT_NE(other.value(), whole.value()) << at;
    }
    ByteDigest shorter;
    shorter.add(std::span(bytes).first(999));
    EXPECT_NE(shorter.value(), whole.value());
}

} // namespace
} // namespace skarde
