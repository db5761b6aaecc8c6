#include "fixtures/clirunner.h"
#include "fixtures/palfixture.h"
#include "fixtures/redirectedrun.h"
#include "fixtures/tempfolder.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/bmpbuilder.h"
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
    EXPECT_EQ(run.out, "2 of 3 members extracted; 1 compressed member skipped (compressed members "
                       "cannot be extracted).\n");
    EXPECT_EQ(readFile(out / "a" / "b" / "c.txt"), Bytes{1});
    EXPECT_EQ(readFile(out / "d.txt"), Bytes{3});
    EXPECT_EQ(test::folderEntries(out), (std::vector<std::string>{"a", "d.txt"}));
}

TEST_F(VolCommand, ExtractsTheNamedMembersAndReportsTheOthers) {
    writeArchive({volMember("Textures\\Rock.BMP", {1}), volMember("sound.wav", {2}),
                  volMember("music.lzh", {3}, 1), volMember("skip.txt", {4})});
    const auto run = extract({"textures/rock.bmp", "MUSIC.LZH", "missing.txt", "SOUND.wav"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "2 of 4 members extracted; 1 compressed member skipped (compressed members "
                       "cannot be extracted).\n");
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
    EXPECT_EQ(run.out, "2 of 3 members extracted.\n");
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
        EXPECT_EQ(run.out, "3 of 3 members extracted.\n");
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
    EXPECT_EQ(run.out, "1 of 4 members extracted.\n");
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
        {"vol", "list", a, "\\"},
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

// A file that reads as an archive of nothing is most likely no archive at all.
TEST_F(VolCommand, SaysNoMembersForAnArchiveOfNothingAndExitsWithOne) {
    writeArchive({});
    const auto list = runCli(SKARDE_CLI, {"vol", "list", archive.string()});
    EXPECT_EQ(list.exitStatus, 1);
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(list.err,
              archive.string() + ": no members; the file may not be an archive at all.\n");
    out = root / "new";
    const auto run = extract({});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, list.err);
    EXPECT_FALSE(fs::exists(out));
}

// --convert turns game bitmaps into Windows bitmaps; one that is a Windows bitmap already is
// written as it is, and said so.
TEST_F(VolCommand, WritesAMemberThatIsAWindowsBitmapAlreadyAsItIs) {
    const Bytes windows = filebuilders::makeBmp({});
    writeArchive({volMember("crest.bmp", windows),
                  volMember("dunes.bmp", filebuilders::makePbmp({})),
                  volMember("packed.bmp", {1}, 2)});
    const fs::path pals = root / "mypals"; // with the palette dunes.bmp names
    test::writeGreyPal(pals);
    test::writeFile(pals / "500.pal", test::makePal(5));
    const auto run = extract({"--convert", "--pals", pals.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err,
              "crest.bmp: already a Windows bitmap, not a game bitmap; written as it is\n");
    EXPECT_EQ(run.out, "2 of 3 members extracted; 1 compressed member skipped (compressed members "
                       "cannot be extracted).\n");
    EXPECT_EQ(readFile(out / "crest.bmp"), windows);
    EXPECT_EQ(readFile(out / "dunes.bmp").size(), 1086u);
}

TEST_F(VolCommand, ChoosesMembersByWildcardsAndFoldersAsArchiversDo) {
    writeArchive({volMember("textures\\Rock.bmp", {1}), volMember("textures\\sub\\sand.BMP", {2}),
                  volMember("textures.txt", {3}), volMember("readme.txt", {4}),
                  volMember("docs\\a.txt", {5}), volMember("b.wav", {6}),
                  volMember("music.lzh", {7}, 1), volMember("caf\xE9.wav", {8})});
    struct Choice {
        std::vector<std::string> patterns;
        std::vector<std::string> chosen; // as listed
    };
    const std::vector<Choice> choices{
        {{"textures\\*.bmp"}, {"textures\\Rock.bmp", "textures\\sub\\sand.BMP"}},
        {{"TEXTURES"}, {"textures\\Rock.bmp", "textures\\sub\\sand.BMP"}},
        {{"textures\\"}, {"textures\\Rock.bmp", "textures\\sub\\sand.BMP"}},
        {{"textures/"}, {"textures\\Rock.bmp", "textures\\sub\\sand.BMP"}},
        {{"textures/sub"}, {"textures\\sub\\sand.BMP"}},
        {{"*.txt"}, {"textures.txt", "readme.txt", "docs\\a.txt"}},
        {{"?.wav"}, {"b.wav"}},
        {{"caf?.wav"}, {"caf\xC3\xA9.wav"}},
        {{"*.TXT", "b.wav"}, {"textures.txt", "readme.txt", "docs\\a.txt", "b.wav"}},
        {{"text"}, {}},
        {{"*.lzh"}, {"music.lzh"}},
    };
    for (const Choice& choice : choices) {
        SCOPED_TRACE(testing::PrintToString(choice.patterns));
        std::vector<std::string> arguments{"vol", "list", archive.string()};
        arguments.insert(arguments.end(), choice.patterns.begin(), choice.patterns.end());
        const auto list = runCli(SKARDE_CLI, arguments);
        std::string listed;
        for (std::size_t at = 0; at < list.out.size();) {
            const std::size_t end = list.out.find('\n', at);
            const std::string line = list.out.substr(at, end - at);
            listed += line.substr(line.rfind('\t') + 1) + "|";
            at = end + 1;
        }
        std::string expected;
        for (const std::string& name : choice.chosen)
            expected += name + "|";
        EXPECT_EQ(listed, expected);
        EXPECT_EQ(list.exitStatus, choice.chosen.empty() ? 1 : 0) << list.err;
    }

    const auto run = extract({"textures/", "*.TXT"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "5 of 5 members extracted.\n");
    EXPECT_EQ(test::folderEntries(out),
              (std::vector<std::string>{"docs", "readme.txt", "textures", "textures.txt"}));
    EXPECT_EQ(readFile(out / "textures" / "sub" / "sand.BMP"), Bytes{2});
}

TEST_F(VolCommand, APatternThatMatchesNothingSaysSoAndPointsToTheListing) {
    writeArchive({volMember("a.txt", {1}), volMember("music.lzh", {2}, 1)});
    const auto run = extract({"*.bmp", "a.txt", "*.lzh"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "*.bmp: The archive holds no member that matches this pattern; "
                       "skardetools-cli vol list " +
                           archive.string() +
                           " shows the names it holds.\n"
                           "*.lzh: The pattern matches only compressed members, which cannot be "
                           "extracted.\n");
    EXPECT_EQ(run.out, "1 of 3 members extracted; 1 compressed member skipped (compressed members "
                       "cannot be extracted).\n");
    const auto list = runCli(SKARDE_CLI, {"vol", "list", archive.string(), "nothing*"});
    EXPECT_EQ(list.exitStatus, 1);
    EXPECT_EQ(list.err, "nothing*: The archive holds no member that matches.\n");
}

TEST_F(VolCommand, NoClobberLeavesExistingFilesAlone) {
    writeArchive({volMember("a.txt", {1}), volMember("d\\b.txt", {2}),
                  volMember("c.bmp", filebuilders::makePbmp({}))});
    test::writeFile(out / "a.txt", Bytes{9});
    test::writeFile(out / "c.bmp", Bytes{8});
    const auto run = extract({"-n", "--convert"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "1 of 3 members extracted; 2 skipped (their files exist).\n");
    EXPECT_EQ(run.err, "a.txt: skipped, " + (out / "a.txt").string() + " exists\nc.bmp: skipped, " +
                           (out / "c.bmp").string() + " exists\n");
    EXPECT_EQ(readFile(out / "a.txt"), Bytes{9});
    EXPECT_EQ(readFile(out / "c.bmp"), Bytes{8});
    EXPECT_EQ(readFile(out / "d" / "b.txt"), Bytes{2});
}

TEST_F(VolCommand, ListingIntoAFullDiskFails) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/full";
#else
    std::vector<VolMemberFields> members;
    for (int i = 0; i < 500; ++i)
        members.push_back(volMember("folder\\member" + std::to_string(i) + ".txt", {1}));
    writeArchive(members);
    const fs::path empty = root / "in.txt";
    test::writeFile(empty, {});
    const int status = test::runRedirected(SKARDE_CLI, {"vol", "list", archive.string()},
                                           {empty, "/dev/full", root / "err.txt"});
    EXPECT_EQ(status, 1);
    const Bytes err = readFile(root / "err.txt");
    const std::string message(err.begin(), err.end());
    EXPECT_EQ(message.rfind("skardetools-cli: cannot write to standard output", 0), 0u) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
#endif
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
