#pragma once

// The tool windows the Tools menu opens, each with the menu entry that opens it. The shell walks
// this list instead of knowing each window.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace skarde {
struct ConverterContext;
}

namespace skarde::gui {

struct ToolWindowEntry {
    QString menuEntryName;
    std::function<std::unique_ptr<QWidget>(ConverterContext&)> make;
    // PBMP -> BMP keeps the main window's icon; the others wear one drawn for them.
    bool hasOwnIcon = true;
};

std::vector<ToolWindowEntry> toolWindows();

} // namespace skarde::gui
