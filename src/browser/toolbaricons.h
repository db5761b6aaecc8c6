#pragma once

// The browser toolbar's 24 x 24 icons: the desktop's icon theme where it has one, otherwise the
// program's own, drawn by resources/makeartwork.cpp and built into the browser module.

#include <QIcon>
#include <QString>

namespace skarde::gui {

// The icon of the button with this key ("Back", "Forward", "Stop", "Refresh", "Home",
// "Search").
QIcon toolBarIcon(const QString& key);
// The program's own drawing of that icon, light grey (192, 192, 192) shown as transparent.
QIcon drawnToolBarIcon(const QString& key);

} // namespace skarde::gui
