#include "archive/memberpattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skarde {
namespace {

struct PatternCase {
    std::string pattern;
    std::string name; // decoded, as stored: "\" between folders
    bool matches;
};

TEST(MemberPattern, MatchesWholeNamesAndFoldersAsArchiversDo) {
    const std::vector<PatternCase> cases{
        // Whole names, without regard to case, "/" for "\".
        {"readme.txt", "readme.txt", true},
        {"README.TXT", "ReadMe.txt", true},
        {"readme.txt", "docs\\readme.txt", false},
        {"docs/readme.txt", "docs\\readme.txt", true},
        {"readme", "readme.txt", false},
        // "*" takes any run, separators included; "?" one character.
        {"*.txt", "docs\\readme.txt", true},
        {"*.txt", "readme.txt.bak", false},
        {"textures\\*.bmp", "textures\\sub\\rock.bmp", true},
        {"textures\\*.bmp", "textures.bmp", false},
        {"*", "a", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYcZ", false},
        {"?.wav", "b.wav", true},
        {"?.wav", "bb.wav", false},
        {"?.wav", ".wav", false},
        {"caf?.wav", "caf\xC3\xA9.wav", true}, // one character of two bytes
        {"??.wav", "\xC3\xA9.wav", false},
        {"*\xC3\xA9", "caf\xC3\xA9", true},
        // A folder takes in everything below it, however it is written.
        {"textures", "textures\\rock.bmp", true},
        {"Textures\\", "textures\\sub\\rock.bmp", true},
        {"textures/", "textures\\rock.bmp", true},
        {"textures", "textures.txt", false},
        {"textures", "mytextures\\rock.bmp", false},
        {"tex?ures", "textures\\rock.bmp", true},
        {"textures\\sub", "textures\\sub\\deep\\rock.bmp", true},
        {"sub", "textures\\sub\\rock.bmp", false},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(MemberPattern(c.pattern).matches(c.name), c.matches)
            << c.pattern << " against " << c.name;
}

TEST(MemberPattern, TellsWildcardsAndEmptyPatterns) {
    EXPECT_TRUE(MemberPattern("*.txt").hasWildcards());
    EXPECT_TRUE(MemberPattern("a?").hasWildcards());
    EXPECT_FALSE(MemberPattern("docs\\a.txt").hasWildcards());
    EXPECT_TRUE(MemberPattern("\\/").isEmpty());
    EXPECT_FALSE(MemberPattern("a\\").isEmpty());
    EXPECT_EQ(MemberPattern("a\\").typed(), "a\\");
}

// Long runs of stars against a name that nearly matches: no time blown up by going back.
TEST(MemberPattern, StaysLinearOnManyStars) {
    const std::string name(4000, 'a');
    EXPECT_FALSE(MemberPattern("*a*a*a*a*a*a*a*a*a*a*b").matches(name));
    EXPECT_TRUE(MemberPattern("*a*a*a*a*a*a*a*a*a*a").matches(name));
}

} // namespace
} // namespace skarde
