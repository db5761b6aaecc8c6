#pragma once

// Choosing members by what a user types, as archivers do: "*" for any run of characters (folder
// separators included), "?" for one character, and a folder's name for everything in it
// ("textures", "textures\" and "textures/" alike). Letter case is ignored and "/" is taken for
// "\"; a pattern is matched against whole names as stored, never against a part of one.

#include <string>
#include <string_view>

namespace skarde {

class MemberPattern {
public:
    // `typed` is UTF-8; separators at its end are dropped.
    explicit MemberPattern(std::string_view typed);

    // `name` is a member's name decoded to UTF-8 (decodeMemberName), so that a name is decoded
    // once however many patterns it is tried against.
    bool matches(std::string_view name) const;
    bool hasWildcards() const;
    // Whether anything is left to match once the final separators are dropped.
    bool isEmpty() const { return pattern_.empty(); }
    const std::string& typed() const { return typed_; }

private:
    bool matchesCandidate(std::string_view text) const;

    std::string typed_;
    std::string pattern_;
    std::string literalTail_; // what follows the last "*", when it holds no "?"
};

} // namespace skarde
