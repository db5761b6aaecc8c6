#pragma once

// Window sizes and positions are laid out in twips; the screen has 15 of them to a pixel at
// 96 dots per inch, and Qt's own high-DPI scaling does the rest.

#include <QRect>
#include <QSize>

#include <cmath>

namespace skarde::gui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// For sizes kept as real numbers of twips (saved geometry, animations): the nearest pixel.
inline int roundTwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// A control's rectangle given as left, top, width and height in twips.
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

constexpr QSize twipsSize(int width, int height) {
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

} // namespace skarde::gui
