#pragma once

// The command line's user: messages on the standard streams, answers fixed by options.

#include "converters/palette.h"
#include "core/userprompts.h"

#include <string>

namespace skarde::cli {

enum class ReplaceAnswer { Yes, No, AskOnTerminal };

class TerminalPrompts : public UserPrompts {
public:
    explicit TerminalPrompts(ReplaceAnswer replaceAnswer,
                             std::string worldPalette = std::string(kDefaultWorldPaletteName))
        : worldPalette_(std::move(worldPalette)), replaceAnswer_(replaceAnswer) {}

    // The input being worked on; messages in the program's own words are prefixed with it.
    void setCurrentInput(std::string path) { currentInput_ = std::move(path); }

    void showMessage(std::string_view text, MessageKind kind) override;
    void reportProblem(std::string_view subject, std::string_view problem) override;
    bool askYesNo(std::string_view question) override;
    std::string ChooseWorldPalette() override { return worldPalette_; }

private:
    std::string worldPalette_;
    ReplaceAnswer replaceAnswer_;
    std::string currentInput_;
};

} // namespace skarde::cli
