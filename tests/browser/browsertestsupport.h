#pragma once

// Helpers shared by the browser tests.

#include <QString>

class QWidget;

namespace skarde::test {

// Whether any of the web engine's libraries is mapped into this process.
bool webEngineMapped();

// Waits (running events) until `window`'s caption reads `caption`; false after a generous time.
bool waitForCaption(const QWidget& window, const QString& caption);

} // namespace skarde::test
