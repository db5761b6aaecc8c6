#include "archive/volextraction.h"

#include "converters/pbmptobmp.h"
#include "core/fileio.h"
#include "fixtures/converterrig.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::VolFields;
using filebuilders::volMember;
using filebuilders::VolMemberFields;
using test::readFile;

Bytes pbmp(std::int32_t width = 3, std::int32_t height = 2) {
    return filebuilders::makePbmpOfSize(width, height);
}

bool isWindowsBitmap(const Bytes& bytes) {
    return bytes.size() >= 1078 && bytes[0] == 'B' && bytes[1] == 'M';
}

struct VolExtraction : ::testing::Test {
    test::ConverterRig rig;
    fs::path archive = rig.in / "a.vol";
    VolDirectory directory;
    std::vector<std::size_t> handledRows;
    // The caption while each row was handled, and whether the window showed then.
    std::vector<std::string> captionsSeen;
    bool shownThroughout = true;

    void load(const VolFields& fields) {
        filebuilders::writeVol(archive, fields);
        directory = LoadVolDirectory(archive, rig.prompts);
        ASSERT_TRUE(rig.prompts.problems.empty());
    }
    void load(std::vector<VolMemberFields> members) {
        VolFields fields;
        fields.members = std::move(members);
        load(fields);
    }
    std::vector<bool> all() const { return std::vector<bool>(directory.storedRows.size(), true); }

    ExtractionSummary extract(std::vector<bool> selection, bool convert = false,
                              fs::path outputFolder = {}, const MemberTransfer& transfer = {}) {
        ExtractionRequest request{std::move(selection),
                                  outputFolder.empty() ? rig.out : outputFolder, convert};
        ExtractionHooks hooks;
        hooks.rowHandled = [this](std::size_t row) {
            handledRows.push_back(row);
            captionsSeen.push_back(rig.progress.caption);
            shownThroughout = shownThroughout && rig.progress.visible;
        };
        return ExtractSelectedMembers(rig.context, directory, request, hooks, transfer);
    }
};

TEST_F(VolExtraction, WritesEachMembersBytesUnderItsOwnFolders) {
    load({volMember("textures\\rock.bmp", pbmp()), volMember("sound.wav", {1, 2, 3}),
          volMember("a\\b\\c.txt", {4}), volMember("empty.txt", {})});
    const ExtractionSummary summary = extract(all());
    EXPECT_EQ(summary.extracted, 4);
    EXPECT_EQ(summary.failed, 0);
    EXPECT_EQ(readFile(rig.out / "textures" / "rock.bmp"), pbmp());
    EXPECT_EQ(readFile(rig.out / "sound.wav"), (Bytes{1, 2, 3}));
    EXPECT_EQ(readFile(rig.out / "a" / "b" / "c.txt"), Bytes{4});
    EXPECT_TRUE(fs::is_regular_file(rig.out / "empty.txt"));
    EXPECT_EQ(fs::file_size(rig.out / "empty.txt"), 0u);
    EXPECT_EQ(test::folderEntries(rig.out),
              (std::vector<std::string>{"a", "empty.txt", "sound.wav", "textures"}));
    EXPECT_EQ(handledRows, (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST_F(VolExtraction, ConvertsMembersEndingInBmpInAnyCaseWhenAsked) {
    load({volMember("textures\\rock.bmp", pbmp()), volMember("UPPER.BMP", pbmp()),
          volMember("Mixed.Bmp", pbmp()), volMember("game.pbmp", pbmp()),
          volMember("sound.wav", pbmp())});
    EXPECT_EQ(extract(all(), true).extracted, 5);
    for (const fs::path& converted : {rig.out / "textures" / "rock.bmp", rig.out / "UPPER.BMP",
                                      rig.out / "Mixed.Bmp", rig.out / "game.pbmp"})
        EXPECT_TRUE(isWindowsBitmap(readFile(converted))) << converted;
    EXPECT_EQ(readFile(rig.out / "sound.wav"), pbmp());
    EXPECT_FALSE(fs::exists(rig.out / "temp.bmp"));
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
}

TEST_F(VolExtraction, ConvertsEachBitmapAtItsOwnSize) {
    load({volMember("big.bmp", pbmp(64, 32)), volMember("not.bmp", {1, 2, 3})});
    extract(all(), true);
    const Bytes big = readFile(rig.out / "big.bmp");
    ASSERT_GE(big.size(), 54u);
    EXPECT_EQ(ByteReader(big).i32(18), 64); // biWidth
    EXPECT_EQ(ByteReader(big).i32(22), 32); // biHeight
}

TEST_F(VolExtraction, WritesNothingForARejectedBitmapAndGoesOn) {
    Bytes truncated = pbmp();
    truncated.resize(50);
    load({volMember("bad.bmp", {'N', 'O', 'P', 'E'}), volMember("short.bmp", truncated),
          volMember("good.bmp", pbmp())});
    const ExtractionSummary summary = extract(all(), true);
    EXPECT_EQ(summary.extracted, 1);
    EXPECT_EQ(summary.failed, 2);
    EXPECT_EQ(rig.prompts.messages,
              std::vector<std::string>{std::string(kNotVidodazBitmapMessage)});
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0].rfind("short.bmp: ", 0), 0u) << rig.prompts.problems[0];
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"good.bmp"});
    EXPECT_EQ(handledRows, (std::vector<std::size_t>{0, 1, 2}));
}

