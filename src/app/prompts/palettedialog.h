#pragma once

// Dialog "Select Pal": asks which world's palette an image of the world-dependent palette is
// shown with. Any text may be typed; OK answers it, while Cancel, Escape and the close box
// answer "Grey".

#include <QDialog>

#include <string>

class QComboBox;

namespace skarde::gui {

class PaletteDialog : public QDialog {
    Q_OBJECT
public:
    // Always without owner: the question comes from the middle of a conversion.
    PaletteDialog();

    // Combo1's text when the dialog was answered with OK, "Grey" otherwise.
    QString answer() const;

private:
    void cancel();

    QComboBox* worldPaletteBox_ = nullptr;
};

// Shows a fresh palette dialog modally and returns its answer.
std::string ChooseWorldPalette();

} // namespace skarde::gui
