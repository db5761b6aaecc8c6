#pragma once

// A command button whose caption breaks onto further lines when it is wider than the button,
// as the classic buttons' captions do ("Image Preview: OFF" on a button 81 pixels wide).

#include <QPushButton>

namespace skarde::gui {

class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace skarde::gui