TEST_F(VolExtraction, ConvertsMembersNamedTempLikeAnyOther) {
    load({volMember("temp.bmp", pbmp()), volMember("~TEMP.BMP", pbmp()),
          volMember("later.bmp", pbmp()), volMember("d\\temp.bmp", pbmp())});
    EXPECT_EQ(extract(all(), true).extracted, 4);
    for (const fs::path& name : {fs::path("temp.bmp"), fs::path("~TEMP.BMP"), fs::path("later.bmp"),
                                 fs::path("d") / "temp.bmp"})
        EXPECT_TRUE(isWindowsBitmap(readFile(rig.out / name))) << name;
    EXPECT_EQ(test::folderEntries(rig.out),
              (std::vector<std::string>{"d", "later.bmp", "temp.bmp", "~TEMP.BMP"}));
}

// Converted members go from memory to their place: the user's own files of any name, beside
// them in the output folder, are neither replaced nor deleted, however the conversions end.
TEST_F(VolExtraction, LeavesTheUsersOwnFilesBesideConvertedMembersAlone) {
    const std::vector<std::string> own{"temp.bmp", "temp1.bmp", "temp2.bmp", "~temp.bmp"};
    for (const std::string& name : own)
        test::writeFile(rig.out / name, Bytes(name.begin(), name.end()));
    load({volMember("rock.bmp", pbmp()), volMember("bad.bmp", {'N', 'O'}),
          volMember("d\\sky.bmp", pbmp()), volMember("sound.wav", {1})});
    EXPECT_EQ(extract(all(), true).extracted, 3);
    for (const std::string& name : own)
        EXPECT_EQ(readFile(rig.out / name), Bytes(name.begin(), name.end())) << name;
    EXPECT_EQ(test::folderEntries(rig.out),
              (std::vector<std::string>{"d", "rock.bmp", "sound.wav", "temp.bmp", "temp1.bmp",
                                        "temp2.bmp", "~temp.bmp"}));
    EXPECT_EQ(test::folderEntries(rig.out / "d"), std::vector<std::string>{"sky.bmp"});
}

