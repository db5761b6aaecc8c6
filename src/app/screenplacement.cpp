#include "screenplacement.h"

#include "widgets/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace skarde::gui {

ScreenTwips screenOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect pixels = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    return {pixels.topLeft(), pixelsToTwips(pixels.width()), pixelsToTwips(pixels.height())};
}

void centreOnScreen(QWidget& window, int widthTwips, int heightTwips) {
    const ScreenTwips screen = screenOf(window);
    const int left = centredOrigin(screen.width, widthTwips);
    const int top = centredOrigin(screen.height, heightTwips);
    window.move(screen.originPixels + QPoint(roundTwipsToPixels(left), roundTwipsToPixels(top)));
}

} // namespace skarde::gui
