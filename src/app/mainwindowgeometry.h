#pragma once

// The main window's place between runs: left, top, width and height of its outer frame, in
// twips, kept as decimal text in the per-user settings store.

#include <QList>
#include <QRect>

#include <memory>

class QSettings;

namespace skarde::gui {

struct MainGeometry {
    double left = 1000;
    double top = 1000;
    double width = 6500;
    double height = 6500;
};

// The program's own settings store: organisation and application "SkardeTools".
std::unique_ptr<QSettings> openProgramSettings();

// The stored geometry. A key that is absent, not a number, out of all reason, or a size that
// is not positive yields that key's default.
MainGeometry readMainGeometry(QSettings& settings);
void writeMainGeometry(QSettings& settings, const MainGeometry& geometry);

// The defaults, when the window's title strip would lie on none of the screens (a screen
// removed since the last run, or a hand-edited store), so that the user can always reach it.
MainGeometry keepOnAScreen(const MainGeometry& geometry, const QList<QRect>& screens);

QRect toPixels(const MainGeometry& geometry);
MainGeometry toTwips(const QRect& pixels);

} // namespace skarde::gui