TEST_F(VolExtraction, MovesTheUpperBarAfterEveryRow) {
    load({volMember("0.txt", {0}), volMember("1.txt", {1}), volMember("2.txt", {2}),
          volMember("3.txt", {3}), volMember("4.txt", {4})});
    const ExtractionSummary summary = extract({true, false, true, true, false});
    EXPECT_EQ(summary.selected, 3);
    EXPECT_EQ(rig.progress.minimum(Bar::Files), 0);
    EXPECT_EQ(rig.progress.maximum(Bar::Files), 3);
    EXPECT_EQ(rig.progress.positions(Bar::Files), (std::vector<int>{1, 1, 2, 3, 3}));
    EXPECT_EQ(handledRows, (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"0.txt", "2.txt", "3.txt"}));
    EXPECT_EQ(captionsSeen, (std::vector<std::string>{"Progress - 0.txt", "Progress - 2.txt",
                                                      "Progress - 3.txt"}));
    EXPECT_TRUE(shownThroughout);
    EXPECT_EQ(rig.progress.caption, "Progress");
    EXPECT_FALSE(rig.progress.visible);
}

TEST_F(VolExtraction, ShowsAndHidesTheProgressWhenNothingIsSelected) {
    load({volMember("a.txt", {1}), volMember("b.txt", {2})});
    EXPECT_EQ(extract({}).selected, 0);
    EXPECT_EQ(rig.progress.maximum(Bar::Files), 0);
    EXPECT_EQ(rig.progress.positions(Bar::Files), (std::vector<int>{0, 0}));
    EXPECT_NE(std::find(rig.progress.calls.begin(), rig.progress.calls.end(), "show"),
              rig.progress.calls.end());
    EXPECT_EQ(rig.progress.caption, "Progress");
    EXPECT_FALSE(rig.progress.visible);
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
    EXPECT_TRUE(handledRows.empty());
}

TEST_F(VolExtraction, ReplacesALongerFileWhole) {
    test::writeFile(rig.out / "a.txt", Bytes(5000, 0x55));
    load({volMember("a.txt", {1, 2})});
    extract(all());
    EXPECT_EQ(readFile(rig.out / "a.txt"), (Bytes{1, 2}));
}

// Files in folders the run made are written without a look first; a second member of the same
// name, or a folder the run made where a member goes, must still be handled as before.
TEST_F(VolExtraction, HandlesNamesMetTwiceInFoldersTheRunMade) {
    load({volMember("d\\a.txt", {1}), volMember("d\\x\\y.txt", {2}), volMember("d\\a.txt", {4}),
          volMember("d\\x", {5})});
    const ExtractionSummary summary = extract(all());
    EXPECT_EQ(summary.extracted, 3);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0],
              "d\\x: A folder of this name stands where the file should go. (" +
                  displayPath(rig.out / "d" / "x") + ")");
    EXPECT_EQ(readFile(rig.out / "d" / "a.txt"), Bytes{4});
    EXPECT_EQ(readFile(rig.out / "d" / "x" / "y.txt"), Bytes{2});
    EXPECT_EQ(test::folderEntries(rig.out / "d"), (std::vector<std::string>{"a.txt", "x"}));
}

// Small members are written ahead of their turn; a file and a folder of one name must still
// come out as they would one member after the other.
TEST_F(VolExtraction, KeepsDirectoryOrderWhereAFileAndAFolderShareAName) {
    load(
        {volMember("a", {1}), volMember("a\\b", {2}), volMember("c\\x", {3}), volMember("c", {4})});
    const ExtractionSummary summary = extract(all());
    EXPECT_EQ(summary.extracted, 2);
    EXPECT_EQ(rig.prompts.problems,
              (std::vector<std::string>{"a\\b: A file stands where the folder " +
                                            displayPath(rig.out / "a") + " should be.",
                                        "c: A folder of this name stands where the file should "
                                        "go. (" +
                                            displayPath(rig.out / "c") + ")"}));
    EXPECT_EQ(readFile(rig.out / "a"), Bytes{1});
    EXPECT_EQ(readFile(rig.out / "c" / "x"), Bytes{3});
}

