#pragma once

// sbStatusBar: a "Status" text panel, then the current date and the current time, kept current.

class QMainWindow;

namespace skarde::gui {

void installStatusBar(QMainWindow& window);

} // namespace skarde::gui
