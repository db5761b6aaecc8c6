#include "bmp2pbmpcommand.h"
#include "clicommand.h"
#include "pba2bmpcommand.h"
#include "pbmp2bmpcommand.h"
#include "ppl2palcommand.h"
#include "volcommand.h"

#include "converters/palette.h"

#include <array>
#include <string>

namespace skarde::cli {

namespace {

// The world palettes are named where the help is read, not only in the palette dialog.
std::string worldPaletteOptionHelp() {
    const std::string indent(26, ' ');
    std::string text =
        "    --world-palette NAME  the world whose palette colours world-dependent\n" + indent +
        "images (palette 1071), NAME.pal in the palette folder:\n" + indent;
    for (std::size_t i = 0; i < kWorldPaletteNames.size(); ++i) {
        const bool last = i + 1 == kWorldPaletteNames.size();
        text += std::string(i == 0   ? ""
                            : last   ? " or "
                            : i == 4 ? ",\n" + indent
                                     : ", ") +
                std::string(kWorldPaletteNames[i]);
    }
    return text + ".\n" + indent + "Without it they are drawn in grey, with a warning.\n";
}

} // namespace

std::span<const CliCommand> allCommands() {
    // Built once: the bmp2pbmp help is put together from the palette table.
    static const std::array commands{
        CliCommand{"pbmp2bmp",
                   "pbmp2bmp [--pals DIR] [--world-palette NAME] -o OUTDIR FILE...\n"
                   "    Converts each game bitmap (PBMP) FILE into an 8-bit Windows bitmap\n"
                   "    OUTDIR/<FILE's name>.\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n" +
                       worldPaletteOptionHelp(),
                   runPbmp2Bmp},
        CliCommand{"pba2bmp",
                   "pba2bmp [--pals DIR] [--world-palette NAME] -o OUTDIR FILE...\n"
                   "    Writes every bitmap of each game bitmap array (PBA or PFT) FILE as an\n"
                   "    8-bit Windows bitmap OUTDIR/<FILE's name without its last four\n"
                   "    characters><k>.bmp, k counting the bitmaps from 0, and says how many\n"
                   "    it wrote for each FILE.\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n" +
                       worldPaletteOptionHelp(),
                   runPba2Bmp},
        CliCommand{"bmp2pbmp", bmp2pbmpHelpText(), runBmp2Pbmp},
        CliCommand{"ppl2pal",
                   "ppl2pal [--pals DIR] [--yes | --no] -o OUTDIR FILE...\n"
                   "    Writes every palette of each game palette list (PPL) FILE as a palette\n"
                   "    file OUTDIR/<palette number>.pal, made from the pals folder's grey.pal,\n"
                   "    and says how many it wrote for each FILE.\n"
                   "    --pals DIR  folder holding grey.pal (default: pals beside this program,\n"
                   "                else the installed ones)\n"
                   "    --yes       replace existing PAL files without asking\n"
                   "    --no        keep existing PAL files without asking\n"
                   "                With neither, asks on the terminal when standard input is\n"
                   "                one, and otherwise keeps them.\n",
                   runPpl2Pal},
        CliCommand{"vol",
                   "vol list ARCHIVE\n"
                   "    Lists the members of a VOL archive in directory order, one line each:\n"
                   "    \"stored\", \"compressed\" or \"damaged\" (a stored member whose data\n"
                   "    lies outside the archive), a tab, the size in bytes, a tab, the name as\n"
                   "    stored (with \"\\\" between folders).\n"
                   "  vol extract [--convert] [--pals DIR] [--world-palette NAME] -o OUTDIR\n"
                   "              ARCHIVE [MEMBER...]\n"
                   "    Extracts the named stored members of ARCHIVE, or all of them when none\n"
                   "    is named, into OUTDIR with their folders. Names are matched without\n"
                   "    regard to case, and \"/\" may stand for \"\\\". Compressed members can\n"
                   "    only be listed.\n"
                   "    --convert             turn members whose name ends in \"bmp\" from game\n"
                   "                          bitmaps (PBMP) into Windows bitmaps\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n" +
                       worldPaletteOptionHelp(),
                   runVol},
    };
    return commands;
}

} // namespace skarde::cli
