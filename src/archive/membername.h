#pragma once

// Member names: 8-bit Windows-1252 text with "\" between folders, used as paths relative to an
// output folder. A name from a hostile archive must never reach outside that folder, so every
// use of a name as a path goes through memberRelativePath.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace skarde {

// The name as UTF-8 text, separators unchanged, for display and messages.
std::string decodeMemberName(std::string_view rawName);

// The 8-bit name a member typed as UTF-8 text gets in an archive: Windows-1252 bytes, with "\"
// for every "/". Nothing when the text is not UTF-8 or holds a character Windows-1252 lacks.
std::optional<std::string> encodeMemberName(std::string_view utf8Name);

// Why the name cannot be used as a path inside an output folder (empty, absolute, a drive
// letter, a ".." part, no file part), or nothing when it can.
std::optional<std::string> unsafeMemberNameReason(std::string_view rawName);

// The name's parts, split on "\" (and "/", a separator on the game's platform too), decoded
// and joined with this platform's separator. Throws Problem naming the member when unsafe.
std::filesystem::path memberRelativePath(std::string_view rawName);
// The same path as UTF-8 text with "/" between its parts, for callers that handle many names
// and would rather not build a path object for each part; pathFromRelativeText makes the path.
std::string memberRelativeText(std::string_view rawName);
std::filesystem::path pathFromRelativeText(std::string_view relativeText);

// Members whose name ends in "bmp" in any letter case are game bitmaps to convert.
bool isBitmapMemberName(std::string_view rawName);

// Matching a name typed by a user (UTF-8) against a member's: letter case ignored, and "/"
// taken for "\".
bool memberNameMatches(std::string_view rawName, std::string_view requested);

} // namespace skarde
