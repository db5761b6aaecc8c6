#pragma once

// "Mark All Files": the box Check1 with the label Label1 beside it, acting on one list.
// Ticking it selects every entry of the list, unticking it clears the selection. A mouse press
// in the list while it is ticked unticks it first, so the press then selects only what it hits:
// marking all lasts until the user touches the list. The box is only as wide as its square;
// Label1 carries the text, and clicking the label does nothing.

#include <QObject>
#include <QRect>

class QAbstractItemView;
class QCheckBox;
class QLabel;
class QWidget;

namespace skarde::gui {

class MarkAllBox : public QObject {
    Q_OBJECT
public:
    // Creates Check1 and Label1 in `container` at the given pixel rectangles.
    MarkAllBox(QAbstractItemView& list, QWidget& container, const QRect& boxGeometry,
               const QRect& labelGeometry);

    QCheckBox* box() const { return box_; }
    QLabel* label() const { return label_; }
    // Applies the box's state to the list again, for a list that was just refilled.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView& list_;
    QCheckBox* box_ = nullptr;
    QLabel* label_ = nullptr;
};

} // namespace skarde::gui