// However far ahead files are written, each member's outcome is told in its own turn, between
// those of the members around it, with its own caption.
TEST_F(VolExtraction, TellsEachMembersOutcomeInItsTurn) {
    struct OneFileRefused : FileWriteSteps {
        void replace(const fs::path& scratch, const fs::path& destination,
                     std::error_code& error) const override {
            if (destination.filename() == "bad.txt")
                error = std::make_error_code(std::errc::io_error);
            else
                FileWriteSteps::replace(scratch, destination, error);
        }
    };
    std::vector<VolMemberFields> members;
    for (int i = 0; i < 150; ++i) {
        std::string name = i == 70 ? std::string("d\\bad.txt") : "d\\m" + std::to_string(i);
        members.push_back(volMember(i == 71 ? "..\\up" : name, {static_cast<std::uint8_t>(i)}));
    }
    load(members);
    const OneFileRefused steps;
    MemberTransfer transfer;
    transfer.writeSteps = &steps;
    const ExtractionSummary summary = extract(all(), false, {}, transfer);
    EXPECT_EQ(summary.extracted, 148);
    EXPECT_EQ(summary.failed, 2);
    ASSERT_EQ(rig.prompts.problems.size(), 2u);
    EXPECT_EQ(rig.prompts.problems[0].rfind("d\\bad.txt: The file cannot be written: ", 0), 0u)
        << rig.prompts.problems[0];
    EXPECT_EQ(rig.prompts.problems[1].rfind("..\\up: ", 0), 0u) << rig.prompts.problems[1];
    ASSERT_EQ(handledRows.size(), 150u);
    for (std::size_t row = 0; row < 150; ++row)
        EXPECT_EQ(handledRows[row], row);
    EXPECT_EQ(captionsSeen[69], "Progress - d\\m69");
    EXPECT_EQ(captionsSeen[70], "Progress - d\\bad.txt");
    EXPECT_EQ(readFile(rig.out / "d" / "m149"), Bytes{149});
    EXPECT_EQ(test::folderEntries(rig.out / "d").size(), 148u); // no scratch files
}

TEST_F(VolExtraction, TakesAnOutputFolderEndingInASeparatorAsItIs) {
    load({volMember("x.txt", {1}), volMember("d\\y.txt", {2})});
    extract(all(), false, fs::path(rig.out.string() + "/"));
    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"d", "x.txt"}));
    EXPECT_EQ(captionsSeen.front(), "Progress - x.txt");
}

TEST_F(VolExtraction, RefusesNamesLeavingTheOutputFolderAndGoesOn) {
    const std::vector<std::string> unsafe{"..\\x",  "a\\..\\..\\x", "\\abs", "C:\\x", "",
                                          "/tmp/x", "a/../../y",    "d\\",   "...\\z"};
    std::vector<VolMemberFields> members;
    for (const std::string& name : unsafe)
        members.push_back(volMember(name, {6, 6, 6}));
    members.push_back(volMember("safe\\ok.txt", {1}));
    load(members);
    fs::create_directories(rig.root / "in" / "sub");
    const auto before = test::treeSnapshot(rig.root.path(), rig.out);

    const ExtractionSummary summary = extract(all(), true);
    EXPECT_EQ(summary.failed, static_cast<int>(unsafe.size()));
    EXPECT_EQ(summary.extracted, 1);
    EXPECT_EQ(test::treeSnapshot(rig.root.path(), rig.out), before);
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"safe"});
    EXPECT_EQ(readFile(rig.out / "safe" / "ok.txt"), Bytes{1});
    ASSERT_EQ(rig.prompts.problems.size(), unsafe.size());
    for (std::size_t i = 0; i < unsafe.size(); ++i) {
        const std::string subject = unsafe[i].empty() ? "(a member without a name)" : unsafe[i];
        EXPECT_EQ(rig.prompts.problems[i].rfind(subject + ": ", 0), 0u) << rig.prompts.problems[i];
    }
    EXPECT_EQ(handledRows.size(), unsafe.size() + 1);
}

