#pragma once

// The converters' questions and messages as the program's own message boxes: titled
// "SkardeTools", no icon, an OK button (Yes and No for a question). The world palette is asked
// with a fresh palette selection dialog for every request.

#include "core/userprompts.h"

namespace skarde::gui {

class GuiPrompts : public UserPrompts {
public:
    void showMessage(std::string_view text, MessageKind kind) override;
    void reportProblem(std::string_view subject, std::string_view problem) override;
    bool askYesNo(std::string_view question) override;
    std::string ChooseWorldPalette() override;
};

} // namespace skarde::gui
