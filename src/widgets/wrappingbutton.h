#pragma once

// A command button whose caption breaks onto further lines when it is wider than the button,
// as the classic buttons' captions do ("Image Preview: OFF" on a button 81 pixels wide).

#include <QPushButton>

namespace skarde::gui {

class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Where the caption is drawn: inside the button's frame.
    QRect captionArea() const;
    // The button's font, made smaller while the wrapped caption does not fit the caption area:
    // the fallback font of a Windows or Wine installation can be taller than the one the
    // layout was made with.
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool captionFits(const QFont& font) const;
};

} // namespace skarde::gui