TEST_F(VolExtraction, RefusesMembersWhoseDataLiesOutsideTheArchive) {
    VolFields fields;
    fields.members = {volMember("long.txt", {1, 2}), volMember("next.txt", {3})};
    fields.members[0].size = 1 << 30;
    load(fields);
    const auto before = test::treeSnapshot(rig.root.path(), rig.out);
    const ExtractionSummary summary = extract(all());
    EXPECT_EQ(summary.failed, 1);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0].rfind("long.txt: ", 0), 0u);
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"next.txt"});
    EXPECT_EQ(test::treeSnapshot(rig.root.path(), rig.out), before);
}

TEST_F(VolExtraction, ReportsMembersThatCannotBeWrittenAndGoesOn) {
    test::writeFile(rig.out / "a", Bytes{7});
    fs::create_directory(rig.out / "folder.txt");
    load({volMember("a\\b.txt", {1}), volMember("folder.txt", {2}), volMember("fine.txt", {3})});
    const ExtractionSummary summary = extract(all());
    EXPECT_EQ(summary.failed, 2);
    ASSERT_EQ(rig.prompts.problems.size(), 2u);
    EXPECT_EQ(rig.prompts.problems[0].rfind("a\\b.txt: ", 0), 0u) << rig.prompts.problems[0];
    EXPECT_EQ(rig.prompts.problems[1].rfind("folder.txt: ", 0), 0u) << rig.prompts.problems[1];
    EXPECT_EQ(readFile(rig.out / "a"), Bytes{7});
    EXPECT_EQ(readFile(rig.out / "fine.txt"), Bytes{3});
}

TEST_F(VolExtraction, ReportsAVanishedOutputFolderForEveryMember) {
    load({volMember("x.txt", {1}), volMember("d\\y.bmp", pbmp())});
    const ExtractionSummary summary = extract(all(), true, rig.out / "gone");
    EXPECT_EQ(summary.failed, 2);
    ASSERT_EQ(rig.prompts.problems.size(), 2u);
    EXPECT_EQ(rig.prompts.problems[0].rfind("x.txt: ", 0), 0u) << rig.prompts.problems[0];
    EXPECT_EQ(rig.prompts.problems[1].rfind("d\\y.bmp: ", 0), 0u) << rig.prompts.problems[1];
    EXPECT_FALSE(fs::exists(rig.out / "gone"));
}

TEST_F(VolExtraction, ReportsAnArchiveGoneSinceItWasLoadedOnce) {
    load({volMember("x.txt", {1}), volMember("y.txt", {2})});
    fs::remove(archive);
    const ExtractionSummary summary = extract(all());
    EXPECT_EQ(summary.failed, 2);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0].rfind(archive.string() + ": ", 0), 0u);
    EXPECT_TRUE(test::folderEntries(rig.out).empty());
    EXPECT_TRUE(handledRows.empty());
    EXPECT_FALSE(rig.progress.visible);
}

// Bytes that tell a piece written twice, dropped or shifted.
Bytes countingBytes(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}

// What the disk was given, write by write (small members are written on a second thread).
struct RecordingWrites : FileWriteSteps {
    mutable std::mutex mutex;
    mutable std::vector<std::size_t> sizes;
    std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
        {
            const std::lock_guard lock(mutex);
            sizes.push_back(bytes.size());
        }
        return FileWriteSteps::write(scratch, bytes);
    }
};

// A copy buffer of 64 bytes and a cap on whole reads of 100 stand in for 1 MiB and 1 GiB: a
// member read whole would be refused, one written whole would show as one large write.
MemberTransfer smallTransfer(const FileWriteSteps* steps = nullptr) {
    MemberTransfer transfer;
    transfer.copyBufferBytes = 64;
    transfer.maxWholeMemberBytes = 100;
    transfer.writeSteps = steps;
    return transfer;
}

// Appended, not joined by operator+, on which MinGW's g++ 12 warns (-Wrestrict, wrongly).
std::string fileNameForSize(std::size_t size) {
    std::string name = "m";
    name += std::to_string(size);
    name += ".bmp";
    return name;
}

