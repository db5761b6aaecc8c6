#pragma once

// Checks of a window's look that a screenshot would show: text cut off by its control, and
// controls reaching outside their container.

#include <string>
#include <vector>

class QWidget;

namespace skarde::test {

// Labels, buttons, check boxes and combo boxes whose text does not fit, as "name: text".
std::vector<std::string> clippedTexts(const QWidget& window);
// Child controls whose rectangle leaves their parent's, by object name.
std::vector<std::string> controlsOutsideTheirContainer(const QWidget& window);
// Saves the window's picture as <name>.png when SKARDE_SCREENSHOT_DIR names a folder.
void saveScreenshot(QWidget& window, const char* name);

} // namespace skarde::test
