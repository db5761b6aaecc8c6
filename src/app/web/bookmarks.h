#pragma once

// The WebPages menu's six fixed web pages, in the order the menu shows them. Bookmarks 1 to 5
// are pages of members of the game's community, captioned with their nicknames; bookmark 6 is
// the community site.

#include <array>
#include <string_view>

namespace skarde::gui {

struct Bookmark {
    int number = 0;
    std::string_view entryName;
    std::string_view caption;
    std::string_view address;
};

inline constexpr std::array<Bookmark, 6> kBookmarks{{
    {6, "mnuViewSite6", "Skardeplayers", "https://skardeplayers.example/"},
    {1, "mnuViewSite1", "Quillrun", "https://skardeplayers.example/members/quillrun/"},
    {2, "mnuViewSite2", "Brask", "https://skardeplayers.example/members/brask/"},
    {4, "mnuViewSite4", "Tovenpike", "https://skardeplayers.example/members/tovenpike/"},
    {5, "mnuViewSite5", "Ashmoor", "https://skardeplayers.example/members/ashmoor/"},
    {3, "mnuViewSite3", "Velkrin", "https://skardeplayers.example/members/velkrin/"},
}};

// The separator after the first bookmark.
inline constexpr std::string_view kBookmarkSeparatorName = "mnuWindowBar1";

} // namespace skarde::gui
