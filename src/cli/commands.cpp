#include "clicommand.h"
#include "pbmp2bmpcommand.h"
#include "volcommand.h"

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
        CliCommand{"vol",
                   "vol list ARCHIVE\n"
                   "    Lists the members of a VOL archive in directory order, one line each:\n"
                   "    \"stored\" or \"compressed\", a tab, the size in bytes, a tab, the name\n"
                   "    as stored (with \"\\\" between folders).\n"
                   "  vol extract [--convert] [--pals DIR] [--world-palette NAME] -o OUTDIR\n"
                   "              ARCHIVE [MEMBER...]\n"
                   "    Extracts the named stored members of ARCHIVE, or all of them when none\n"
                   "    is named, into OUTDIR with their folders. Names are matched without\n"
                   "    regard to case, and \"/\" may stand for \"\\\". Compressed members can\n"
                   "    only be listed.\n"
                   "    --convert             turn members whose name ends in \"bmp\" from game\n"
                   "                          bitmaps (PBMP) into Windows bitmaps\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program)\n"
                   "    --world-palette NAME  palette used for world-dependent images\n"
                   "                          (palette 1071); default Grey\n",
                   runVol},
    };
    return commands;
}

} // namespace skarde::cli