TEST_F(VolExtraction, CopiesMembersOfAnySizeABufferAtATime) {
    const std::vector<std::size_t> sizes{1000, 128, 64, 65, 1, 0};
    std::vector<VolMemberFields> members;
    for (const std::size_t size : sizes) {
        std::string name = "d\\";
        name += fileNameForSize(size);
        members.push_back(volMember(name, countingBytes(size)));
    }
    load(members);
    const RecordingWrites writes;
    const ExtractionSummary summary = extract(all(), false, {}, smallTransfer(&writes));
    EXPECT_EQ(summary.extracted, 6);
    EXPECT_TRUE(rig.prompts.problems.empty()) << rig.prompts.problems.front();
    for (const std::size_t size : sizes)
        EXPECT_EQ(readFile(rig.out / "d" / fileNameForSize(size)), countingBytes(size)) << size;
    EXPECT_EQ(test::folderEntries(rig.out / "d").size(), sizes.size()); // no scratch files
    ASSERT_FALSE(writes.sizes.empty());
    EXPECT_EQ(*std::max_element(writes.sizes.begin(), writes.sizes.end()), 64u);
    // 16 + 2 + 1 + 2 + 1 + 0: the bytes go out as they are read, never gathered first.
    EXPECT_EQ(writes.sizes.size(), 22u);
}

TEST_F(VolExtraction, RefusesToConvertAMemberAboveTheWholeReadCapByName) {
    load({volMember("big.bmp", pbmp(64, 32)), volMember("small.bmp", {1, 2, 3}),
          volMember("big.dat", pbmp(64, 32))});
    const auto before = test::treeSnapshot(rig.root.path(), rig.out);
    const ExtractionSummary summary = extract({true, false, false}, true, {}, smallTransfer());
    EXPECT_EQ(summary.failed, 1);
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0],
              "big.bmp: The member is " + std::to_string(pbmp(64, 32).size()) +
                  " bytes long; members above 100 bytes are not read whole, as no game image "
                  "is that large.");
    EXPECT_EQ(test::treeSnapshot(rig.root.path(), rig.out), before);
    // Under the cap a member is read whole and converted (and refused as no game image here);
    // a member that is not converted is copied whatever its size.
    extract({false, true, true}, true, {}, smallTransfer());
    EXPECT_EQ(rig.prompts.messages,
              std::vector<std::string>{std::string(kNotVidodazBitmapMessage)});
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"big.dat"});
    EXPECT_EQ(readFile(rig.out / "big.dat"), pbmp(64, 32));
}

// A disk that fills up, an archive that shrinks while it is read, a rename the system refuses:
// whichever way a copy fails half-way, the older file comes through whole, with its
// permissions, and no scratch file is left.
TEST_F(VolExtraction, AFailedCopyLeavesTheOlderFileWholeAndNoScratchFile) {
    struct DiskFullAfter200Bytes : FileWriteSteps {
        mutable std::size_t room = 200;
        std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
            const std::size_t taken =
                FileWriteSteps::write(scratch, bytes.first(std::min(room, bytes.size())));
            room -= taken;
            return taken;
        }
    };
    struct ArchiveShrinksOnFirstWrite : FileWriteSteps {
        fs::path archive;
        std::size_t write(int scratch, std::span<const std::uint8_t> bytes) const override {
            fs::resize_file(archive, 300);
            return FileWriteSteps::write(scratch, bytes);
        }
    };
    struct RenameRefused : FileWriteSteps {
        void replace(const fs::path&, const fs::path&, std::error_code& error) const override {
            error = std::make_error_code(std::errc::io_error);
        }
    };
    const DiskFullAfter200Bytes diskFull;
    ArchiveShrinksOnFirstWrite archiveShrinks;
    archiveShrinks.archive = archive;
    const RenameRefused renameRefused;
    const Bytes older(5000, 0x11);
    // Larger than the archive's 1 MiB read-ahead, which would otherwise hold all of it already.
    const Bytes copied = countingBytes((std::size_t{1} << 20) + 1000);
