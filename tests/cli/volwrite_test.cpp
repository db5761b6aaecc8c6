// The vol actions that write archives, run as a script runs them.

#include "fixtures/clirunner.h"
#include "fixtures/tempfolder.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include "converters/pbmpformat.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::VolFields;
using filebuilders::volMember;
using test::readFile;
using test::runCli;
using test::writeFile;

struct VolWrite : ::testing::Test {
    test::TempFolder root;
    fs::path archive = root / "game.vol";
    fs::path out = root / "out";

    void writeArchive(std::vector<filebuilders::VolMemberFields> members) {
        VolFields fields;
        fields.members = std::move(members);
        filebuilders::writeVol(archive, fields);
    }
    void writeSampleArchive() {
        writeArchive({volMember("textures\\dunes.bmp", makeImage(1975, 0x15, 0)),
                      volMember("textures\\frost.bmp", makeImage(1071, 0x08, 3)),
                      volMember("sounds\\wind.wav", {7, 7}, 2),
                      volMember("readme.txt", {'h', 'i'})});
    }
    static Bytes makeImage(std::int32_t palette, std::uint32_t attributes, std::uint8_t seed) {
        filebuilders::PbmpFields fields;
        fields.width = 5;
        fields.height = 3;
        fields.paletteNumber = palette;
        fields.attributes = attributes;
        fields.rows = filebuilders::patternRows(5, 3, seed);
        return filebuilders::makePbmp(fields);
    }
    test::CliRun vol(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "vol");
        return runCli(SKARDE_CLI, arguments);
    }
    // "stored\t2\treadme.txt|..." of the archive's listing.
    std::string listing(const fs::path& which) {
        std::string text = vol({"list", which.string()}).out;
        std::replace(text.begin(), text.end(), '\n', '|');
        return text;
    }
    // Every member's bytes, extracted as they are.
    std::map<std::string, Bytes> members(const fs::path& which) {
        const fs::path folder = root / "check";
        fs::remove_all(folder);
        const auto run = vol({"extract", "-q", "-o", folder.string(), which.string()});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        return test::treeSnapshot(folder);
    }
};

