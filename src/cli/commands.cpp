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

// The options every converting command shares.
constexpr const char* kNoClobberAndQuietHelp =
    "    -n, --no-clobber      leave an output file that exists alone (reported as\n"
    "                          skipped)\n"
    "    -q, --quiet           no line per file and no closing count; problems and\n"
    "                          warnings still show\n";

// The actions that write archives. Every one writes a scratch file beside the archive, reads
// it back, and only then puts it in place.
constexpr const char* kVolWriteHelp =
    "  vol update [--convert] [--add] [-q] [-o NEW.vol] ARCHIVE FOLDER\n"
    "    Puts edited files back: every file under FOLDER whose path, relative to\n"
    "    FOLDER, names a member (without regard to case, \"/\" or \"\\\") and whose\n"
    "    content differs replaces that member; one line per member replaced or\n"
    "    added. Other files are reported and left out.\n"
    "    --convert             a Windows bitmap standing for a game bitmap member\n"
    "                          goes back as a game bitmap with the member's\n"
    "                          palette number and drawing attributes (the way back\n"
    "                          from vol extract --convert)\n"
    "    --add                 add the files that name no member\n"
    "  vol add [-q] [-o NEW.vol] ARCHIVE FILE[=MEMBER]...\n"
    "    Adds each FILE as MEMBER, or under its path as given (its name alone\n"
    "    when the path is absolute or leads up), at the end of the archive.\n"
    "  vol remove [-q] [-o NEW.vol] ARCHIVE MEMBER...\n"
    "    Removes the members the MEMBERs match (as vol extract matches them).\n"
    "    A MEMBER that matches nothing, or removing every member, is refused.\n"
    "  vol pack [-q] FOLDER --like GAME.vol -o NEW.vol\n"
    "    Writes a new archive of every file under FOLDER, named by its relative\n"
    "    path with \"\\\" between folders, copying the header and tags (whose\n"
    "    meaning is unknown) from the archive GAME.vol.\n"
    "    -o NEW.vol            write the new archive there, and leave ARCHIVE as it\n"
    "                          is; without -o, ARCHIVE is updated in place and the\n"
    "                          previous one kept as ARCHIVE.bak (or ARCHIVE.2.bak,\n"
    "                          ... when that exists)\n"
    "    A refused or failed write leaves the archive and its backups as they were.\n";

} // namespace

std::string convertingOptionsHelp() {
    return kNoClobberAndQuietHelp;
}

std::span<const CliCommand> allCommands() {
    // Built once: the bmp2pbmp help is put together from the palette table.
    static const std::array commands{
        CliCommand{"pbmp2bmp",
                   "pbmp2bmp [--pals DIR] [--world-palette NAME] [--format FORMAT] [-n] [-q]\n"
                   "         -o OUTDIR FILE...\n"
                   "    Converts each game bitmap (PBMP) FILE into an 8-bit Windows bitmap\n"
                   "    OUTDIR/<FILE's name>. An image whose palette has no file is drawn in\n"
                   "    grey, with a warning. Two FILEs of one name are refused.\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n" +
                       worldPaletteOptionHelp() + formatOptionHelp() + kNoClobberAndQuietHelp,
                   runPbmp2Bmp},
        CliCommand{"pba2bmp",
                   "pba2bmp [--pals DIR] [--world-palette NAME] [--format FORMAT] [-n] [-q]\n"
                   "        -o OUTDIR FILE...\n"
                   "    Writes every bitmap of each game bitmap array (PBA or PFT) FILE as an\n"
                   "    8-bit Windows bitmap OUTDIR/<FILE's name without its last four\n"
                   "    characters><k>.bmp, k counting the bitmaps from 0, and says how many\n"
                   "    it wrote for each FILE.\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n" +
                       worldPaletteOptionHelp() + formatOptionHelp() + kNoClobberAndQuietHelp,
                   runPba2Bmp},
        CliCommand{"bmp2pbmp", bmp2pbmpHelpText(), runBmp2Pbmp},
        CliCommand{"ppl2pal",
                   "ppl2pal [--pals DIR] [--yes | --no] [-q] -o OUTDIR FILE...\n"
                   "    Writes every palette of each game palette list (PPL) FILE as a palette\n"
                   "    file OUTDIR/<palette number>.pal, made from the pals folder's grey.pal,\n"
                   "    and says how many it wrote for each FILE. A FILE that is no palette\n"
                   "    list (one must declare 0 to 32767 palettes, hold nothing beyond them\n"
                   "    and number them -32768 to 32767) is refused with nothing written.\n"
                   "    --pals DIR  folder holding grey.pal (default: pals beside this program,\n"
                   "                else the installed ones)\n"
                   "    --yes       replace existing PAL files without asking\n"
                   "    --no, -n    keep existing PAL files without asking\n"
                   "                With neither, asks on the terminal when standard input is\n"
                   "                one (yes, no, all or none), and otherwise keeps them and\n"
                   "                says how many it kept.\n"
                   "    -q, --quiet no line per file and no closing count\n",
                   runPpl2Pal},
        CliCommand{"vol",
                   "vol list ARCHIVE [MEMBER...]\n"
                   "    Lists the members of a VOL archive in directory order, one line each:\n"
                   "    \"stored\", \"compressed\" or \"damaged\" (a stored member whose data\n"
                   "    lies outside the archive), a tab, the size in bytes, a tab, the name as\n"
                   "    stored (with \"\\\" between folders); only those MEMBERs match, if given.\n"
                   "  vol extract [--convert [--format FORMAT]] [--pals DIR]\n"
                   "              [--world-palette NAME] [-n] [-q]\n"
                   "              -o OUTDIR ARCHIVE [MEMBER...]\n"
                   "    Extracts the stored members of ARCHIVE that the MEMBERs match, or all\n"
                   "    of them when none is given, into OUTDIR with their folders. A MEMBER\n"
                   "    is a whole name as stored, matched without regard to case, \"/\"\n"
                   "    standing for \"\\\"; \"*\" matches any run of characters (\"\\\" too),\n"
                   "    \"?\" one character, and a folder matches everything in it\n"
                   "    (\"textures\\*.bmp\", \"*.txt\", \"textures\"). Compressed members can\n"
                   "    only be listed; they are counted as skipped.\n"
                   "    --convert             turn members whose name ends in \"bmp\" from game\n"
                   "                          bitmaps (PBMP) into Windows bitmaps; one that is\n"
                   "                          a Windows bitmap already is written as it is\n"
                   "    --pals DIR            folder of the palette files (default: pals beside\n"
                   "                          this program, else the installed ones)\n" +
                       worldPaletteOptionHelp() + formatOptionHelp() + kNoClobberAndQuietHelp +
                       kVolWriteHelp,
                   runVol},
    };
    return commands;
}

} // namespace skarde::cli
