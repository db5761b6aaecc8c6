#pragma once

// The program's own picture and icon, drawn by resources/makeartwork.cpp and built into the
// program. The tool windows' icons, drawn alongside, are named in the tool table
// (tools/toolwindows.cpp).

#include <QIcon>
#include <QPixmap>

namespace skarde::gui {

// The 640 x 480, 256-colour picture of the splash and About windows.
QPixmap programPicture();
// The icon of the main window: the 32 x 32, 16-colour one and larger copies for the desktop.
QIcon programIcon();

} // namespace skarde::gui
