#include "archive/voldirectory.h"
#include "archive/volextraction.h"
#include "archive/volfolderupdate.h"
#include "archive/volmember.h"
#include "archive/volwriter.h"

#include "converters/pbmpformat.h"
#include "core/problem.h"
#include "fixtures/converterrig.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesOf(const std::vector<FolderFile>& files) {
    std::vector<std::string> names;
    for (const FolderFile& file : files)
        names.push_back(file.memberName);
    return names;
}

// Every member's bytes, by name, as the directory reader sees them.
std::map<std::string, Bytes> membersOf(const fs::path& archivePath) {
    VolArchive archive(archivePath);
    std::map<std::string, Bytes> members;
    for (const VolEntry& entry : readVolDirectory(archive).directoryEntries)
        members[entry.name] = entry.isStored() ? ReadMemberData(archive, entry) : Bytes{};
    return members;
}

// `headConstant` other than the converter's 3: an image it would not write byte for byte.
Bytes gameImage(std::int32_t paletteNumber, std::uint32_t attributes,
                std::uint32_t headConstant = 3) {
    filebuilders::PbmpFields fields;
    fields.headConstant = headConstant;
    fields.width = 5;
    fields.height = 3;
    fields.paletteNumber = paletteNumber;
    fields.attributes = attributes;
    return filebuilders::makePbmp(fields);
}

class FolderUpdate : public ::testing::Test {
protected:
    FolderUpdate() {
        filebuilders::VolFields fields;
        fields.members = {filebuilders::volMember("textures\\dunes.bmp", gameImage(503, 24)),
                          filebuilders::volMember("textures\\frost.bmp", gameImage(1071, 9, 5)),
                          filebuilders::volMember("docs\\readme.txt", Bytes{'h', 'i'}),
                          filebuilders::volMember("sound.wav", Bytes{1, 2, 3}),
                          filebuilders::volMember("packed.dat", Bytes{4}, 1)};
        filebuilders::writeVol(archive_, fields);
    }

    // Extracts every stored member into `folder`, converting the game images when asked.
    void extractAll(const fs::path& folder, bool convert) {
        const VolDirectory directory = readVolDirectory(archive_);
        ExtractionRequest request;
        request.selectedRows.assign(directory.storedRows.size(), true);
        request.outputFolder = folder;
        request.convertBitmaps = convert;
        ASSERT_EQ(ExtractSelectedMembers(rig_.context, directory, request).failed, 0);
    }

    test::ConverterRig rig_;
    fs::path archive_ = rig_.root / "game.vol";
};

TEST_F(FolderUpdate, ReplacesChangedFilesAndReportsTheOthers) {
    extractAll(rig_.out, false);
    // A different case on the disk; removed first, as on Windows both names are one file.
    fs::remove(rig_.out / "sound.wav");
    test::writeFile(rig_.out / "SOUND.WAV", Bytes{9, 9});
    test::writeFile(rig_.out / "extra" / "new.txt", Bytes{5});
    test::writeFile(rig_.out / "packed.dat", Bytes{6});

    FolderUpdatePlan plan = planFolderUpdate(archive_, rig_.out);
    EXPECT_EQ(namesOf(plan.replaced), std::vector<std::string>{"sound.wav"});
    EXPECT_EQ(namesOf(plan.unchanged),
              (std::vector<std::string>{"docs\\readme.txt", "textures\\dunes.bmp",
                                        "textures\\frost.bmp"}));
    EXPECT_EQ(namesOf(plan.leftOut), std::vector<std::string>{"extra\\new.txt"});
    ASSERT_EQ(plan.refused.size(), 1u); // the compressed member cannot be replaced
    EXPECT_EQ(plan.refused[0].subject(), "packed.dat");
    EXPECT_TRUE(plan.added.empty());

    FolderUpdateOptions withAdditions;
    withAdditions.addOthers = true;
    plan = planFolderUpdate(archive_, rig_.out, withAdditions);
    EXPECT_EQ(namesOf(plan.added), std::vector<std::string>{"extra\\new.txt"});
    const Bytes before = test::readFile(archive_);
    updateVolArchive(archive_, plan.changes);
    const auto members = membersOf(archive_);
    EXPECT_EQ(members.at("sound.wav"), (Bytes{9, 9}));
    EXPECT_EQ(members.at("extra\\new.txt"), Bytes{5});
    EXPECT_EQ(test::readFile(rig_.root / "game.vol.bak"), before);
}

