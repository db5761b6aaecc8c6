#pragma once

// frmbmp2pbmp "RuziRire+": turns the marked Windows bitmaps of the source folder into game
// bitmaps of the same names in the output folder, naming the game palette chosen in List1 and
// the drawing option chosen on Slider1.

#include "converters/pbmpchoices.h"
#include "core/convertercontext.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>

class QListWidget;
class QSlider;

namespace skarde::gui {

// The caption beside each position of Slider1, and the index of that caption's label among the
// window's Label5 labels.
struct OptionLabel {
    int sliderValue;
    std::string_view caption;
    int labelIndex;
};

// In slider order: value 1 first.
inline constexpr std::array<OptionLabel, 5> kOptionLabels{{
    {1, "None", 4},
    {2, "Additive Palette", 0},
    {3, "Subtractive Palette", 1},
    {4, "Tranlucent Image", 2},
    {5, "Transparent Background Black (RGB 0,0,0)", 3},
}};

class BatchToolFrame;

class Bmp2PbmpWindow : public QWidget {
    Q_OBJECT
public:
    explicit Bmp2PbmpWindow(ConverterContext& context, QWidget* parent = nullptr);

    void UpdateStartButton();
    // Refuses to run, with a message, until a palette has been chosen: a file naming no palette
    // would be of no use to the game.
    void ConvertSelectedFiles();

    // The file being converted, or the last one.
    std::filesystem::path infile;
    std::filesystem::path OutFile;
    // The palette choice of the current (or last) run, none until the first run with a palette,
    // and the option of that run.
    std::optional<PaletteListPosition> paluse;
    std::optional<OptionSliderValue> newpica;

private:
    void layOut();
    void addPaletteList(QWidget& container);
    void addOptionSlider(QWidget& container);
    bool captureChoices();

    ConverterContext& context_;
    BatchToolFrame* frame_ = nullptr;
    QListWidget* paletteList_ = nullptr;
    QSlider* optionSlider_ = nullptr;
};

} // namespace skarde::gui
