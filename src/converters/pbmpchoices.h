#pragma once

// The RuziRire+ choices: the 20 game palettes of the palette list and the five drawing options
// of the slider, with the values the BMP to PBMP converter writes for them.
// A choice reaches the converter as a PaletteListPosition and an OptionSliderValue, which can
// only hold a position of the list and a value of the slider.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
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
};

// In slider order: value 1 first.
inline constexpr std::array<DrawingOptionChoice, 5> kDrawingOptionChoices{{
    {1, 8},
    {2, 24},
    {3, 40},
    {4, 12},
    {5, 9},
}};

// The palette chosen: a position in the palette list, 0 to 19.
class PaletteListPosition {
public:
    // Throws std::out_of_range for a position outside the list.
    constexpr explicit PaletteListPosition(int position) : position_(position) {
        if (position < 0 || position >= static_cast<int>(kGamePaletteChoices.size()))
            throw std::out_of_range("no palette at list position " + std::to_string(position));
    }
    constexpr int position() const { return position_; }
    constexpr const GamePaletteChoice& entry() const {
        return kGamePaletteChoices[static_cast<std::size_t>(position_)];
    }
    constexpr std::int32_t paletteNumber() const { return entry().paletteNumber; }

private:
    int position_;
};

// The drawing option chosen: a value of the slider, 1 (top) to 5 (bottom).
class OptionSliderValue {
public:
    // Throws std::out_of_range for a value off the slider.
    constexpr explicit OptionSliderValue(int value) : value_(value) {
        if (value < 1 || value > static_cast<int>(kDrawingOptionChoices.size()))
            throw std::out_of_range("no drawing option at slider value " + std::to_string(value));
    }
    constexpr int value() const { return value_; }
    constexpr const DrawingOptionChoice& entry() const {
        return kDrawingOptionChoices[static_cast<std::size_t>(value_ - 1)];
    }
    constexpr std::uint32_t attributes() const { return entry().attributes; }

private:
    int value_;
};

// The text of list entry `position` (0 to 19): the number (three-digit ones after one space),
// a tab and the name; the first entry has nine spaces instead of the tab.
std::string paletteListEntryText(std::size_t position);

} // namespace skarde
