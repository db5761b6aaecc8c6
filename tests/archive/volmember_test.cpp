#include "archive/membername.h"
#include "archive/voldirectory.h"
#include "archive/volmember.h"

#include "core/problem.h"
#include "fixtures/tempfolder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;

TEST(MemberName, DecodesWindows1252ToUtf8) {
    EXPECT_EQ(decodeMemberName("textures\\rock.bmp"), "textures\\rock.bmp");
    EXPECT_EQ(decodeMemberName("caf\xE9"), "caf\xC3\xA9");           // é
    EXPECT_EQ(decodeMemberName("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8"); // € Ÿ
    EXPECT_EQ(decodeMemberName("\x81\xFF"), "\xC2\x81\xC3\xBF");     // unassigned, ÿ
}

// Names typed for a new member become the archive's 8-bit names: every byte's decoding encodes
// back to that byte, and text Windows-1252 cannot hold is refused rather than mangled.
TEST(MemberName, EncodesUtf8BackToWindows1252) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string raw(1, static_cast<char>(byte));
        const std::string expected = raw == "/" ? "\\" : raw;
        EXPECT_EQ(encodeMemberName(decodeMemberName(raw)), expected) << byte;
    }
    EXPECT_EQ(encodeMemberName("a/b\\c"), "a\\b\\c");
    for (const char* text : {"\xE2\x98\x83", "\xC3", "\xC0\xAF", "\xE0\x80\xAE", "\xFF", "\x80"})
        EXPECT_FALSE(encodeMemberName(text).has_value()) << text;
}

