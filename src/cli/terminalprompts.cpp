#include "terminalprompts.h"

#include "terminal.h"
#include <iostream>

namespace skarde::cli {

void TerminalPrompts::showMessage(std::string_view text, MessageKind kind) {
    std::ostream& stream = kind == MessageKind::Summary ? std::cout : std::cerr;
    if (!currentInput_.empty())
        stream << currentInput_ << ": ";
    stream << text << '\n';
}

void TerminalPrompts::reportProblem(std::string_view subject, std::string_view problem) {
    std::cerr << subject << ": " << problem << '\n';
}

bool TerminalPrompts::askYesNo(std::string_view question) {
    if (replaceAnswer_ != ReplaceAnswer::AskOnTerminal)
        return replaceAnswer_ == ReplaceAnswer::Yes;
    if (!standardInputIsTerminal())
        return false;
    for (;;) {
        std::cerr << question << " [y/n] " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer))
            return false;
        if (answer == "y" || answer == "Y" || answer == "yes")
            return true;
        if (answer == "n" || answer == "N" || answer == "no")
            return false;
    }
}

} // namespace skarde::cli