#ifndef _WIN32 // Windows files have no owner and group permission bits
    const fs::perms chosen = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
#endif
    for (const FileWriteSteps* steps :
         std::initializer_list<const FileWriteSteps*>{&diskFull, &archiveShrinks, &renameRefused}) {
        rig.prompts.problems.clear();
        load({volMember("d\\big.dat", copied)});
        test::writeFile(rig.out / "d" / "big.dat", older);
#ifndef _WIN32
        fs::permissions(rig.out / "d" / "big.dat", chosen);
#endif
        const ExtractionSummary summary = extract(all(), false, {}, smallTransfer(steps));
        EXPECT_EQ(summary.failed, 1);
        ASSERT_EQ(rig.prompts.problems.size(), 1u);
        EXPECT_EQ(rig.prompts.problems[0].rfind("d\\big.dat: ", 0), 0u) << rig.prompts.problems[0];
        EXPECT_EQ(readFile(rig.out / "d" / "big.dat"), older);
        EXPECT_EQ(test::folderEntries(rig.out / "d"), std::vector<std::string>{"big.dat"});
#ifndef _WIN32
        EXPECT_EQ(fs::status(rig.out / "d" / "big.dat").permissions(), chosen);
#endif
    }
    // A copy that succeeds replaces the file, which keeps its permissions too.
    rig.prompts.problems.clear();
    load({volMember("d\\big.dat", copied)});
    EXPECT_EQ(extract(all(), false, {}, smallTransfer()).extracted, 1);
    EXPECT_EQ(readFile(rig.out / "d" / "big.dat"), copied);
#ifndef _WIN32
    EXPECT_EQ(fs::status(rig.out / "d" / "big.dat").permissions(), chosen);
#endif
}

// Memory-backed when the machine has such a folder: the test is about counts, not disks.
fs::path manyFilesBase() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

TEST(VolExtractionAtScale, ListsAndExtractsThirtyThousandMembers) {
    test::TempFolder root(manyFilesBase());
    test::RecordingProgress progress;
    test::RecordingPrompts prompts;
    ConverterContext context{progress, prompts, root / "pals"};
    const fs::path archive = root / "big.vol";
    const fs::path out = root / "out";
    fs::create_directory(out);
    constexpr int kMembers = 30000;
    VolFields fields;
    for (int i = 0; i < kMembers; ++i) {
        fields.members.push_back(
            volMember("d" + std::to_string(i / 1000) + "\\m" + std::to_string(i),
                      {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)}));
        if (i % 10 == 9)
            fields.members.back().compressionType = 1;
    }
    filebuilders::writeVol(archive, fields);
    const VolDirectory directory = LoadVolDirectory(archive, prompts);
    ASSERT_EQ(directory.directoryEntries.size(), static_cast<std::size_t>(kMembers));
    ASSERT_EQ(directory.storedRows.size(), 27000u);
    ASSERT_EQ(directory.compressedRows.size(), 3000u);
    EXPECT_EQ(directory.storedEntry(26999).name, "d29\\m29998");
    EXPECT_EQ(directory.compressedEntry(2999).name, "d29\\m29999");

    const ExtractionSummary summary =
        ExtractSelectedMembers(context, directory, {std::vector<bool>(27000, true), out, false});
    EXPECT_EQ(summary.extracted, 27000);
    EXPECT_TRUE(prompts.problems.empty());
    EXPECT_EQ(progress.maximum(Bar::Files), 27000);
    EXPECT_EQ(progress.positions(Bar::Files).back(), 27000);
    EXPECT_EQ(test::folderEntries(out).size(), 30u);
    EXPECT_EQ(test::folderEntries(out / "d17").size(), 900u);
    EXPECT_EQ(readFile(out / "d0" / "m0"), (Bytes{0, 0}));
    EXPECT_EQ(readFile(out / "d29" / "m29998"), (Bytes{0x2E, 0x75}));
    EXPECT_FALSE(fs::exists(out / "d29" / "m29999"));
}

} // namespace
} // namespace skarde