// The modder's round trip: extract as Windows bitmaps, edit one, put it back.
TEST_F(VolWrite, RoundTripChangesOnlyTheEditedImageAndKeepsItsPaletteAndAttributes) {
    writeSampleArchive();
    const Bytes original = readFile(archive);
    const auto before = members(archive);
    auto run = vol({"extract", "--convert", "-q", "-o", out.string(), archive.string()});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    Bytes bmp = readFile(out / "textures" / "dunes.bmp");
    ASSERT_GT(bmp.size(), 1078u);
    bmp[1078] ^= 0x5A; // a pixel of the bottom row
    writeFile(out / "textures" / "dunes.bmp", bmp);

    run = vol({"update", "--convert", archive.string(), out.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "textures\\dunes.bmp: replaced by " + (out / "textures" / "dunes.bmp").string() +
                  "\n1 member replaced, 0 added; 2 files unchanged. " + archive.string() +
                  " was updated; the previous archive is kept as " + archive.string() + ".bak.\n");
    EXPECT_EQ(readFile(root / "game.vol.bak"), original);

    const auto after = members(archive);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : before) {
        if (name != "textures/dunes.bmp") {
            EXPECT_EQ(after.at(name), bytes) << name;
        }
    }
    const Bytes& was = before.at("textures/dunes.bmp");
    const Bytes& now = after.at("textures/dunes.bmp");
    ASSERT_EQ(now.size(), was.size());
    const PbmpHeader header = readPbmpHeader(ByteReader(now), 0);
    EXPECT_EQ(header.attributes, 0x15u);
    EXPECT_EQ(header.width, 5);
    EXPECT_EQ(readPbmpTrailer(ByteReader(now), now.size() - kPbmpTrailerSize).paletteNumber, 1975);
    int changedBytes = 0;
    for (std::size_t i = kPbmpHeaderSize; i < now.size() - kPbmpTrailerSize; ++i)
        changedBytes += now[i] != was[i] ? 1 : 0;
    EXPECT_EQ(changedBytes, 1);
    EXPECT_EQ(listing(archive), "stored\t" + std::to_string(was.size()) +
                                    "\ttextures\\dunes.bmp|stored\t" +
                                    std::to_string(before.at("textures/frost.bmp").size()) +
                                    "\ttextures\\frost.bmp|compressed\t2\tsounds\\wind.wav|"
                                    "stored\t2\treadme.txt|");

    // Nothing differs any more: the archive is left alone, and no backup is made.
    run = vol({"update", "--convert", archive.string(), out.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "0 members replaced, 0 added; 3 files unchanged. No file differs from its "
                       "member; " +
                           archive.string() + " was left as it was.\n");
    EXPECT_FALSE(fs::exists(root / "game.vol.2.bak"));
}

TEST_F(VolWrite, UpdateToANewArchiveLeavesTheOriginalAndReportsFilesLeftOut) {
    writeSampleArchive();
    const Bytes original = readFile(archive);
    writeFile(out / "README.TXT", {'h', 'o'});
    writeFile(out / "maps" / "new.map", {1, 2, 3});
    const fs::path created = root / "new.vol";
    auto run = vol({"update", "-o", created.string(), archive.string(), out.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err,
              (out / "maps" / "new.map").string() + ": left out: " + archive.string() +
                  " holds no member of this name; give --add to add it as maps\\new.map\n");
    EXPECT_EQ(run.out, "readme.txt: replaced by " + (out / "README.TXT").string() +
                           "\n1 member replaced, 0 added; 0 files unchanged, 1 left out. Written "
                           "to " +
                           created.string() + "; " + archive.string() + " is as it was.\n");
    EXPECT_EQ(readFile(archive), original);
    EXPECT_FALSE(fs::exists(root / "game.vol.bak"));
    EXPECT_EQ(members(created).at("readme.txt"), (Bytes{'h', 'o'}));

    // --add takes it in; -q says nothing but the warnings.
    run = vol({"update", "--add", "-q", archive.string(), out.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(members(archive).at("maps/new.map"), (Bytes{1, 2, 3}));
    EXPECT_EQ(readFile(root / "game.vol.bak"), original);
}

// A file that cannot go in is named, the others still do, and the exit status says so.
TEST_F(VolWrite, UpdateNamesTheFilesItRefusesAndPutsBackTheOthers) {
    writeSampleArchive();
    writeFile(out / "sounds" / "wind.wav", {1});
    writeFile(out / "textures" / "frost.bmp", {'B', 'M', 0, 0});
    writeFile(out / "readme.txt", {'n', 'e', 'w'});
    const auto run = vol({"update", "--convert", archive.string(), out.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find("sounds\\wind.wav: The member is compressed"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find((out / "textures" / "frost.bmp").string() + ": "), std::string::npos)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1),
              "1 member replaced, 0 added; 0 files unchanged, 2 refused. " + archive.string() +
                  " was updated; the previous archive is kept as " + archive.string() + ".bak.\n");
    EXPECT_EQ(members(archive).at("readme.txt"), (Bytes{'n', 'e', 'w'}));
}

// An earlier backup is never overwritten, and the run says which name it chose.
TEST_F(VolWrite, KeepsEveryEarlierBackupAndNamesTheNewOne) {
    writeArchive({volMember("a.txt", {1}), volMember("b.txt", {2})});
    writeFile(root / "game.vol.bak", {9, 9});
    const Bytes original = readFile(archive);
    writeFile(root / "a.txt", {5});
    const auto run = vol({"add", archive.string(), (root / "a.txt").string() + "=c.txt"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "c.txt: added from " + (root / "a.txt").string() + "\n1 member added. " +
                           archive.string() + " was updated; the previous archive is kept as " +
                           archive.string() + ".2.bak.\n");
    EXPECT_EQ(readFile(root / "game.vol.bak"), (Bytes{9, 9}));
    EXPECT_EQ(readFile(root / "game.vol.2.bak"), original);
}

// Updating from the archive's own folder: its backups are neither edited files nor new members.
TEST_F(VolWrite, UpdateFromTheArchivesFolderLeavesItsBackupsOut) {
    writeArchive({volMember("a.txt", {1})});
    writeFile(root / "game.vol.bak", {8});
    writeFile(root / "game.vol.12.bak", {8});
    writeFile(root / "game.vol.x.bak", {8});
    writeFile(root / "a.txt", {5});
    auto run = vol({"update", "--add", archive.string(), root.path().string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(listing(archive), "stored\t1\ta.txt|stored\t1\tgame.vol.x.bak|");
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1),
              "1 member replaced, 1 added; 0 files unchanged. " + archive.string() +
                  " was updated; the previous archive is kept as " + archive.string() +
                  ".2.bak.\n");
#ifndef _WIN32
    // Named from inside the folder, as "game.vol" and ".".
    writeFile(root / "a.txt", {6});
    run = runCli("/bin/sh", {"-c", "cd \"$0\" && exec \"$@\"", root.path().string(), SKARDE_CLI,
                             "vol", "update", "game.vol", "."});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(listing(archive), "stored\t1\ta.txt|stored\t1\tgame.vol.x.bak|");
#endif
}

// Refusals and failures, before or during the write: the archive, its backup and the folder
// are as they were, and the message names the cause.
TEST_F(VolWrite, AFailedWriteLeavesTheArchiveAndItsBackupsUntouched) {
    writeArchive({volMember("a.txt", {1}), volMember("packed.lzh", {2}, 1)});
    writeFile(root / "game.vol.bak", {9, 9});
    writeFile(root / "new.txt", {3});
    fs::create_directories(out / "packed.lzh");
    writeFile(out / "a.txt", {4});
    const std::string file = (root / "new.txt").string();
    struct Failure {
        std::vector<std::string> arguments;
        std::string message; // the start of standard error
    };
    std::vector<Failure> failures{
        {{"add", archive.string(), file + "=bad:name.txt"}, "bad:name.txt: "},
        {{"add", archive.string(), file + "=A.TXT"}, "A.TXT: The archive already holds"},
        {{"add", archive.string(), file + "=..\\up.txt"}, "..\\up.txt: "},
        {{"add", archive.string(), (root / "missing.txt").string()},
         (root / "missing.txt").string() + ": "},
        {{"remove", archive.string(), "a.txt", "nothing*"}, "nothing*: The archive holds no"},
        {{"remove", archive.string(), "*"}, archive.string() + ": This would remove every"},
        {{"update", archive.string(), (root / "nofolder").string()},
         (root / "nofolder").string() + ": "},
        {{"update", (root / "none.vol").string(), out.string()}, (root / "none.vol").string()},
    };
#ifndef _WIN32
    // Reads as empty and then gives bytes: the archive is half written when it is found out.
    failures.push_back({{"add", archive.string(), "/proc/self/status=status.txt"},
                        "/proc/self/status: The file grew while it was read"});
#endif
    const auto before = test::treeSnapshot(root.path());
    for (const Failure& failure : failures) {
        SCOPED_TRACE(testing::PrintToString(failure.arguments));
        const auto run = vol(failure.arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.err.rfind(failure.message, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(test::treeSnapshot(root.path()), before);
    }
}

TEST_F(VolWrite, AddsFilesAtTheEndUnderTheirPathOrTheGivenName) {
    writeArchive({volMember("a.txt", {1})});
    writeFile(root / "maps" / "one.map", {2});
    writeFile(root / "x.bin", {3});
    const fs::path created = root / "new.vol";
    const auto absolute =
        vol({"add", "-o", created.string(), archive.string(),
             (root / "x.bin").string() + "=data\\x.dat", (root / "x.bin").string()});
    EXPECT_EQ(absolute.exitStatus, 0) << absolute.err;
    EXPECT_EQ(listing(created), "stored\t1\ta.txt|stored\t1\tdata\\x.dat|stored\t1\tx.bin|");
    EXPECT_EQ(absolute.out, "data\\x.dat: added from " + (root / "x.bin").string() +
                                "\nx.bin: added from " + (root / "x.bin").string() +
                                "\n2 members added. Written to " + created.string() + "; " +
                                archive.string() + " is as it was.\n");
#ifndef _WIN32
    // A relative path is stored as given, from the folder the program runs in.
    const auto relative =
        runCli("/bin/sh", {"-c", "cd \"$0\" && exec \"$@\"", root.path().string(), SKARDE_CLI,
                           "vol", "add", "game.vol", "maps/one.map", "./maps/../x.bin=y.bin"});
    EXPECT_EQ(relative.exitStatus, 0) << relative.err;
    EXPECT_EQ(listing(archive), "stored\t1\ta.txt|stored\t1\tmaps\\one.map|stored\t1\ty.bin|");
#endif
}

TEST_F(VolWrite, RemovesTheMembersThePatternsMatch) {
    writeSampleArchive();
    const auto run = vol({"remove", archive.string(), "TEXTURES/*.bmp", "sounds\\wind.wav"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "textures\\dunes.bmp: removed\ntextures\\frost.bmp: removed\n"
                       "sounds\\wind.wav: removed\n3 members removed. " +
                           archive.string() + " was updated; the previous archive is kept as " +
                           archive.string() + ".bak.\n");
    EXPECT_EQ(listing(archive), "stored\t2\treadme.txt|");
}

TEST_F(VolWrite, PacksAFolderLikeAGameArchive) {
    VolFields model;
    model.magic = "VOLN";
    model.members = {volMember("x.txt", {1})};
    model.members[0].unusedField = 0xDEADBEEF;
    filebuilders::writeVol(root / "model.vol", model);
    writeFile(out / "b.txt", {2});
    writeFile(out / "A" / "c.txt", {3, 4});
    const fs::path created = root / "new.vol";
    const auto run = vol(
        {"pack", out.string(), "--like", (root / "model.vol").string(), "-o", created.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const Bytes packed = readFile(created);
    EXPECT_EQ(run.out, "2 members packed from " + out.string() + " into " + created.string() +
                           " (" + std::to_string(packed.size()) + " bytes).\n");
    EXPECT_EQ(std::string(packed.begin(), packed.begin() + 4), "VOLN");
    EXPECT_EQ(listing(created), "stored\t2\tA\\c.txt|stored\t1\tb.txt|");
    EXPECT_EQ(members(created).at("A/c.txt"), (Bytes{3, 4}));

    // An empty folder gives no archive.
    fs::create_directories(root / "empty");
    const auto empty = vol({"pack", (root / "empty").string(), "--like",
                            (root / "model.vol").string(), "-o", (root / "e.vol").string()});
    EXPECT_EQ(empty.exitStatus, 1);
    EXPECT_EQ(empty.err,
              (root / "empty").string() + ": The folder holds no file; no archive was written.\n");
    EXPECT_FALSE(fs::exists(root / "e.vol"));
}

// Exit 2, one line, and nothing written: not the archive, not a backup, not -o's folder.
TEST_F(VolWrite, RejectsMistakesInTheCommandLineWithTwoAndWritesNothing) {
    writeArchive({volMember("a.txt", {1})});
    fs::create_directories(out);
    const std::string a = archive.string();
    const std::string o = out.string();
    const std::string fresh = (root / "nowhere" / "new.vol").string();
    const std::vector<std::vector<std::string>> mistakes{
        {"update", a},
        {"update", a, o, o},
        {"update", "--bogus", a, o},
        {"update", "-o", o, a, o},
        {"update", "-o", "", a, o},
        {"add", a},
        {"add", a, "=x.txt"},
        {"add", a, "x.txt="},
        {"add", "-o", o, a, a},
        {"add", "--convert", a, a},
        {"remove", a},
        {"remove", a, "/"},
        {"remove", "-o", fresh, a},
        {"pack", o, "-o", fresh},
        {"pack", o, "--like", a},
        {"pack", "--like", a, "-o", fresh},
        {"pack", o, o, "--like", a, "-o", fresh},
        {"pack", o, "--like", a, "-o", o},
    };
    const auto before = test::treeSnapshot(root.path());
    for (const auto& arguments : mistakes) {
        const auto run = vol(arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(test::treeSnapshot(root.path()), before) << testing::PrintToString(arguments);
    }
    const auto noModel = vol({"pack", o, "-o", fresh});
    EXPECT_EQ(noModel.err, "skardetools-cli vol: vol pack needs --like GAME.vol: the new archive "
                           "copies its header, tags and member headers from a game archive, as "
                           "their meaning is unknown\n");
}

// On a terminal a quick write leaves no progress line behind, and its lines still show.
TEST_F(VolWrite, AQuickWriteOnATerminalShowsNoProgressLine) {
    SKARDE_SKIP_WITHOUT_TERMINAL();
    writeArchive({volMember("a.txt", {1}), volMember("b.txt", {2})});
    const auto run =
        test::runCliOnTerminal(SKARDE_CLI, {"vol", "remove", archive.string(), "b.txt"}, "");
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_EQ(run.out.find("\r\033[K"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("b.txt: removed"), std::string::npos) << run.out;
}

TEST(VolWriteHelp, DocumentsEveryWritingAction) {
    const auto help = runCli(SKARDE_CLI, {"help", "vol"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text : {"vol update [--convert] [--add] [-q] [-o NEW.vol] ARCHIVE FOLDER",
                             "vol add [-q] [-o NEW.vol] ARCHIVE FILE[=MEMBER]...",
                             "vol remove [-q] [-o NEW.vol] ARCHIVE MEMBER...",
                             "vol pack [-q] FOLDER --like GAME.vol -o NEW.vol", "ARCHIVE.bak"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    EXPECT_EQ(runCli(SKARDE_CLI, {"vol", "update", "--help"}).out, help.out);
}

} // namespace
} // namespace skarde
