#include "bmp2pbmpcommand.h"
#include "clicommand.h"
#include "pba2bmpcommand.h"
#include "pbmp2bmpcommand.h"
#include "ppl2palcommand.h"
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
                   "                          this program, else the installed ones)\n"
                   "    --world-palette NAME  palette used for world-dependent images\n"
                   "                          (palette 1071); default Grey\n",
                   runPbmp2Bmp},
        CliCommand{"pba2bmp",
                   "pba2bmp [--pals DIR] [--world-palette NAME] -o OUTDIR FILE...\n"
                   "    Writes every bitmap of each game bitmap array (PBA or PFT) FILE as an\n"
                   "    8-bit Windows bitmap OUTDIR/<FILE's name without its last four\n"
                   "    characters><k>.bmp, k counting the bitmaps from 0, and says how many\n"
                   "    it wrote for each FILE.\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n"
                   "    --world-palette NAME  palette used for world-dependent images\n"
                   "                          (palette 1071); default Grey\n",
                   runPba2Bmp},
        CliCommand{"bmp2pbmp",
                   "bmp2pbmp --palette P [--option O] -o OUTDIR FILE...\n"
                   "    Converts each uncompressed 8-bit Windows bitmap FILE into a game bitmap\n"
                   "    (PBMP) OUTDIR/<FILE's name> that names a game palette and carries a\n"
                   "    drawing option (the RuziRire+ tool).\n"
                   "    --palette P  the game palette: a list position 0 to 19, a palette\n"
                   "                 number 500, 503, 504, 506, 509, 510, 518, 519, 520, 1071,\n"
                   "                 1135, 1136, 1137, 1467, 1974, 1975, 1976, 1977, 4294, 5150,\n"
                   "                 or its name Desert, Human1, Ice, Lush, Savana, Titan, Mud,\n"
                   "                 Mars, Alien, xxxxWORLD, Entities, Skins, UNKNOWN, Commander,\n"
                   "                 Subtractive, Additive, TranslBW, TranslRG, Shell, Interface\n"
                   "                 (any letter case)\n"
                   "    --option O   the drawing option: 1 none (default), 2 additive,\n"
                   "                 3 subtractive, 4 translucent, 5 transparent (black\n"
                   "                 background), by number or by word\n",
                   runBmp2Pbmp},
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
                   "                          this program, else the installed ones)\n"
                   "    --world-palette NAME  palette used for world-dependent images\n"
                   "                          (palette 1071); default Grey\n",
                   runVol},
    };
    return commands;
}

} // namespace skarde::cli
