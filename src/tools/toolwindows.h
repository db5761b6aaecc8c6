#pragma once

// The tools of the Tools menu, in its order: each menu entry, its caption, the window it opens
// and that window's icon. The main window builds its menu and dresses the windows from this
// one table instead of knowing each tool.

#include "archive/gamefilekind.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <span>

namespace skarde {
struct ConverterContext;
}

namespace skarde::gui {

struct ToolWindowEntry {
    const char* menuEntryName; // the menu entry's objectName: "mnuToolspba2bmp"
    const char* menuCaption;   // "PBA -> BMP"
    std::unique_ptr<QWidget> (*make)(ConverterContext& context);
    // The window's own icon among the program's pictures, or null for a window that wears the
    // main window's icon (PBMP -> BMP).
    const char* iconResource;
    // The kind of file the window is opened with when the program is handed one, Unknown for
    // none; `openFile` then shows that file in the open window as the user would pick it, and
    // says false when the window's file list does not show files of that name.
    GameFileKind opens;
    bool (*openFile)(QWidget& window, const std::filesystem::path& file);
};

std::span<const ToolWindowEntry> toolWindows();
// The entry of the window that opens files of `kind`, or null.
const ToolWindowEntry* toolWindowOpening(GameFileKind kind);

} // namespace skarde::gui
