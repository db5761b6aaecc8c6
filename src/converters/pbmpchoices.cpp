#include "pbmpchoices.h"

namespace skarde {

std::string paletteListEntryText(std::size_t position) {
    const GamePaletteChoice& choice = kGamePaletteChoices.at(position);
    std::string number = std::to_string(choice.paletteNumber);
    if (number.size() == 3)
        number = " " + number;
    const std::string separator = position == 0 ? std::string(9, ' ') : std::string("\t");
    return number + separator + std::string(choice.listName);
}

} // namespace skarde
