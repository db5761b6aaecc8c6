#include "archive/volpreview.h"

#include "archive/voldirectory.h"
#include "archive/volextraction.h"
#include "converters/pbmptobmp.h"
#include "fixtures/converterrig.h"
#include "fixtures/treesnapshot.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using filebuilders::makePbmpOfSize;
using filebuilders::volMember;
using filebuilders::VolMemberFields;
using test::folderEntries;
using test::readFile;

struct VolPreview : ::testing::Test {
    test::ConverterRig rig;
    fs::path archive = rig.in / "a.vol";
    VolDirectory directory;

    void load(std::vector<VolMemberFields> members) {
        filebuilders::VolFields fields;
        fields.members = std::move(members);
        filebuilders::writeVol(archive, fields);
        directory = LoadVolDirectory(archive, rig.prompts);
        ASSERT_TRUE(rig.prompts.problems.empty());
    }
    std::optional<Bytes> preview(std::size_t row) {
        return ConvertMemberForPreview(rig.context, archive, directory.storedEntry(row), rig.out);
    }
};

// The picture is the bitmap the extraction would write, made in memory: previews in any number
// leave the output folder holding the members' folders and the user's own files, nothing else.
TEST_F(VolPreview, GivesWhatTheExtractionWritesAndWritesNoFile) {
    const std::vector<std::string> own{"temp.bmp", "temp1.bmp", "temp2.bmp"};
    for (const std::string& name : own)
        test::writeFile(rig.out / name, Bytes(name.begin(), name.end()));
    load({volMember("art\\rock.bmp", makePbmpOfSize(6, 5)), volMember("sfx\\boom.wav", {1, 2})});
    std::optional<Bytes> shown;
    for (int time = 0; time < 3; ++time) {
        shown = preview(0);
        EXPECT_FALSE(preview(1));
    }
    ASSERT_TRUE(shown);
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
    EXPECT_EQ(folderEntries(rig.out),
              (std::vector<std::string>{"art", "sfx", "temp.bmp", "temp1.bmp", "temp2.bmp"}));
    EXPECT_TRUE(folderEntries(rig.out / "art").empty());
    EXPECT_TRUE(folderEntries(rig.out / "sfx").empty());
    for (const std::string& name : own)
        EXPECT_EQ(readFile(rig.out / name), Bytes(name.begin(), name.end())) << name;

    ExtractSelectedMembers(rig.context, directory, {{true, false}, rig.out, true});
    EXPECT_EQ(*shown, readFile(rig.out / "art" / "rock.bmp"));
}

// The conversion's refusal is its own plain message; a member that cannot be read is reported
// by its name, with the archive's path when the archive is what failed.
TEST_F(VolPreview, TellsWhyNothingIsShown) {
    load({volMember("fake.bmp", {'B', 'M', 0, 0}), volMember("gone.bmp", makePbmpOfSize(2, 2))});
    EXPECT_FALSE(preview(0));
    EXPECT_EQ(rig.prompts.messages,
              std::vector<std::string>{std::string(kNotVidodazBitmapMessage)});
    fs::remove(archive);
    EXPECT_FALSE(preview(1));
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    const std::string& problem = rig.prompts.problems[0];
    EXPECT_EQ(problem.rfind("gone.bmp: The archive cannot be opened for reading: ", 0), 0u)
        << problem;
    EXPECT_EQ(problem.substr(problem.size() - archive.string().size() - 3),
              " (" + archive.string() + ")")
        << problem;
    EXPECT_TRUE(folderEntries(rig.out).empty());
}

} // namespace
} // namespace skarde
