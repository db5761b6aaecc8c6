#pragma once

// What the splash and About windows share: a borderless window of 9840 x 7230 twips covered by
// the picture box Picture1, with the controls on top of the picture.

#include <QColor>
#include <QFont>
#include <QRect>

class QLabel;
class QWidget;

namespace skarde::gui {

inline constexpr int kPictureWindowWidth = 9840;
inline constexpr int kPictureWindowHeight = 7230;

// Sizes the window, drops its border and centres it on the screen; adds and returns Picture1.
QLabel* makePictureWindow(QWidget& window);

// "Arial" bold 8.25 points.
QFont pictureLabelFont();

// A label on the picture: transparent background, the font above, the given colour.
QLabel* addPictureLabel(QLabel* picture, const char* name, const QString& text, const QRect& twips,
                        const QColor& colour);

} // namespace skarde::gui
