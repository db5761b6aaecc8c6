#pragma once

// The RuziRire+ choices: the 20 game palettes of the palette list and the five drawing options
// of the slider, with the values the BMP to PBMP converter writes for them.
// A choice reaches the converter as the decimal text of the list position or slider value.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace skarde {

struct GamePaletteChoice {
    std::int32_t paletteNumber;
    std::string_view listName;
};

// In list order: position 0 first.
// clang-format off
inline constexpr std::array<GamePaletteChoice, 20> kGamePaletteChoices{{
    {500, "Desert"},     {503, "Human1"},     {504, "Ice"},          {506, "Lush"},
    {509, "Savana"},     {510, "Titan"},      {518, "Mud"},          {519, "Mars"},
    {520, "Alien"},      {1071, "xxxxWORLD"}, {1135, "Entities"},    {1136, "Skins"},
    {1137, "UNKNOWN"},   {1467, "Commander"}, {1974, "Subtractive"}, {1975, "Additive"},
    {1976, "TranslBW"},  {1977, "TranslRG"},  {4294, "Shell"},       {5150, "Interface"},
}};
// clang-format on

struct DrawingOptionChoice {
    int sliderValue;          // 1 (top) to 5 (bottom)
    std::uint32_t attributes; // the PBMP header's attributes word
    std::string_view caption; // the label beside that slider position, as the window shows it
    int labelIndex;           // the index of that label in the window's Label5 array
};

// In slider order: value 1 first.
inline constexpr std::array<DrawingOptionChoice, 5> kDrawingOptionChoices{{
    {1, 8, "None", 4},
    {2, 24, "Additive Palette", 0},
    {3, 40, "Subtractive Palette", 1},
    {4, 12, "Tranlucent Image", 2},
    {5, 9, "Transparent Background Black (RGB 0,0,0)", 3},
}};

inline constexpr std::int32_t kNoPaletteChosen = 0;
inline constexpr std::uint32_t kNoDrawingOption = 8;

// The palette number for a palette choice: "0" to "19" exactly (no blank, sign or leading zero);
// any other text, the empty one included, gives 0.
std::int32_t paletteNumberForChoice(std::string_view paletteChoice);
// The attributes for an option choice: "1" to "5" exactly; any other text gives 8.
std::uint32_t attributesForChoice(std::string_view optionChoice);

// The text of list entry `position` (0 to 19): the number (three-digit ones after one space),
// a tab and the name; the first entry has nine spaces instead of the tab.
std::string paletteListEntryText(std::size_t position);

} // namespace skarde
