#pragma once

// Building blocks for laying out tool windows: controls placed at pixel rectangles (from
// twipsRect) inside a container, the caption-less frames that group them, and the fonts the
// tool windows share.

#include <QFont>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace skarde::gui {

// Puts `control` into `container` (the window or one of its frames) at `geometry`, relative to
// the container.
void place(QWidget& control, QWidget& container, const QRect& geometry);

// A frame without caption that only groups and draws a border.
QFrame* addFrame(QWidget& container, const QRect& geometry, const QString& objectName);

// A heading label in `container` at `geometry`: centred, in the heading font.
QLabel* addHeading(QWidget& container, const QRect& geometry, const QString& text,
                   const QString& objectName);

// The centred bold 12-point headings over the lists ("Files to Convert").
QFont headingFont(const QFont& base);
// The bold caption of START.
QFont startButtonFont(const QFont& base);

} // namespace skarde::gui
