#include "pplextractwindow.h"

#include "widgets/batchtoolframe.h"
#include "widgets/drivelist.h"
#include "widgets/folderlist.h"
#include "widgets/toolwindowlayout.h"

#include "converters/ppltopal.h"
#include "core/guardedstep.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QPushButton>

namespace skarde::gui {

PplExtractWindow::PplExtractWindow(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("frmpplextract"));
    setWindowTitle(QStringLiteral("PPL Extract"));
    setFixedSize(twipsSize(10005, 6870));
    frame_ =
        new BatchToolFrame(*this, context_, QStringLiteral("*.PPL"), FileList::Selection::Single);
    layOut();
    frame_->setRun([this] { ConvertSelectedFiles(); });
    UpdateStartButton();
}

// The heading across the top; below it the source lists, the file list and the output lists
// with START at the bottom right.
void PplExtractWindow::layOut() {
    QWidget& window = *this;
    QFrame* heading = addFrame(window, twipsRect(120, 0, 9735, 735), QStringLiteral("Frame1"));
    addHeading(*heading, twipsRect(120, 240, 9495, 375), QStringLiteral("PPL file Extractor"),
               QStringLiteral("Label4"));

    addFrame(window, twipsRect(120, 840, 3135, 735), QStringLiteral("Frame2"));
    addFrame(window, twipsRect(120, 1680, 3135, 5115), QStringLiteral("Frame3"));
    place(*frame_->sourceDrives(), window, twipsRect(240, 1080, 2895, 315));
    place(*frame_->sourceFolders(), window, twipsRect(240, 1920, 2895, 4755));

    QFrame* files = addFrame(window, twipsRect(3360, 840, 3255, 5955), QStringLiteral("Frame4"));
    place(*frame_->sourceFiles(), *files, twipsRect(120, 240, 3015, 5535));

    addFrame(window, twipsRect(6720, 840, 3135, 735), QStringLiteral("Frame5"));
    addFrame(window, twipsRect(6720, 1680, 3135, 3735), QStringLiteral("Frame6"));
    place(*frame_->outputDrives(), window, twipsRect(6840, 1080, 2895, 315));
    place(*frame_->outputFolders(), window, twipsRect(6840, 1920, 2895, 3255));
    QFrame* start = addFrame(window, twipsRect(6720, 5520, 3135, 1275), QStringLiteral("Frame7"));
    place(*frame_->startButton(), *start, twipsRect(120, 360, 2895, 510));
}

void PplExtractWindow::UpdateStartButton() {
    frame_->UpdateStartButton();
}

void PplExtractWindow::ConvertSelectedFiles() {
    for (const QString& name : frame_->sourceFiles()->markedFileNames()) {
        inputPath_ = frame_->sourcePath(name);
        outputBase_ = frame_->outputBase(name);
        runGuarded(context_.prompts, name.toStdString(), [&] {
            ConvertPplToPal(context_, inputPath_, frame_->outputFolder());
            return true;
        });
    }
}

} // namespace skarde::gui
