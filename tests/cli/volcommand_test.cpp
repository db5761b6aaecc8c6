#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::VolFields;
using filebuilders::volMember;
using filebuilders::VolMemberFields;
using test::readFile;
using test::runCli;

struct VolCommand : ::testing::Test {
    test::TempFolder root;
    fs::path out = root / "out";
    fs::path archive = root / "game.vol";
    void SetUp() override { fs::create_directory(out); }

    void writeArchive(std::vector<VolMemberFields> members) {
        VolFields fields;
        fields.members = std::move(members);
        filebuilders::writeVol(archive, fields);
    }
    test::CliRun extract(std::vector<std::string> extra) {
        std::vector<std::string> arguments{"vol", "extract", "-o", out.string(), archive.string()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return runCli(SKARDE_CLI, arguments);
    }
};

TEST_F(VolCommand, ListsEveryMemberInDirectoryOrder) {
    writeArchive({volMember("textures\\rock.bmp", Bytes(300, 1)), volMember("music.lzh", {1, 2}, 2),
                  volMember("caf\xE9\\a\tb.txt", {}), volMember("sound.wav", {1, 2, 3, 4})});
    const auto run = runCli(SKARDE_CLI, {"vol", "list", archive.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "stored\t300\ttextures\\rock.bmp\n"
                       "compressed\t2\tmusic.lzh\n"
                       "stored\t0\tcaf\xC3\xA9\\a?b.txt\n"
                       "stored\t4\tsound.wav\n");
}

TEST_F(VolCommand, ListingAMalformedArchiveNamesItAndExitsWithOne) {
    test::writeFile(archive, Bytes{'P', 'V', 'O', 'L', 0x10, 0, 0, 0});
    const auto run = runCli(SKARDE_CLI, {"vol", "list", archive.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(archive.string() + ": ", 0), 0u) << run.err;
}

TEST_F(VolCommand, ExtractsEveryStoredMemberWhenNoneIsNamed) {
    writeArchive(
        {volMember("a\\b\\c.txt", {1}), volMember("packed.lzh", {2}, 1), volMember("d.txt", {3})});
    const auto run = extract({});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "2 of 2 member(s) extracted.\n");
    EXPECT_EQ(readFile(out / "a" / "b" / "c.txt"), Bytes{1});
    EXPECT_EQ(readFile(out / "d.txt"), Bytes{3});
    EXPECT_EQ(test::folderEntries(out), (std::vector<std::string>{"a", "d.txt"}));
}

TEST_F(VolCommand, ExtractsTheNamedMembersAndReportsTheOthers) {
    writeArchive({volMember("Textures\\Rock.BMP", {1}), volMember("sound.wav", {2}),
                  volMember("music.lzh", {3}, 1), volMember("skip.txt", {4})});
    const auto run = extract({"textures/rock.bmp", "MUSIC.LZH", "missing.txt", "SOUND.wav"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "2 of 4 member(s) extracted.\n");
    EXPECT_NE(run.err.find("MUSIC.LZH: The member is compressed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("missing.txt: The archive holds no member"), std::string::npos);
    EXPECT_EQ(readFile(out / "Textures" / "Rock.BMP"), Bytes{1});
    EXPECT_EQ(readFile(out / "sound.wav"), Bytes{2});
    EXPECT_EQ(test::folderEntries(out), (std::vector<std::string>{"Textures", "sound.wav"}));
}

TEST_F(VolCommand, ConvertsBitmapsWithTheGivenPalettes) {
    const fs::path pals = root / "mypals";
    test::writeGreyPal(pals);
    test::writeFile(pals / "IceWorld.pal", test::makePal(42));
    filebuilders::PbmpFields world;
    world.paletteNumber = 1071;
    writeArchive({volMember("w.bmp", filebuilders::makePbmp(world)),
                  volMember("bad.bmp", {'B', 'A', 'D'}),
                  volMember("raw.wav", filebuilders::makePbmp(world))});
    const auto run = extract({"--convert", "--pals", pals.string(), "--world-palette", "iceworld"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "2 of 3 member(s) extracted.\n");
    EXPECT_EQ(run.err, "bad.bmp: This is not a valid Vidodaz Bitmap file\n");
    const Bytes bmp = readFile(out / "w.bmp");
    ASSERT_EQ(bmp.size(), 1086u);
    EXPECT_EQ(bmp[54], test::makePal(42)[26]); // blue of entry 0
    EXPECT_EQ(readFile(out / "raw.wav"), filebuilders::makePbmp(world));
    EXPECT_EQ(test::folderEntries(out), (std::vector<std::string>{"raw.wav", "w.bmp"}));
}

// Several times the copy buffer and the archive's read-ahead, with small members on either
// side, and with --convert (which only converts members named *bmp): every byte in its place.
TEST_F(VolCommand, ExtractsMembersLargerThanItsBuffersByteForByte) {
    Bytes large((std::size_t{5} << 19) + 3); // 2.5 MiB and 3 bytes
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i * 7 + i / 4099);
    writeArchive(
        {volMember("a.txt", {1}), volMember("d\\large.dat", large), volMember("z.txt", {2})});
    for (const char* convert : {"", "--convert"}) {
        fs::remove_all(out);
        const auto run = std::string(convert).empty() ? extract({}) : extract({convert});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, "3 of 3 member(s) extracted.\n");
        EXPECT_EQ(readFile(out / "d" / "large.dat"), large);
        EXPECT_EQ(readFile(out / "z.txt"), Bytes{2});
        EXPECT_EQ(test::folderEntries(out / "d"), std::vector<std::string>{"large.dat"});
    }
}

TEST_F(VolCommand, ExtractsIntoANewNestedFolder) {
    writeArchive({volMember("a.txt", {1})});
    out = root / "new" / "nested";
    const auto run = extract({});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(readFile(out / "a.txt"), Bytes{1});
}

TEST_F(VolCommand, RefusesMembersThatWouldLeaveTheOutputFolder) {
    writeArchive({volMember("..\\escape.txt", {1}), volMember("a\\..\\..\\up.txt", {2}),
                  volMember("/abs.txt", {3}), volMember("fine.txt", {4})});
    const auto before = test::treeSnapshot(root.path(), out);
    const auto run = extract({});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "1 of 4 member(s) extracted.\n");
    for (const char* name : {"..\\escape.txt: ", "a\\..\\..\\up.txt: ", "/abs.txt: "})
        EXPECT_NE(run.err.find(name), std::string::npos) << name << run.err;
    EXPECT_EQ(test::treeSnapshot(root.path(), out), before);
    EXPECT_EQ(test::folderEntries(out), std::vector<std::string>{"fine.txt"});
}

TEST_F(VolCommand, ListsADamagedMemberAsSuchAndExtractsTheOthers) {
    VolFields fields;
    fields.members = {volMember("lost.txt", {1, 2}), volMember("kept.txt", {3})};
    fields.members[0].size = 1 << 20; // runs past the end of the file
    filebuilders::writeVol(archive, fields);
    const auto list = runCli(SKARDE_CLI, {"vol", "list", archive.string()});
    EXPECT_EQ(list.exitStatus, 0) << list.err;
    EXPECT_EQ(list.out, "damaged\t1048576\tlost.txt\nstored\t1\tkept.txt\n");
    const auto run = extract({});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("lost.txt: "), std::string::npos) << run.err;
    EXPECT_EQ(test::folderEntries(out), std::vector<std::string>{"kept.txt"});
}

TEST_F(VolCommand, WritesNothingForAMalformedArchive) {
    VolFields fields;
    fields.members = {volMember("a.txt", {1})};
    fields.entriesLength = 16;
    filebuilders::writeVol(archive, fields);
    const auto before = test::treeSnapshot(root.path());
    const auto run = extract({});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err.rfind(archive.string() + ": ", 0), 0u) << run.err;
    EXPECT_EQ(test::treeSnapshot(root.path()), before);
}

TEST_F(VolCommand, RejectsMistakesInTheCommandLineWithTwo) {
    writeArchive({volMember("a.txt", {1})});
    const std::string a = archive.string();
    const std::vector<std::vector<std::string>> mistakes{
        {"vol"},
        {"vol", "unpack", a},
        {"vol", "list"},
        {"vol", "list", a, a},
        {"vol", "list", "--convert", a},
        {"vol", "extract", a},
        {"vol", "extract", "-o", out.string()},
        {"vol", "extract", "-o", a, a},
        {"vol", "extract", "-o", (root / "nowhere").string()},
        {"vol", "extract", "--bogus", "-o", out.string(), a},
    };
    for (const auto& arguments : mistakes) {
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(test::folderEntries(out).empty());
    EXPECT_FALSE(fs::exists(root / "nowhere"));
}

TEST(VolCommandHelp, DocumentsBothActions) {
    const auto run = runCli(SKARDE_CLI, {"--help"});
    for (const char* text : {"vol list ARCHIVE", "vol extract", "--convert", "[MEMBER...]"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    const auto commandHelp = runCli(SKARDE_CLI, {"vol", "extract", "--help"});
    EXPECT_EQ(commandHelp.exitStatus, 0);
    EXPECT_NE(commandHelp.out.find("--convert"), std::string::npos);
}

} // namespace
} // namespace skarde
