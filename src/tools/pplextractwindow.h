#pragma once

// frmpplextract "PPL Extract": writes every palette of the one selected palette list of the
// source folder as a PAL file named after its number in the output folder. Shows no progress;
// the extraction asks before replacing a file and ends with its own count.

#include "core/convertercontext.h"

#include <QWidget>

#include <filesystem>

namespace skarde::gui {

class BatchToolFrame;

class PplExtractWindow : public QWidget {
    Q_OBJECT
public:
    explicit PplExtractWindow(ConverterContext& context, QWidget* parent = nullptr);

    void UpdateStartButton();
    void ConvertSelectedFiles();

    // The paths of the file being extracted, or of the last one. The PAL files go to the output
    // folder under their palette numbers; the output base only follows the other tools' naming.
    const std::filesystem::path& inputPath() const { return inputPath_; }
    const std::filesystem::path& outputBase() const { return outputBase_; }

private:
    void layOut();

    ConverterContext& context_;
    BatchToolFrame* frame_ = nullptr;
    std::filesystem::path inputPath_;
    std::filesystem::path outputBase_;
};

} // namespace skarde::gui
