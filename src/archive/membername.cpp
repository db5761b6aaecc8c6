#include "membername.h"

#include "core/fileio.h"
#include "core/problem.h"

#include <array>
#include <cstdint>
#include <vector>

namespace skarde {

namespace fs = std::filesystem;

namespace {

// Code points of bytes 0x80 to 0x9F; the five unassigned bytes keep their own value.
constexpr std::array<char32_t, 32> kHighControlRange{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string_view> splitName(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || isSeparator(name[i])) {
            parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// "..", and names such as "..." or ". ." that some file systems shorten to it.
bool climbsUp(std::string_view part) {
    if (part.size() < 2)
        return false;
    for (char c : part)
        if (c != '.' && c != ' ')
            return false;
    return part.find('.') != std::string_view::npos;
}

bool hasDriveLetter(std::string_view name) {
    const auto letter = static_cast<unsigned char>(name.size() >= 2 ? name[0] : 0);
    const bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
    return isLetter && name[1] == ':';
}

// Windows refuses these characters and any control character in a file name.
bool hasCharacterWindowsRefuses(std::string_view part) {
    for (char c : part)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            return true;
    return false;
}

// Device names, whatever the letter case and whatever follows the first dot ("aux.txt").
// Bytes 0xB9, 0xB2 and 0xB3 are the superscript digits that Windows takes for 1, 2 and 3.
bool isDeviceName(std::string_view part) {
    const std::string_view stem = part.substr(0, part.find('.'));
    for (std::string_view device : {"con", "prn", "aux", "nul"})
        if (equalsIgnoringCase(stem, device))
            return true;
    if (stem.size() != 4 || !(equalsIgnoringCase(stem.substr(0, 3), "com") ||
                              equalsIgnoringCase(stem.substr(0, 3), "lpt")))
        return false;
    const auto digit = static_cast<unsigned char>(stem[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

// Checked on every platform, so that an archive extracts to the same files everywhere.
std::optional<std::string> windowsRefusalReason(std::string_view part) {
    if (hasCharacterWindowsRefuses(part))
        return "The member's name holds a character that Windows does not allow in file names.";
    if (isDeviceName(part))
        return "The member's name is reserved for a device on Windows.";
    if (!part.empty() && part != "." && (part.back() == '.' || part.back() == ' '))
        return "The member's name ends in a dot or a space, which Windows drops.";
    return std::nullopt;
}

// The next code point of UTF-8 text, or nothing for a malformed sequence.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead >= 0xF8 || at + static_cast<std::size_t>(extra) > text.size())
        return std::nullopt;
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kShortest[extra])
        return std::nullopt; // an overlong form, which could hide a "/" or a "."
    return code;
}

std::optional<char> windows1252Byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i)
        if (kHighControlRange[i] == code)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

void appendDecoded(std::string& text, std::string_view rawName) {
    for (char c : rawName) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            appendUtf8(text, kHighControlRange[byte - 0x80]);
        else
            appendUtf8(text, byte);
    }
}

} // namespace

std::optional<std::string> encodeMemberName(std::string_view utf8Name) {
    std::string raw;
    raw.reserve(utf8Name.size());
    for (std::size_t at = 0; at < utf8Name.size();) {
        const std::optional<char32_t> code = nextCodePoint(utf8Name, at);
        const std::optional<char> byte = code ? windows1252Byte(*code) : std::nullopt;
        if (!byte)
            return std::nullopt;
        raw += *byte == '/' ? '\\' : *byte;
    }
    return raw;
}

std::string decodeMemberName(std::string_view rawName) {
    std::string text;
    text.reserve(rawName.size());
    appendDecoded(text, rawName);
    return text;
}

std::optional<std::string> unsafeMemberNameReason(std::string_view rawName) {
    if (rawName.empty())
        return "The member has no name.";
    if (isSeparator(rawName.front()))
        return "The member's name is an absolute path; it would be written outside the output "
               "folder.";
    const std::vector<std::string_view> parts = splitName(rawName);
    for (std::string_view part : parts)
        if (hasDriveLetter(part))
            return "The member's name carries a drive letter; it would be written outside the "
                   "output folder.";
    for (std::string_view part : parts)
        if (climbsUp(part))
            return "The member's name has a \"..\" part; it would be written outside the output "
                   "folder.";
    if (parts.back().empty() || parts.back() == ".")
        return "The member's name ends in a folder separator and names no file.";
    for (std::string_view part : parts)
        if (auto reason = windowsRefusalReason(part))
            return reason;
    return std::nullopt;
}

std::string memberRelativeText(std::string_view rawName) {
    if (const auto reason = unsafeMemberNameReason(rawName))
        throw Problem::refusal(decodeMemberName(rawName), *reason);
    std::string text;
    text.reserve(rawName.size());
    for (std::string_view part : splitName(rawName)) {
        if (part.empty() || part == ".")
            continue;
        if (!text.empty())
            text += '/';
        appendDecoded(text, part);
    }
    return text;
}

fs::path memberRelativePath(std::string_view rawName) {
    return pathFromRelativeText(memberRelativeText(rawName));
}

fs::path pathFromRelativeText(std::string_view relativeText) {
    fs::path path(std::u8string(relativeText.begin(), relativeText.end()));
    return path.make_preferred();
}

bool isBitmapMemberName(std::string_view rawName) {
    return rawName.size() >= 3 && equalsIgnoringCase(rawName.substr(rawName.size() - 3), "bmp");
}

bool memberNameMatches(std::string_view rawName, std::string_view requested) {
    const std::string name = decodeMemberName(rawName);
    if (name.size() != requested.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool bothSeparators = isSeparator(name[i]) && isSeparator(requested[i]);
        if (!bothSeparators && foldCase(name[i]) != foldCase(requested[i]))
            return false;
    }
    return true;
}

} // namespace skarde