// Extract with conversion, edit one picture, put it back: only that member changes, and it
// keeps its own palette number and attributes.
TEST_F(FolderUpdate, AnEditedBitmapGoesBackAsAGameImageOfTheSamePaletteAndAttributes) {
    extractAll(rig_.out, true);
    const auto before = membersOf(archive_);
    const fs::path edited = rig_.out / "textures" / "dunes.bmp";
    Bytes bmp = test::readFile(edited);
    bmp[1078] ^= 0xFF; // the first pixel of the bottom row
    test::writeFile(edited, bmp);

    FolderUpdateOptions convert;
    convert.convertBitmaps = true;
    const FolderUpdatePlan plan = planFolderUpdate(archive_, rig_.out, convert);
    EXPECT_EQ(namesOf(plan.replaced), std::vector<std::string>{"textures\\dunes.bmp"});
    EXPECT_EQ(namesOf(plan.unchanged),
              (std::vector<std::string>{"docs\\readme.txt", "sound.wav", "textures\\frost.bmp"}));
    updateVolArchive(archive_, plan.changes);

    auto after = membersOf(archive_);
    const Bytes dunes = after.at("textures\\dunes.bmp");
    const Bytes original = before.at("textures\\dunes.bmp");
    EXPECT_EQ(readPbmpHeader(ByteReader(dunes), 0).attributes, 24u);
    EXPECT_EQ(readPbmpTrailer(ByteReader(dunes), dunes.size() - kPbmpTrailerSize).paletteNumber,
              503);
    ASSERT_EQ(dunes.size(), original.size());
    const std::size_t bottomRow = kPbmpHeaderSize + 2 * 8; // height 3, stride 8
    for (std::size_t i = 0; i < dunes.size(); ++i)
        EXPECT_EQ(dunes[i],
                  i == bottomRow ? static_cast<std::uint8_t>(original[i] ^ 0xFF) : original[i])
            << i;
    after.erase("textures\\dunes.bmp");
    auto others = before;
    others.erase("textures\\dunes.bmp");
    EXPECT_EQ(after, others);
}

// Updating from the archive's own folder, twice: neither the archive nor a backup is ever taken,
// while a file that only looks like a backup is.
TEST_F(FolderUpdate, TheArchiveAndItsBackupsAreNeverTakenForMembers) {
    FolderUpdateOptions withAdditions;
    withAdditions.addOthers = true;
    test::writeFile(rig_.root / "game.vol.7.bak", Bytes{7});
    test::writeFile(rig_.root / "game.vol.x.bak", Bytes{8});
    const auto plannedNames = [&](const FolderUpdatePlan& plan) {
        std::vector<std::string> names;
        for (const auto* files : {&plan.replaced, &plan.added, &plan.unchanged, &plan.leftOut})
            for (const FolderFile& file : *files)
                names.push_back(file.memberName);
        return names;
    };
    const FolderUpdatePlan first = planFolderUpdate(archive_, rig_.root.path(), withAdditions);
    const std::vector<std::string> firstNames = plannedNames(first);
    EXPECT_EQ(std::count(firstNames.begin(), firstNames.end(), "game.vol.x.bak"), 1);
    updateVolArchive(archive_, first.changes);
    ASSERT_TRUE(fs::exists(rig_.root / "game.vol.bak"));
    for (const FolderUpdatePlan& plan :
         {first, planFolderUpdate(archive_, rig_.root.path(), withAdditions)})
        for (const std::string& name : plannedNames(plan))
            EXPECT_TRUE(name != "game.vol" && name != "game.vol.bak" && name != "game.vol.7.bak")
                << name;
}

TEST_F(FolderUpdate, PackingAFolderNamesMembersByTheirRelativePaths) {
    test::writeFile(rig_.in / "b" / "two.txt", Bytes{2});
    test::writeFile(rig_.in / "a.txt", Bytes{1});
    const fs::path packed = rig_.root / "packed.vol";
    packVolArchive(archive_, folderAdditions(rig_.in), packed);
    EXPECT_EQ(membersOf(packed),
              (std::map<std::string, Bytes>{{"a.txt", Bytes{1}}, {"b\\two.txt", Bytes{2}}}));
    EXPECT_THROW(planFolderUpdate(archive_, rig_.root / "missing"), Problem);
}

} // namespace
} // namespace skarde
