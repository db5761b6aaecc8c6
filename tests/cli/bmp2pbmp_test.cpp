#include "fixtures/clirunner.h"
#include "fixtures/tempfolder.h"
#include "testsupport/bmpbuilder.h"

#include "core/bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::runCli;
using test::TempFolder;
using test::writeFile;

struct Bmp2PbmpCommand : ::testing::Test {
    TempFolder root;
    fs::path out = root / "out";
    fs::path picture = root / "tank.bmp";
    void SetUp() override {
        fs::create_directory(out);
        writeFile(picture, filebuilders::makeBmp(filebuilders::BmpFields{}));
    }

    // The palette number and attributes written for the given options.
    std::pair<std::int32_t, std::uint32_t> written(const std::vector<std::string>& options) {
        std::vector<std::string> arguments{"bmp2pbmp"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"-o", out.string(), picture.string()});
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        const Bytes pbmp = test::readFile(out / "tank.bmp");
        return {ByteReader(pbmp).i32(72), ByteReader(pbmp).u32(32)};
    }
};

TEST_F(Bmp2PbmpCommand, ConvertsKeepingTheFileName) {
    const auto run =
        runCli(SKARDE_CLI, {"bmp2pbmp", "--palette", "0", "-o", out.string(), picture.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "1 of 1 file(s) converted.\n");
    EXPECT_EQ(test::folderEntries(out), std::vector<std::string>{"tank.bmp"});
    EXPECT_EQ(test::readFile(out / "tank.bmp").size(), 76u);
}

TEST_F(Bmp2PbmpCommand, TakesThePaletteAsPositionNumberOrName) {
    using Written = std::pair<std::int32_t, std::uint32_t>;
    EXPECT_EQ(written({"--palette", "15", "--option", "2"}), (Written{1975, 24}));
    EXPECT_EQ(written({"--palette", "19"}), (Written{5150, 8}));
    EXPECT_EQ(written({"--palette", "0"}), (Written{500, 8}));
    EXPECT_EQ(written({"--palette", "1071"}), (Written{1071, 8}));
    EXPECT_EQ(written({"--palette", "500"}), (Written{500, 8}));
    EXPECT_EQ(written({"--palette", "xxxxworld"}), (Written{1071, 8}));
    EXPECT_EQ(written({"--palette", "INTERFACE"}), (Written{5150, 8}));
    EXPECT_EQ(written({"--palette=Desert"}), (Written{500, 8}));
}

TEST_F(Bmp2PbmpCommand, TakesTheOptionAsNumberOrWord) {
    using Written = std::pair<std::int32_t, std::uint32_t>;
    EXPECT_EQ(written({"--palette", "Ice", "--option", "5"}), (Written{504, 9}));
    EXPECT_EQ(written({"--palette", "Ice", "--option", "none"}), (Written{504, 8}));
    EXPECT_EQ(written({"--palette", "Ice", "--option", "additive"}), (Written{504, 24}));
    EXPECT_EQ(written({"--palette", "Ice", "--option", "Subtractive"}), (Written{504, 40}));
    EXPECT_EQ(written({"--palette", "Ice", "--option", "translucent"}), (Written{504, 12}));
    EXPECT_EQ(written({"--palette", "Ice", "--option", "TRANSPARENT"}), (Written{504, 9}));
    EXPECT_EQ(written({"--palette", "Ice", "--option", "4"}), (Written{504, 12}));
}

TEST_F(Bmp2PbmpCommand, ConvertsOntoTheSourceInItsOwnFolder) {
    const auto run = runCli(
        SKARDE_CLI, {"bmp2pbmp", "--palette", "Mud", "-o", root.path().string(), picture.string()});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const Bytes pbmp = test::readFile(picture);
    ASSERT_EQ(pbmp.size(), 76u);
    EXPECT_EQ(ByteReader(pbmp).i32(72), 518);
}

TEST_F(Bmp2PbmpCommand, GoesOnAfterARefusedFileAndExitsWithOne) {
    filebuilders::BmpFields lower;
    lower.bfType = "bm";
    writeFile(root / "lower.bmp", filebuilders::makeBmp(lower));
    filebuilders::BmpFields deep;
    deep.bitCount = 24;
    writeFile(root / "deep.bmp", filebuilders::makeBmp(deep));
    writeFile(out / "lower.bmp", Bytes{1, 2});
    const auto run = runCli(SKARDE_CLI, {"bmp2pbmp", "--palette", "1", "-o", out.string(),
                                         (root / "lower.bmp").string(),
                                         (root / "deep.bmp").string(), picture.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find((root / "lower.bmp").string() + ": This is not a valid Bitmap file\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find((root / "deep.bmp").string() + ": The bitmap has 24 bits per pixel"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "1 of 3 file(s) converted.\n");
    EXPECT_EQ(test::folderEntries(out), (std::vector<std::string>{"lower.bmp", "tank.bmp"}));
    EXPECT_EQ(test::readFile(out / "lower.bmp"), (Bytes{1, 2}));
}

TEST_F(Bmp2PbmpCommand, RejectsMistakesInTheCommandLineWithTwo) {
    const std::string file = picture.string();
    const std::string dir = out.string();
    const std::vector<std::vector<std::string>> mistakes{
        {"bmp2pbmp", "-o", dir, file},
        {"bmp2pbmp", "--palette", "20", "-o", dir, file},
        {"bmp2pbmp", "--palette", "05", "-o", dir, file},
        {"bmp2pbmp", "--palette", " 5", "-o", dir, file},
        {"bmp2pbmp", "--palette", "-1", "-o", dir, file},
        {"bmp2pbmp", "--palette", "+5", "-o", dir, file},
        {"bmp2pbmp", "--palette", "5 ", "-o", dir, file},
        {"bmp2pbmp", "--palette", "501", "-o", dir, file},
        {"bmp2pbmp", "--palette", "Dessert", "-o", dir, file},
        {"bmp2pbmp", "--palette", "", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--option", "0", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--option", "6", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--option", "05", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--option", " 5", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--option", "five", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--option", "opaque", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", "--palette", "1", "-o", dir, file},
        {"bmp2pbmp", "--palette", "0", file},
        {"bmp2pbmp", "--palette", "0", "-o", dir},
    };
    for (const auto& arguments : mistakes) {
        const auto run = runCli(SKARDE_CLI, arguments);
        EXPECT_EQ(run.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_TRUE(test::folderEntries(out).empty());
}

TEST(Bmp2PbmpHelp, DocumentsTheCommand) {
    const auto run = runCli(SKARDE_CLI, {"bmp2pbmp", "--help"});
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* text : {"bmp2pbmp --palette P [--option O] [-n] [-q] -o OUTDIR FILE...",
                             "Interface", "5150", "transparent"})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
}

} // namespace
} // namespace skarde
