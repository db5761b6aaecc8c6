#pragma once

// A straight line drawn on top of its parent, like a line control: a transparent widget that
// covers the line's extent and lets mouse presses through.

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace skarde::gui {

class LineShape : public QWidget {
    Q_OBJECT
public:
    // Ends in twips relative to the parent; `penPixels` is the line's width.
    LineShape(QWidget* parent, QPoint fromTwips, QPoint toTwips, QColor colour, int penPixels);

    QColor colour() const { return colour_; }
    int penPixels() const { return penPixels_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
    QColor colour_;
    int penPixels_;
};

} // namespace skarde::gui
