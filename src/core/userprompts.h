#pragma once

// What the converters ask of the user or tell the user.

#include <cstdint>
#include <string>
#include <string_view>

namespace skarde {

enum class MessageKind {
    Refusal, // an input rejected for its format ("This is not a valid ... file")
    Summary, // a closing count ("3 BMP files extracted from PBA")
};

// An image coloured with the fallback palette because the palette it asks for has no file.
struct PaletteFallback {
    std::string imageName;          // the file or member, and which bitmap of an array
    std::int32_t paletteNumber = 0; // as the image names it
    std::string paletteName;        // the name looked up: the number, or the world palette asked
                                    // for (empty when the user named none)
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
    // The same about replacing the file at `path`; the windows ask the question as it stands,
    // the command line names the file.
    virtual bool askToReplace(std::string_view question, std::string_view path) {
        static_cast<void>(path);
        return askYesNo(question);
    }
    // The name of the palette to use for a world-dependent image.
    virtual std::string ChooseWorldPalette() = 0;
    // The windows draw such an image in grey without a word; the command line says so, since a
    // script has nobody looking at the pictures.
    virtual void notePaletteFallback(const PaletteFallback& fallback) {
        static_cast<void>(fallback);
    }
    // Whether an output file that exists already is left alone rather than replaced (the command
    // line's --no-clobber); the windows replace it.
    virtual bool keepsExistingFiles() const { return false; }
    // An output file left alone for that reason.
    virtual void noteFileKept(std::string_view path) { static_cast<void>(path); }
};

} // namespace skarde
