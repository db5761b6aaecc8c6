#pragma once

// The command line's user: messages on the standard streams, answers fixed by options.

#include "converters/palette.h"
#include "core/userprompts.h"

#include <filesystem>
#include <string>

namespace skarde::cli {

enum class ReplaceAnswer { Yes, No, AskOnTerminal };

class TerminalPrompts : public UserPrompts {
public:
    // `worldPalette` empty: the user named none, and world-dependent images fall back to grey.
    explicit TerminalPrompts(ReplaceAnswer replaceAnswer, std::string worldPalette = {},
                             std::filesystem::path palsFolder = {})
        : worldPalette_(std::move(worldPalette)), palsFolder_(std::move(palsFolder)),
          replaceAnswer_(replaceAnswer) {}

    // The input being worked on; messages in the program's own words are prefixed with it.
    void setCurrentInput(std::string path) { currentInput_ = std::move(path); }
    // Quiet: the converters' closing counts are not shown; problems and warnings still are.
    void setQuiet(bool quiet) { quiet_ = quiet; }
    bool quiet() const { return quiet_; }
    // --no-clobber: outputs that exist are left alone, each reported as skipped.
    void setKeepExistingFiles(bool keep) { keepExistingFiles_ = keep; }

    void showMessage(std::string_view text, MessageKind kind) override;
    void reportProblem(std::string_view subject, std::string_view problem) override;
    bool askYesNo(std::string_view question) override;
    // On a terminal: yes, no, all (yes to the rest of the run) or none (no to the rest).
    bool askToReplace(std::string_view question, std::string_view path) override;
    // Files kept because there was no terminal to ask on, nor an answer given beforehand.
    int keptWithoutAsking() const { return keptWithoutAsking_; }
    std::string ChooseWorldPalette() override { return worldPalette_; }
    void notePaletteFallback(const PaletteFallback& fallback) override;
    bool keepsExistingFiles() const override { return keepExistingFiles_; }
    void noteFileKept(std::string_view path) override;

private:
    std::string worldPalette_;
    std::filesystem::path palsFolder_;
    ReplaceAnswer replaceAnswer_;
    std::string currentInput_;
    bool quiet_ = false;
    int keptWithoutAsking_ = 0;
    bool keepExistingFiles_ = false;
};

} // namespace skarde::cli
