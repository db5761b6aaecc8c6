// Every file under tests/data/<format> is a damaged or malicious input worth keeping (see its
// README). Each goes through what reads its format. Whatever it holds, the reader must return
// normally, say what is wrong naming the file (or the archive member), and leave nothing in the
// output folder but the outputs it counts. A file added to a folder is one more case.

#include "archive/membername.h"
#include "archive/volextraction.h"
#include "converters/bmptopbmp.h"
#include "converters/pbatobmp.h"
#include "converters/pbmptobmp.h"
#include "converters/ppltopal.h"
#include "fixtures/converterrig.h"
#include "fixtures/treesnapshot.h"
#include "png/pngsupport.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/pplbuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace skarde {
namespace {

namespace fs = std::filesystem;
using test::ConverterRig;

std::vector<fs::path> hostileFiles(const std::string& format) {
    std::vector<fs::path> files;
    for (const auto& entry :
         fs::directory_iterator(fs::path(SKARDE_SOURCE_DIR) / "tests" / "data" / format))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs `check` once per file of the folder, on a fresh rig holding a copy of the file in `in`.
void forEachHostileFile(const std::string& format,
                        const std::function<void(ConverterRig&, const fs::path&)>& check) {
    const std::vector<fs::path> files = hostileFiles(format);
    ASSERT_FALSE(files.empty()) << "no hostile " << format << " files";
    for (const fs::path& file : files) {
        SCOPED_TRACE(format + "/" + file.filename().string());
        ConverterRig rig;
        const fs::path input = rig.in / file.filename();
        fs::copy_file(file, input);
        check(rig, input);
    }
}

// The call's result, or a failure and a default result when an exception escapes it.
template <class Call> auto callCatching(Call call) -> decltype(call()) {
    try {
        return call();
    } catch (const std::exception& error) {
        ADD_FAILURE() << "exception escaped: " << error.what();
    } catch (...) {
        ADD_FAILURE() << "exception escaped";
    }
    return {};
}

// One problem about `subject`, or else the converter's refusal (which names nothing, as the
// user has just picked the file).
void expectReported(const test::RecordingPrompts& prompts, const std::string& subject,
                    std::string_view refusal = {}) {
    if (!refusal.empty() && prompts.problems.empty()) {
        EXPECT_NE(std::find(prompts.messages.begin(), prompts.messages.end(), refusal),
                  prompts.messages.end());
        return;
    }
    ASSERT_EQ(prompts.problems.size(), 1u);
    EXPECT_EQ(prompts.problems[0].rfind(subject + ": ", 0), 0u) << prompts.problems[0];
}

void expectOnlyCountedOutputs(const ConverterRig& rig, const ConversionResult& result) {
    EXPECT_NE(result.outcome, Outcome::Converted);
    EXPECT_EQ(test::folderEntries(rig.out).size(), static_cast<std::size_t>(result.filesWritten));
}

TEST(HostileInputs, GameBitmapsAreRefusedByName) {
    forEachHostileFile("pbmp", [](ConverterRig& rig, const fs::path& input) {
        const ConversionResult result = callCatching(
            [&] { return ConvertPbmpToBmp(rig.context, input, rig.out / "image.bmp"); });
        expectReported(rig.prompts, input.string(), kNotVidodazBitmapMessage);
        expectOnlyCountedOutputs(rig, result);
    });
}

TEST(HostileInputs, BitmapArraysStopAtTheDamageByName) {
    forEachHostileFile("pba", [](ConverterRig& rig, const fs::path& input) {
        const ConversionResult result =
            callCatching([&] { return ConvertPbaToBmp(rig.context, input, rig.out / "icons"); });
        expectReported(rig.prompts, input.string(), kNotZiraruvIzovivUzuziMessage);
        expectOnlyCountedOutputs(rig, result);
    });
}

TEST(HostileInputs, PaletteListsStopAtTheDamageByName) {
    forEachHostileFile("ppl", [](ConverterRig& rig, const fs::path& input) {
        const ConversionResult result =
            callCatching([&] { return ConvertPplToPal(rig.context, input, rig.out); });
        expectReported(rig.prompts, input.string());
        expectOnlyCountedOutputs(rig, result);
    });
}

TEST(HostileInputs, WindowsBitmapsAreRefusedByName) {
    forEachHostileFile("bmp", [](ConverterRig& rig, const fs::path& input) {
        const ConversionResult result = callCatching([&] {
            return ConvertBmpToPbmp(rig.context, input, rig.out / "image.pbmp",
                                    PaletteListPosition(0), OptionSliderValue(1));
        });
        expectReported(rig.prompts, input.string(), kNotBitmapMessage);
        expectOnlyCountedOutputs(rig, result);
    });
}

// The PNG library's own checks and ours: an 8-bit indexed PNG is all that is taken.
TEST(HostileInputs, PngFilesAreRefusedByName) {
    forEachHostileFile("png", [](ConverterRig& rig, const fs::path& input) {
        rig.context.png = pngSupport();
        const ConversionResult result = callCatching([&] {
            return ConvertBmpToPbmp(rig.context, input, rig.out / "image.pbmp",
                                    PaletteListPosition(0), OptionSliderValue(1));
        });
        expectReported(rig.prompts, input.string());
        expectOnlyCountedOutputs(rig, result);
    });
}

// A palette file is read both as the template of the palette list extraction (grey.pal) and as
// the palette a game bitmap names.
TEST(HostileInputs, PaletteFilesAreRefusedByNameInBothUses) {
    forEachHostileFile("pal", [](ConverterRig& rig, const fs::path& pal) {
        const fs::path grey = rig.pals / "grey.pal";
        // Removed first: the Windows build's copy_file refuses to overwrite, whatever it is told.
        fs::remove(grey);
        fs::copy_file(pal, grey);
        filebuilders::PplFields list;
        list.palettes = {filebuilders::pplPalette(500)};
        test::writeFile(rig.in / "world.ppl", filebuilders::makePpl(list));
        const ConversionResult result = callCatching(
            [&] { return ConvertPplToPal(rig.context, rig.in / "world.ppl", rig.out); });
        expectReported(rig.prompts, grey.string());
        expectOnlyCountedOutputs(rig, result);
    });
    forEachHostileFile("pal", [](ConverterRig& rig, const fs::path& pal) {
        const fs::path named = rig.pals / "500.pal";
        fs::copy_file(pal, named);
        filebuilders::PbmpFields image;
        image.paletteNumber = 500;
        test::writeFile(rig.in / "a.pbmp", filebuilders::makePbmp(image));
        const ConversionResult result = callCatching(
            [&] { return ConvertPbmpToBmp(rig.context, rig.in / "a.pbmp", rig.out / "a.bmp"); });
        expectReported(rig.prompts, named.string());
        expectOnlyCountedOutputs(rig, result);
    });
}

// An archive is refused whole by name, or else, when everything is extracted (bitmaps
// converted), each hostile member is refused by its name, every damaged one among them, and
// only the members that came out whole are written, inside the output folder.
TEST(HostileInputs, ArchivesOrAllTheirMembersAreRefusedByName) {
    forEachHostileFile("vol", [](ConverterRig& rig, const fs::path& archive) {
        const auto before = test::treeSnapshot(rig.root.path(), rig.out);
        const VolDirectory directory =
            callCatching([&] { return LoadVolDirectory(archive, rig.prompts); });
        if (directory.directoryEntries.empty()) {
            expectReported(rig.prompts, archive.string());
            return;
        }
        ASSERT_TRUE(rig.prompts.problems.empty()) << rig.prompts.problems[0];
        const std::size_t stored = directory.storedRows.size();
        ASSERT_GT(stored, 0u) << "an accepted archive here must hold stored members";
        const ExtractionRequest request{std::vector<bool>(stored, true), rig.out, true};
        const ExtractionSummary summary =
            callCatching([&] { return ExtractSelectedMembers(rig.context, directory, request); });
        EXPECT_EQ(summary.extracted + summary.failed, static_cast<int>(stored));
        EXPECT_GT(summary.failed, 0) << "each archive here holds a hostile member";
        EXPECT_EQ(rig.prompts.problems.size(), static_cast<std::size_t>(summary.failed));
        std::set<std::string> refused;
        for (const std::string& problem : rig.prompts.problems)
            refused.insert(problem.substr(0, problem.find(": ")));
        for (std::size_t row = 0; row < stored; ++row) {
            const VolEntry& entry = directory.storedEntry(row);
            if (entry.damaged) {
                EXPECT_TRUE(refused.contains(decodeMemberName(entry.name))) << entry.name;
            }
        }
        std::size_t written = 0;
        for (const auto& item : fs::recursive_directory_iterator(rig.out))
            written += item.is_regular_file() ? 1 : 0;
        EXPECT_EQ(written, static_cast<std::size_t>(summary.extracted));
        EXPECT_EQ(test::treeSnapshot(rig.root.path(), rig.out), before);
    });
}

} // namespace
} // namespace skarde
