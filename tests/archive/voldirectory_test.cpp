#include "archive/voldirectory.h"
#include "archive/volmember.h"

#include "core/problem.h"
#include "fixtures/converterrig.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

#include <climits>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::makeVol;
using filebuilders::VolFields;
using filebuilders::volMember;
using filebuilders::VolMemberFields;
using test::writeFile;

std::vector<std::string> names(const VolDirectory& directory, bool stored) {
    std::vector<std::string> result;
    const auto& rows = stored ? directory.storedRows : directory.compressedRows;
    for (std::size_t row = 0; row < rows.size(); ++row)
        result.push_back(stored ? directory.storedEntry(row).name
                                : directory.compressedEntry(row).name);
    return result;
}

struct VolDirectoryReading : ::testing::Test {
    test::ConverterRig rig;
    fs::path archive = rig.in / "a.vol";

    VolDirectory load(const VolFields& fields) {
        writeFile(archive, makeVol(fields));
        return LoadVolDirectory(archive, rig.prompts);
    }
};

TEST_F(VolDirectoryReading, FindsTheDirectoryAtTheOffsetOrSixteenBeyondWithoutPvol) {
    struct Case {
        std::string magic;
        std::int64_t namesHeaderAt;
    };
    for (const Case& c : {Case{"PVOL", 1000}, Case{"VOLN", 1016}, Case{"pvol", 1016}}) {
        SCOPED_TRACE(c.magic);
        VolFields fields;
        fields.magic = c.magic;
        fields.directoryOffset = 1000;
        fields.directoryPosition = c.namesHeaderAt;
        fields.members = {volMember("first.txt"), volMember("second.txt")};
        const Bytes bytes = makeVol(fields);
        ASSERT_EQ(
            std::string(bytes.begin() + c.namesHeaderAt + 8, bytes.begin() + c.namesHeaderAt + 17),
            "first.txt");
        const VolDirectory directory = load(fields);
        EXPECT_EQ(names(directory, true), (std::vector<std::string>{"first.txt", "second.txt"}));
        EXPECT_EQ(directory.archivePath, archive);
    }
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(VolDirectoryReading, SkipsThePadByteAfterAnOddNamesBlock) {
    // Two names with their zero bytes: 15 + 22 = 37, then 15 + 21 = 36.
    for (const std::size_t secondLength : {21u, 20u}) {
        const std::string second(secondLength, 'n');
        VolFields fields;
        fields.padValue = 0xEE; // never part of a name
        fields.members = {volMember("textures\\a.bmp", {4, 5}), volMember(second, {6, 7, 8})};
        const Bytes bytes = makeVol(fields);
        const std::int64_t directoryAt = 8 + 10 + 11;
        const std::int64_t namesLength = ByteReader(bytes).i32(directoryAt + 4);
        SCOPED_TRACE(namesLength);
        ASSERT_EQ(namesLength, secondLength == 21u ? 37 : 36);
        const std::int64_t entriesHeaderAt = directoryAt + (namesLength == 37 ? 46 : 44);
        ASSERT_EQ(std::string(bytes.begin() + entriesHeaderAt, bytes.begin() + entriesHeaderAt + 4),
                  "voli");

        const VolDirectory directory = load(fields);
        ASSERT_EQ(directory.directoryEntries.size(), 2u);
        EXPECT_EQ(directory.directoryEntries[1].name, second);
        EXPECT_EQ(directory.directoryEntries[1].size, 3);
        EXPECT_EQ(directory.directoryEntries[1].dataOffset, 18);
    }
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(VolDirectoryReading, KeepsStoredAndCompressedMembersApartInDirectoryOrder) {
    VolFields fields;
    fields.members = {volMember("one.txt"), volMember("two.lzh", {9}, 3),
                      volMember("three.txt", {7, 7}), volMember("four.lzh", {}, 255)};
    const VolDirectory directory = load(fields);
    EXPECT_EQ(directory.storedRows, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(directory.compressedRows, (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(directory.storedEntry(1).name, "three.txt");
    EXPECT_EQ(directory.storedEntry(1).size, 2);
    EXPECT_EQ(names(directory, false), (std::vector<std::string>{"two.lzh", "four.lzh"}));
    EXPECT_EQ(directory.compressedEntry(1).compressionType, 255);
}

TEST_F(VolDirectoryReading, CutsNamesAtTheirFirstZeroByte) {
    VolFields fields;
    fields.members = {volMember("textures\\rock.bmp"), volMember("b.txt"), volMember("last")};
    fields.members[0].terminatingZeros = 2;
    fields.members[2].terminatingZeros = 0; // the last slice runs to the end of the block
    fields.members[1].name += std::string("\0junk", 5);
    fields.members[1].terminatingZeros = 1;
    const VolDirectory directory = load(fields);
    EXPECT_EQ(names(directory, true),
              (std::vector<std::string>{"textures\\rock.bmp", "b.txt", "last"}));
}

TEST_F(VolDirectoryReading, AcceptsEmptyDirectoriesAndReplacesTheLastArchiveWhole) {
    VolFields first;
    first.members = {volMember("a.txt"), volMember("b.lzh", {}, 1)};
    VolDirectory directory = load(first);
    ASSERT_EQ(directory.directoryEntries.size(), 2u);

    directory = load(VolFields{});
    EXPECT_TRUE(directory.directoryEntries.empty());
    EXPECT_TRUE(directory.storedRows.empty());
    EXPECT_TRUE(directory.compressedRows.empty());

    VolFields second;
    second.members = {volMember("c.txt")};
    directory = load(second);
    EXPECT_EQ(names(directory, true), std::vector<std::string>{"c.txt"});
    EXPECT_TRUE(directory.compressedRows.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
}

// Each archive is refused with one message naming it, and leaves an empty directory.
struct MalformedArchive {
    std::string what;
    Bytes bytes;
};

std::vector<MalformedArchive> malformedArchives() {
    const auto with = [](auto change) {
        VolFields fields;
        fields.members = {volMember("a.txt", {1, 2, 3, 4}), volMember("b.txt", {5, 6})};
        change(fields);
        return makeVol(fields);
    };
    Bytes cutInEntries = with([](VolFields&) {});
    cutInEntries.resize(cutInEntries.size() - 5);
    return {
        {"empty file", Bytes{}},
        {"header cut short", Bytes{'P', 'V', 'O', 'L', 8, 0}},
        {"directory beyond the end", with([](VolFields& s) { s.directoryOffset = 5000; })},
        {"directory header cut", with([](VolFields& s) {
             s.directoryOffset = static_cast<std::int32_t>(makeVol(s).size()) - 4;
         })},
        {"negative directory offset", with([](VolFields& s) { s.directoryOffset = -8; })},
        {"shifted offset overflowing", with([](VolFields& s) {
             s.magic = "XXXX";
             s.directoryOffset = INT_MAX;
         })},
        {"negative names length", with([](VolFields& s) { s.namesLength = -2; })},
        {"names length beyond the end", with([](VolFields& s) { s.namesLength = 100000; })},
        {"huge names length", with([](VolFields& s) { s.namesLength = INT_MAX; })},
        {"negative entries length", with([](VolFields& s) { s.entriesLength = -17; })},
        {"entries length not whole entries", with([](VolFields& s) {
             s.extraEntries = {0, 0, 0};
         })},
        {"entries length beyond the end", with([](VolFields& s) { s.entriesLength = 17 * 1000; })},
        {"huge entries length",
         with([](VolFields& s) { s.entriesLength = INT_MAX - INT_MAX % 17; })},
        {"entries cut short", cutInEntries},
        {"negative name offset", with([](VolFields& s) { s.members[0].nameOffset = -1; })},
        {"name offset beyond the names", with([](VolFields& s) { s.members[1].nameOffset = 13; })},
        {"name offsets out of order", with([](VolFields& s) {
             s.members[0].nameOffset = 6;
             s.members[1].nameOffset = 0;
         })},
    };
}

TEST_F(VolDirectoryReading, RefusesMalformedArchivesWithOneMessageNamingThem) {
    for (const MalformedArchive& malformed : malformedArchives()) {
        SCOPED_TRACE(malformed.what);
        test::RecordingPrompts prompts;
        writeFile(archive, malformed.bytes);
        const VolDirectory directory = LoadVolDirectory(archive, prompts);
        EXPECT_TRUE(directory.directoryEntries.empty());
        EXPECT_TRUE(directory.storedRows.empty());
        EXPECT_TRUE(directory.compressedRows.empty());
        EXPECT_EQ(directory.archivePath, archive);
        ASSERT_EQ(prompts.problems.size(), 1u);
        EXPECT_EQ(prompts.problems[0].rfind(archive.string() + ": ", 0), 0u) << prompts.problems[0];
    }
}

// One entry's data outside the file spoils that member only.
TEST_F(VolDirectoryReading, ListsEntriesWhoseDataLiesOutsideTheFileAsDamaged) {
    const auto with = [](auto change) {
        VolFields fields;
        fields.members = {volMember("a.txt", {1, 2, 3, 4}), volMember("b.txt", {5, 6})};
        change(fields);
        return makeVol(fields);
    };
    const std::vector<MalformedArchive> damaged{
        {"negative data offset", with([](VolFields& s) { s.members[1].dataOffset = -8; })},
        {"data offset beyond the end",
         with([](VolFields& s) { s.members[1].dataOffset = 1 << 30; })},
        {"data running past the end", with([](VolFields& s) { s.members[1].size = 1 << 20; })},
        {"negative size", with([](VolFields& s) { s.members[1].size = -1; })},
        {"negative size of a compressed member", with([](VolFields& s) {
             s.members[1].compressionType = 2;
             s.members[1].size = INT_MIN;
         })},
    };
    for (const MalformedArchive& archiveBytes : damaged) {
        SCOPED_TRACE(archiveBytes.what);
        test::RecordingPrompts prompts;
        writeFile(archive, archiveBytes.bytes);
        const VolDirectory directory = LoadVolDirectory(archive, prompts);
        EXPECT_TRUE(prompts.problems.empty());
        ASSERT_EQ(directory.directoryEntries.size(), 2u);
        EXPECT_FALSE(directory.directoryEntries[0].damaged);
        EXPECT_TRUE(directory.directoryEntries[1].damaged);
        EXPECT_EQ(ReadMemberData(archive, directory.directoryEntries[0]), (Bytes{1, 2, 3, 4}));
        try {
            ReadMemberData(archive, directory.directoryEntries[1]);
            ADD_FAILURE() << "read a damaged member";
        } catch (const Problem& problem) {
            EXPECT_EQ(problem.subject(), "b.txt");
        }
    }
}

TEST_F(VolDirectoryReading, RefusesWhatIsNoArchiveFile) {
    for (const fs::path& path : {rig.in / "missing.vol", rig.in}) {
        test::RecordingPrompts prompts;
        const VolDirectory directory = LoadVolDirectory(path, prompts);
        EXPECT_TRUE(directory.directoryEntries.empty());
        ASSERT_EQ(prompts.problems.size(), 1u);
        EXPECT_EQ(prompts.problems[0].rfind(path.string() + ": ", 0), 0u) << prompts.problems[0];
    }
}

TEST_F(VolDirectoryReading, ReadsAnArchiveHeldInMemory) {
    VolFields fields;
    fields.members = {volMember("m.txt", {1}), volMember("n.txt", {2}, 1)};
    VolArchive inMemory("memory.vol", makeVol(fields));
    const VolDirectory directory = readVolDirectory(inMemory);
    EXPECT_EQ(names(directory, true), std::vector<std::string>{"m.txt"});
    EXPECT_EQ(names(directory, false), std::vector<std::string>{"n.txt"});
}

} // namespace
} // namespace skarde
