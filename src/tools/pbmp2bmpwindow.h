#pragma once

// frmpbmp2bmp "PBMP -> BMP Conversion": converts the marked game bitmaps of the source folder
// into Windows bitmaps of the same names in the output folder. The game keeps its bitmaps under
// ".bmp", so the list shows "*.BMP" files.

#include "core/convertercontext.h"

#include <QWidget>

#include <filesystem>

namespace skarde::gui {

class BatchToolFrame;

class Pbmp2BmpWindow : public QWidget {
    Q_OBJECT
public:
    explicit Pbmp2BmpWindow(ConverterContext& context, QWidget* parent = nullptr);

    void UpdateStartButton();
    void ConvertSelectedFiles();

private:
    void layOut();

    ConverterContext& context_;
    BatchToolFrame* frame_ = nullptr;
    std::filesystem::path sourcePath_;
    std::filesystem::path destinationPath_;
};

} // namespace skarde::gui
