#include "pbmpchoices.h"

namespace skarde {

namespace {

// The index whose plain decimal text equals `choice`, or `count` when there is none.
std::size_t choiceIndex(std::string_view choice, std::size_t first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (choice == std::to_string(first + i))
            return i;
    }
    return count;
}

} // namespace

std::int32_t paletteNumberForChoice(std::string_view paletteChoice) {
    const std::size_t i = choiceIndex(paletteChoice, 0, kGamePaletteChoices.size());
    return i < kGamePaletteChoices.size() ? kGamePaletteChoices[i].paletteNumber : kNoPaletteChosen;
}

std::uint32_t attributesForChoice(std::string_view optionChoice) {
    const std::size_t i = choiceIndex(optionChoice, 1, kDrawingOptionChoices.size());
    return i < kDrawingOptionChoices.size() ? kDrawingOptionChoices[i].attributes
                                            : kNoDrawingOption;
}

std::string paletteListEntryText(std::size_t position) {
    const GamePaletteChoice& choice = kGamePaletteChoices.at(position);
    std::string number = std::to_string(choice.paletteNumber);
    if (number.size() == 3)
        number = " " + number;
    const std::string separator = position == 0 ? std::string(9, ' ') : std::string("\t");
    return number + separator + std::string(choice.listName);
}

} // namespace skarde
