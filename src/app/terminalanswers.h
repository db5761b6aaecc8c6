#pragma once

// What the program answers on the terminal instead of opening its window: --help and
// --version, as a desktop program started from a shell is expected to.

#include <QStringList>

#include <optional>
#include <string>

namespace skarde::gui {

// The text to print for `arguments` (the program's name first), or nothing when the window is
// to open: any other argument, Qt's own (-platform ...) included, is left to the application.
std::optional<std::string> terminalAnswer(const QStringList& arguments);

} // namespace skarde::gui
