#include "pbmp2bmpwindow.h"

#include "widgets/batchtoolframe.h"
#include "widgets/toolwindowlayout.h"

#include "converters/pbmptobmp.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QPushButton>

namespace skarde::gui {

Pbmp2BmpWindow::Pbmp2BmpWindow(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("frmpbmp2bmp"));
    setWindowTitle(QStringLiteral("PBMP -> BMP Conversion"));
    setFixedSize(twipsSize(9975, 6915));
    frame_ =
        new BatchToolFrame(*this, context_, QStringLiteral("*.BMP"), FileList::Selection::Extended);
    layOut();
    frame_->setRun([this] { ConvertSelectedFiles(); });
    UpdateStartButton();
}

// Three columns: source drive and folder on the left, the heading and the file list in the
// middle, output drive and folder with "Mark All Files" and START on the right.
void Pbmp2BmpWindow::layOut() {
    QWidget& window = *this;
    layOutConverterColumns(window, *frame_);
    QFrame* markAll = addFrame(window, twipsRect(6600, 4635, 3255, 735), QStringLiteral("Frame7"));
    frame_->addMarkAll(*markAll, twipsRect(240, 240, 255, 255), twipsRect(600, 240, 2415, 255));
    addFrame(window, twipsRect(6600, 5475, 1575, 1320), QStringLiteral("Frame8"));
    QFrame* start = addFrame(window, twipsRect(8280, 5475, 1575, 1320), QStringLiteral("Frame9"));
    place(*frame_->startButton(), *start, twipsRect(120, 720, 1335, 480));
}

void Pbmp2BmpWindow::UpdateStartButton() {
    frame_->UpdateStartButton();
}

void Pbmp2BmpWindow::ConvertSelectedFiles() {
    frame_->runOverMarkedRows(*frame_->sourceFiles(), [this](int, const QString& name) {
        sourcePath_ = frame_->sourcePath(name);
        destinationPath_ = frame_->destinationPath(name);
        ConvertPbmpToBmp(context_, sourcePath_, destinationPath_);
    });
}

} // namespace skarde::gui
