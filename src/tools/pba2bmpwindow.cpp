#include "pba2bmpwindow.h"

#include "widgets/batchtoolframe.h"
#include "widgets/toolwindowlayout.h"

#include "converters/pbatobmp.h"
#include "core/guardedstep.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace skarde::gui {

Pba2BmpWindow::Pba2BmpWindow(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("frmpba2bmp"));
    setWindowTitle(QStringLiteral("PBA -> BMP"));
    setFixedSize(twipsSize(10005, 6870));
    frame_ = new BatchToolFrame(*this, context_, QStringLiteral("*.PBA;*.pft"),
                                FileList::Selection::Single);
    layOut();
    frame_->setRun([this] { ConvertSelectedFiles(); });
    UpdateStartButton();
}

// The three columns of the batch tool windows; on the right, below the output lists, an empty
// frame, START and the "Files Extracted" count, with a further empty frame beside them.
void Pba2BmpWindow::layOut() {
    QWidget& window = *this;
    layOutConverterColumns(window, *frame_);
    addFrame(window, twipsRect(6600, 4635, 2175, 615), QStringLiteral("Frame7"));
    QFrame* start = addFrame(window, twipsRect(6600, 5355, 2175, 720), QStringLiteral("Frame8"));
    place(*frame_->startButton(), *start, twipsRect(120, 120, 1935, 480));
    QFrame* count = addFrame(window, twipsRect(6600, 6180, 2175, 615), QStringLiteral("Frame9"));
    auto* countHeading = new QLabel(QStringLiteral("Files Extracted"), count);
    countHeading->setObjectName(QStringLiteral("Label2"));
    countHeading->setAlignment(Qt::AlignCenter);
    countHeading->setGeometry(twipsRect(120, 60, 1935, 255));
    filesExtracted_ = new QLabel(QStringLiteral("0"), count);
    filesExtracted_->setObjectName(QStringLiteral("Label7"));
    filesExtracted_->setFont(startButtonFont(filesExtracted_->font()));
    filesExtracted_->setAlignment(Qt::AlignCenter);
    filesExtracted_->setGeometry(twipsRect(120, 300, 1935, 285));
    addFrame(window, twipsRect(8880, 4635, 975, 2160), QStringLiteral("Frame10"));
}

void Pba2BmpWindow::UpdateStartButton() {
    frame_->UpdateStartButton();
}

// Label7 counts what this run wrote, so that a label reading "Files Extracted" tells the truth.
// The progress window is hidden at the end of every run, also when nothing was selected.
void Pba2BmpWindow::ConvertSelectedFiles() {
    ProgressSink& progress = context_.progress;
    progress.show();
    int written = 0;
    for (const QString& name : frame_->sourceFiles()->markedFileNames()) {
        inputPath_ = frame_->sourcePath(name);
        outputBase_ = frame_->outputBase(name);
        runGuarded(context_.prompts, name.toStdString(), [&] {
            written += ConvertPbaToBmp(context_, inputPath_, outputBase_).filesWritten;
            return true;
        });
    }
    progress.hide();
    filesExtracted_->setText(QString::number(written));
}

} // namespace skarde::gui
