#pragma once

// The Window menu's arrangements of the main window's child windows.

class QMdiArea;

namespace skarde::gui {

enum class ArrangeMode {
    Cascade = 0,
    TileHorizontal = 1, // one above the other, each the full width
    TileVertical = 2,   // side by side, each the full height
    ArrangeIcons = 3,   // minimized windows lined up along the bottom edge
};

void Arrange(QMdiArea& area, ArrangeMode mode);

} // namespace skarde::gui
