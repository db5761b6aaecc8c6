#pragma once

// What the converters ask of the user or tell the user.

#include <string>
#include <string_view>

namespace skarde {

enum class MessageKind {
    Refusal, // an input rejected for its format ("This is not a valid ... file")
    Summary, // a closing count ("3 BMP files extracted from PBA")
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A message to acknowledge, in the program's own words.
    virtual void showMessage(std::string_view text, MessageKind kind) = 0;
    // A file or member that could not be handled, and why.
    virtual void reportProblem(std::string_view subject, std::string_view problem) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(std::string_view question) = 0;
    // The name of the palette to use for a world-dependent image.
    virtual std::string ChooseWorldPalette() = 0;
};

} // namespace skarde
