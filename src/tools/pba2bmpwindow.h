#pragma once

// frmpba2bmp "PBA -> BMP": splits the one selected bitmap array (".PBA" or ".pft") of the source
// folder into numbered Windows bitmaps in the output folder, and shows how many it wrote.

#include "core/convertercontext.h"

#include <QWidget>

#include <filesystem>

class QLabel;

namespace skarde::gui {

class BatchToolFrame;

class Pba2BmpWindow : public QWidget {
    Q_OBJECT
public:
    explicit Pba2BmpWindow(ConverterContext& context, QWidget* parent = nullptr);

    void UpdateStartButton();
    void ConvertSelectedFiles();

    // The paths of the file being converted, or of the last one.
    const std::filesystem::path& inputPath() const { return inputPath_; }
    const std::filesystem::path& outputBase() const { return outputBase_; }

private:
    void layOut();

    ConverterContext& context_;
    BatchToolFrame* frame_ = nullptr;
    QLabel* filesExtracted_ = nullptr;
    std::filesystem::path inputPath_;
    std::filesystem::path outputBase_;
};

} // namespace skarde::gui