TEST(MemberName, JoinsItsPartsWithThePlatformSeparator) {
    EXPECT_EQ(memberRelativePath("a\\b\\c.txt"), fs::path("a") / "b" / "c.txt");
    EXPECT_EQ(memberRelativePath("a/b.txt"), fs::path("a") / "b.txt");
    EXPECT_EQ(memberRelativePath("a\\\\.\\b.txt"), fs::path("a") / "b.txt");
    EXPECT_EQ(memberRelativePath("r\xE9s\\x"), fs::path(u8"r\u00e9s") / "x");
    EXPECT_EQ(memberRelativePath("..a\\b..c"), fs::path("..a") / "b..c");
    for (const char* name : {"console.txt", "com0", "lpt10.txt", "nul_x", "xcon", "a.con", ".x"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(unsafeMemberNameReason(name).has_value());
    }
}

TEST(MemberName, RefusesNamesThatLeaveTheOutputFolder) {
    for (const char* name :
         {"", "..", "..\\x", "a\\..\\..\\x", "a/../../x", "\\abs", "/etc/x", "\\\\server\\share\\x",
          "C:\\x", "c:x", "a\\D:\\x", "...\\x", ". .\\x", "a\\", ".", "a\\."}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(unsafeMemberNameReason(name).has_value());
        EXPECT_THROW(memberRelativePath(name), Problem);
    }
}

// Refused on every platform, so an archive extracts to the same files on Linux and Windows.
TEST(MemberName, RefusesNamesWindowsCannotHold) {
    for (const char* name :
         {"CON",     "con.txt", "a\\Aux.tar.gz", "nul",   "PRN.bmp", "com1",   "LPT9.x",
          "com\xB9", "a<b",     "a>b",           "ab:c",  "a\"b",    "a|b",    "a?b",
          "a*b",     "tab\tx",  "name.",         "name ", "dir.\\x", "dir \\x"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(unsafeMemberNameReason(name).has_value());
        EXPECT_THROW(memberRelativePath(name), Problem);
    }
}

TEST(MemberName, CountsAnyBmpEndingAsABitmap) {
    for (const char* name : {"a.bmp", "A.BMP", "b.Bmp", "c.pbmp", "bmp", "dir\\x.bMp"})
        EXPECT_TRUE(isBitmapMemberName(name)) << name;
    for (const char* name : {"sound.wav", "a.bmp.txt", "bm", "", "a.bm p"})
        EXPECT_FALSE(isBitmapMemberName(name)) << name;
}

TEST(MemberName, MatchesTypedNamesIgnoringCaseAndSeparatorKind) {
    EXPECT_TRUE(memberNameMatches("Textures\\Rock.BMP", "textures\\rock.bmp"));
    EXPECT_TRUE(memberNameMatches("textures\\rock.bmp", "TEXTURES/ROCK.bmp"));
    EXPECT_TRUE(memberNameMatches("caf\xE9.txt", "caf\xC3\xA9.txt"));
    EXPECT_FALSE(memberNameMatches("textures\\rock.bmp", "textures\\rock.bm"));
    EXPECT_FALSE(memberNameMatches("a.txt", "b.txt"));
}

TEST(CreateMemberFolders, CreatesEachFolderOfTheNameParentsFirst) {
    test::TempFolder root;
    test::writeFile(root / "a" / "keep.txt", Bytes{1});
    EXPECT_EQ(CreateMemberFolders(root.path(), "a\\b\\c\\d.txt"),
              root.path() / "a" / "b" / "c" / "d.txt");
    EXPECT_TRUE(fs::is_directory(root / "a" / "b" / "c"));
    EXPECT_FALSE(fs::exists(root / "a" / "b" / "c" / "d.txt"));
    EXPECT_EQ(test::readFile(root / "a" / "keep.txt"), Bytes{1});

    EXPECT_EQ(CreateMemberFolders(root.path(), "plain.txt"), root.path() / "plain.txt");
    EXPECT_EQ(test::folderEntries(root.path()), std::vector<std::string>{"a"});
    // A root folder gets no doubled separator; a name without folders creates nothing.
    EXPECT_EQ(CreateMemberFolders(fs::path("/"), "x.txt"), fs::path("/x.txt"));
}

TEST(CreateMemberFolders, ReportsAFileWhereAFolderShouldBeByTheMembersName) {
    test::TempFolder root;
    test::writeFile(root / "a", Bytes{7});
    try {
        CreateMemberFolders(root.path(), "a\\b\\c.txt");
        FAIL() << "no problem reported";
    } catch (const Problem& problem) {
        EXPECT_EQ(problem.subject(), "a\\b\\c.txt");
    }
    EXPECT_EQ(test::readFile(root / "a"), Bytes{7});
}

TEST(ReadMemberData, ReadsSizeBytesAfterTheDataBlockHeader) {
    test::TempFolder root;
    filebuilders::VolFields fields;
    fields.members.resize(3);
    fields.members[0].data = {1, 2, 3};
    fields.members[1].data = {4, 5, 6, 7};
    fields.members[1].size = 2;                // fewer bytes than the block holds
    fields.members[2].dataOffset = 8 + 11 - 8; // the header overlapping the first member's data
    fields.members[2].size = 3;
    filebuilders::writeVol(root / "a.vol", fields);
    const VolDirectory directory = readVolDirectory(root / "a.vol");
    ASSERT_EQ(directory.directoryEntries.size(), 3u);
    EXPECT_EQ(ReadMemberData(root / "a.vol", directory.directoryEntries[0]), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadMemberData(root / "a.vol", directory.directoryEntries[1]), (Bytes{4, 5}));
    VolArchive archive(root / "a.vol");
    EXPECT_EQ(ReadMemberData(archive, directory.directoryEntries[2]), (Bytes{'V', 'B', 'L'}));

    VolEntry beyond = directory.directoryEntries[0];
    beyond.size = static_cast<std::int32_t>(archive.length()); // 8 + size passes the end
    EXPECT_THROW(ReadMemberData(archive, beyond), Problem);
    EXPECT_THROW(ReadMemberData(root / "gone.vol", beyond), Problem);
}

// Small reads are served from a larger read around them: members on either side of its edge,
// across it, larger than it, and read out of order must all come back exact.
TEST(ReadMemberData, ReadsMembersAroundAndAcrossTheEdgesOfOneRead) {
    test::TempFolder root;
    filebuilders::VolFields fields;
    for (const int size : {(1 << 20) - 20, 100, 7, (1 << 20) + 5, 3}) {
        filebuilders::VolMemberFields member;
        member.data =
            Bytes(static_cast<std::size_t>(size), static_cast<std::uint8_t>(fields.members.size()));
        fields.members.push_back(std::move(member));
    }
    for (auto& member : fields.members)
        member.data.back() = 0xEE; // the last byte tells a shifted read
    filebuilders::writeVol(root / "a.vol", fields);
    const VolDirectory directory = readVolDirectory(root / "a.vol");
    VolArchive archive(root / "a.vol");
    for (const std::size_t index : {0u, 1u, 2u, 3u, 4u, 1u, 0u, 4u})
        EXPECT_EQ(ReadMemberData(archive, directory.directoryEntries[index]),
                  fields.members[index].data)
            << "member " << index;
}

} // namespace
} // namespace skarde
