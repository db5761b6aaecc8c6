#pragma once

#include "clicommand.h"
#include "converters/pbmpchoices.h"

#include <string>
#include <string_view>

namespace skarde::cli {

int runBmp2Pbmp(std::span<const std::string> arguments, const CommandEnvironment& environment);

// The command's --help text; the palettes are listed from the game's palette table.
std::string bmp2pbmpHelpText();

// --palette: a list position 0 to 19, a palette number of the table (500 ... 5150) or a list name
// (Desert ... Interface) in any letter case. Returns the list position; a usage error otherwise.
PaletteListPosition paletteChoiceFromArgument(std::string_view text);
// --option: 1 to 5 or none, additive, subtractive, translucent, transparent (any letter case).
// Returns the slider value; a usage error otherwise.
OptionSliderValue optionChoiceFromArgument(std::string_view text);

} // namespace skarde::cli
