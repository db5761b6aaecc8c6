#include "clicommand.h"
#include "pbmp2bmpcommand.h"

#include <array>

namespace skarde::cli {

std::span<const CliCommand> allCommands() {
    static constexpr std::array commands{
        CliCommand{"pbmp2bmp",
                   "pbmp2bmp [--pals DIR] [--world-palette NAME] -o OUTDIR FILE...\n"
                   "    Converts each game bitmap (PBMP) FILE into an 8-bit Windows bitmap\n"
                   "    OUTDIR/<FILE's name>.\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program)\n"
                   "    --world-palette NAME  palette used for world-dependent images\n"
                   "                          (palette 1071); default Grey\n",
                   runPbmp2Bmp},
    };
    return commands;
}

} // namespace skarde::cli
