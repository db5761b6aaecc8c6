#include "terminalprompts.h"

#include "clicommand.h"
#include "converters/pbmpformat.h"
#include "core/fileio.h"
#include "terminal.h"

#include <iostream>

namespace skarde::cli {

void TerminalPrompts::showMessage(std::string_view text, MessageKind kind) {
    if (quiet_ && kind == MessageKind::Summary)
        return;
    std::ostream& stream = kind == MessageKind::Summary ? std::cout : std::cerr;
    if (!currentInput_.empty())
        stream << currentInput_ << ": ";
    stream << text << '\n';
}

void TerminalPrompts::reportProblem(std::string_view subject, std::string_view problem) {
    std::cerr << subject << ": " << problem << '\n';
}

void TerminalPrompts::notePaletteFallback(const PaletteFallback& fallback) {
    const std::string folder = displayPath(palsFolder_);
    std::cerr << fallback.imageName << ": drawn in grey: ";
    if (fallback.paletteNumber != kWorldPaletteNumber)
        std::cerr << "palette " << fallback.paletteName << " has no file " << fallback.paletteName
                  << ".pal in " << folder
                  << "; put it there, or give --pals a folder that has it\n";
    else if (fallback.paletteName.empty())
        std::cerr << "its colours depend on the game world (palette " << kWorldPaletteNumber
                  << "); give --world-palette with one of: " << namedPalettesText(palsFolder_)
                  << '\n';
    else
        std::cerr << "world palette " << fallback.paletteName << " has no file "
                  << fallback.paletteName << ".pal in " << folder
                  << "; give --world-palette with one of: " << namedPalettesText(palsFolder_)
                  << '\n';
}

void TerminalPrompts::noteFileKept(std::string_view path) {
    if (!quiet_)
        std::cerr << currentInput_ << ": skipped: " << path << " exists\n";
}

bool TerminalPrompts::askYesNo(std::string_view question) {
    return askToReplace(question, {});
}

namespace {

enum class Answer { Yes, No, All, None, Unknown };

Answer answerFrom(std::string typed) {
    for (char& c : typed)
        c = foldCase(c);
    if (typed == "y" || typed == "yes")
        return Answer::Yes;
    if (typed == "n" || typed == "no")
        return Answer::No;
    if (typed == "a" || typed == "all")
        return Answer::All;
    if (typed == "none")
        return Answer::None;
    return Answer::Unknown;
}

} // namespace

bool TerminalPrompts::askToReplace(std::string_view question, std::string_view path) {
    if (replaceAnswer_ != ReplaceAnswer::AskOnTerminal)
        return replaceAnswer_ == ReplaceAnswer::Yes;
    if (!standardInputIsTerminal()) {
        ++keptWithoutAsking_;
        return false;
    }
    for (;;) {
        if (!path.empty())
            std::cerr << path << ": ";
        std::cerr << question << " [yes/no/all/none] " << std::flush;
        std::string typed;
        if (!std::getline(std::cin, typed))
            return false;
        switch (answerFrom(typed)) {
        case Answer::Yes:
            return true;
        case Answer::No:
            return false;
        case Answer::All:
            replaceAnswer_ = ReplaceAnswer::Yes;
            return true;
        case Answer::None:
            replaceAnswer_ = ReplaceAnswer::No;
            return false;
        case Answer::Unknown:
            break;
        }
    }
}

} // namespace skarde::cli
