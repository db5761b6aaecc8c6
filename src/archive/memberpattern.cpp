#include "memberpattern.h"

#include "core/fileio.h"

namespace skarde {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool sameCharacter(char patternChar, char nameChar) {
    if (isSeparator(patternChar))
        return isSeparator(nameChar);
    return foldCase(patternChar) == foldCase(nameChar);
}

// The start of the character after the one at `at`: a UTF-8 character is one lead byte and its
// continuation bytes, and "?" stands for the whole of it.
std::size_t nextCharacter(std::string_view text, std::size_t at) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        ++at;
    return at;
}

// Greedy, going back only to the last "*": linear for the patterns people type.
bool matchesWhole(std::string_view pattern, std::string_view text) {
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starText = t;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            t = nextCharacter(text, t);
        } else if (p < pattern.size() && sameCharacter(pattern[p], text[t])) {
            ++p;
            ++t;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            starText = nextCharacter(text, starText);
            t = starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

MemberPattern::MemberPattern(std::string_view typed) : typed_(typed), pattern_(typed) {
    while (!pattern_.empty() && isSeparator(pattern_.back()))
        pattern_.pop_back();
}

bool MemberPattern::hasWildcards() const {
    return pattern_.find_first_of("*?") != std::string::npos;
}

// The whole name, or the folder part of it up to any separator: a folder's pattern takes in
// everything below that folder.
bool MemberPattern::matches(std::string_view name) const {
    if (matchesWhole(pattern_, name))
        return true;
    for (std::size_t at = name.find_first_of("\\/"); at != std::string_view::npos;
         at = name.find_first_of("\\/", at + 1))
        if (at > 0 && matchesWhole(pattern_, name.substr(0, at)))
            return true;
    return false;
}

} // namespace skarde
