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
    const std::size_t lastStar = pattern_.rfind('*');
    const std::string_view tail =
        std::string_view(pattern_).substr(lastStar == std::string::npos ? 0 : lastStar + 1);
    if (tail.find('?') == std::string_view::npos)
        literalTail_ = tail;
}

// Most names fail on the pattern's last characters ("*.txt"), which are looked at first.
bool MemberPattern::matchesCandidate(std::string_view text) const {
    if (text.size() < literalTail_.size())
        return false;
    const std::string_view end = text.substr(text.size() - literalTail_.size());
    for (std::size_t i = 0; i < literalTail_.size(); ++i)
        if (!sameCharacter(literalTail_[i], end[i]))
            return false;
    return matchesWhole(pattern_, text);
}

bool MemberPattern::hasWildcards() const {
    return pattern_.find_first_of("*?") != std::string::npos;
}

// The whole name, or the folder part of it up to any separator: a folder's pattern takes in
// everything below that folder.
bool MemberPattern::matches(std::string_view name) const {
    if (matchesCandidate(name))
        return true;
    // A plain loop: find_first_of searches its set of two for every character of the name.
    for (std::size_t at = 1; at < name.size(); ++at)
        if (isSeparator(name[at]) && matchesCandidate(name.substr(0, at)))
            return true;
    return false;
}

} // namespace skarde
