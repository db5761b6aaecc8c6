#include "batchrun.h"

#include "clicommand.h"
#include "converters/fileio.h"

#include <iostream>

namespace skarde::cli {

namespace fs = std::filesystem;

int runBatch(std::span<const std::string> inputs, TerminalPrompts& prompts,
             TerminalProgress& progress, FileBar fileBar,
             const std::function<Outcome(const fs::path& input)>& convertOne) {
    const int count = static_cast<int>(inputs.size());
    if (fileBar == FileBar::CountedByLoop) {
        progress.show();
        progress.setMinimum(Bar::ProgressBar1, 0);
        progress.setMaximum(Bar::ProgressBar1, count);
    }
    int converted = 0;
    for (int i = 0; i < count; ++i) {
        const fs::path input = fs::u8path(inputs[i]);
        prompts.setCurrentInput(inputs[i]);
        if (fileBar == FileBar::CountedByConverter)
            progress.show();
        if (fileBar != FileBar::None)
            progress.setCaption("Progress - " + displayPath(input.filename()));
        if (convertOne(input) == Outcome::Converted)
            ++converted;
        if (fileBar == FileBar::CountedByLoop)
            progress.setValue(Bar::ProgressBar1, i + 1);
        if (fileBar == FileBar::CountedByConverter)
            progress.hide();
    }
    if (fileBar == FileBar::CountedByLoop) {
        progress.setCaption("Progress");
        progress.hide();
    }
    std::cout << converted << " of " << count << " file(s) converted.\n";
    return converted == count ? kExitSuccess : kExitSomeFailed;
}

} // namespace skarde::cli
