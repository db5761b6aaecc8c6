#include "converters/outputbase.h"

#include <gtest/gtest.h>

#include <string>

namespace skarde {
namespace {

namespace fs = std::filesystem;

// The path's text as UTF-8 bytes, so that a mismatch prints readably and a trailing separator
// counts.
std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

struct NamedCase {
    const char* what;
    fs::path input;
    fs::path expectedBase;
};

// The cut falls between characters: a cut by bytes or by UTF-16 units would keep part of a
// non-ASCII character or a different number of characters.
TEST(OutputBase, IsTheOutputFolderAndTheFileNameWithoutItsLastFourCharacters) {
    const fs::path out = fs::path("out") / "pictures";
    const std::vector<NamedCase> cases{
        {"plain", "icons.pba", out / "icons"},
        {"upper-case extension", "Decals.PFT", out / "Decals"},
        {"only the file name counts", fs::path("source") / "a.b" / "worlds.ppl", out / "worlds"},
        {"any last four", "ab.cdef", out / "ab."},
        {"accent before the extension", u8"fa\u00e7ade.pba", out / u8"fa\u00e7ade"},
        {"accent in the last four", u8"x.pb\u00e9", out / "x"},
        {"accents either side", u8"\u00e9t\u00e9.p\u00e9a", out / u8"\u00e9t\u00e9"},
        // Outside the 16-bit range: two UTF-16 units, four UTF-8 bytes, one character.
        {"wide character in the last four", u8"ab.p\U0001F600", out / "a"},
        {"wide character before the extension", u8"\U0001F600.pft", out / u8"\U0001F600"},
        {"four characters", ".pba", out / ""},
        {"fewer than four", u8"\u00e9", out / ""},
    };
    for (const NamedCase& entry : cases) {
        SCOPED_TRACE(entry.what);
        EXPECT_EQ(utf8(outputBaseFor(entry.input, out)), utf8(entry.expectedBase));
    }
}

TEST(OutputBase, JoinsARootFolderWithoutADoubledSeparator) {
    EXPECT_EQ(utf8(outputBaseFor(fs::path("/games") / "skins.pba", "/")), "/skins");
}

} // namespace
} // namespace skarde
