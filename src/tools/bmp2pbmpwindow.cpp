#include "bmp2pbmpwindow.h"

#include "widgets/batchtoolframe.h"
#include "widgets/drivelist.h"
#include "widgets/folderlist.h"
#include "widgets/toolwindowlayout.h"

#include "converters/bmptopbmp.h"
#include "converters/pbmpchoices.h"
#include "converters/pngcodec.h"
#include "widgets/qtpaths.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace skarde::gui {

namespace {

constexpr std::string_view kChoosePaletteMessage =
    "Choose a palette in the list, then press START again. Nothing was converted.";

// The option labels stand beside the slider's positions, 360 twips apart.
constexpr int kOptionSpacing = 360;

// The 8-bit indexed PNG files are listed beside the bitmaps where the program can read them.
QString sourcePattern(const ConverterContext& context) {
    return context.png != nullptr ? QStringLiteral("*.BMP;*.PNG") : QStringLiteral("*.BMP");
}

} // namespace

Bmp2PbmpWindow::Bmp2PbmpWindow(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("frmbmp2pbmp"));
    setWindowTitle(QStringLiteral("RuziRire+"));
    setFixedSize(twipsSize(9990, 6900));
    frame_ =
        new BatchToolFrame(*this, context_, sourcePattern(context_), FileList::Selection::Extended);
    layOut();
    frame_->setRun([this] { ConvertSelectedFiles(); });
    UpdateStartButton();
}

// Source lists on the left, the conversion options and START in the middle, the output lists on
// the right, each column under its heading.
void Bmp2PbmpWindow::layOut() {
    QWidget& window = *this;
    QFrame* sourceHeading =
        addFrame(window, twipsRect(120, 0, 3135, 735), QStringLiteral("Frame7"));
    addHeading(*sourceHeading, twipsRect(120, 240, 2895, 375), QStringLiteral("Files to Convert"),
               QStringLiteral("Label1"));
    addFrame(window, twipsRect(120, 720, 3135, 735), QStringLiteral("Frame3"));
    addFrame(window, twipsRect(120, 1560, 3135, 5175), QStringLiteral("Frame2"));
    place(*frame_->sourceDrives(), window, twipsRect(240, 960, 2895, 315));
    place(*frame_->sourceFolders(), window, twipsRect(240, 1800, 2895, 1440));
    place(*frame_->sourceFiles(), window, twipsRect(240, 3360, 2895, 3015));

    QFrame* optionsHeading =
        addFrame(window, twipsRect(3360, 0, 3255, 735), QStringLiteral("Frame10"));
    addHeading(*optionsHeading, twipsRect(120, 240, 3015, 375),
               QStringLiteral("Conversion Options"), QStringLiteral("Label3"));
    auto* palette = new QGroupBox(QStringLiteral("Palette"), &window);
    palette->setObjectName(QStringLiteral("Frame11"));
    palette->setGeometry(twipsRect(3360, 720, 3255, 2400));
    addPaletteList(*palette);
    auto* options = new QGroupBox(QStringLiteral("Advanced Options"), &window);
    options->setObjectName(QStringLiteral("Frame1"));
    options->setGeometry(twipsRect(3360, 3120, 3255, 2640));
    addOptionSlider(*options);
    QFrame* start = addFrame(window, twipsRect(3360, 5775, 3255, 975), QStringLiteral("Frame9"));
    place(*frame_->startButton(), *start, twipsRect(210, 315, 2895, 510));

    QFrame* outputHeading =
        addFrame(window, twipsRect(6720, 0, 3135, 735), QStringLiteral("Frame4"));
    addHeading(*outputHeading, twipsRect(120, 240, 2895, 375), QStringLiteral("Output Folder"),
               QStringLiteral("Label4"));
    addFrame(window, twipsRect(6720, 720, 3135, 735), QStringLiteral("Frame5"));
    addFrame(window, twipsRect(6720, 1560, 3135, 5160), QStringLiteral("Frame6"));
    place(*frame_->outputDrives(), window, twipsRect(6840, 960, 2895, 315));
    place(*frame_->outputFolders(), window, twipsRect(6840, 1800, 2895, 4815));
}

// Only an entry's position is ever used; the converter's table maps it to the number.
void Bmp2PbmpWindow::addPaletteList(QWidget& container) {
    paletteList_ = new QListWidget(&container);
    paletteList_->setObjectName(QStringLiteral("List1"));
    paletteList_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::size_t position = 0; position < kGamePaletteChoices.size(); ++position)
        paletteList_->addItem(QString::fromStdString(paletteListEntryText(position)));
    paletteList_->setGeometry(twipsRect(105, 210, 3015, 2010));
}

// Value 1 at the top to 5 at the bottom; the arrow keys and the wheel move the handle the way
// they point.
void Bmp2PbmpWindow::addOptionSlider(QWidget& container) {
    optionSlider_ = new QSlider(Qt::Vertical, &container);
    optionSlider_->setObjectName(QStringLiteral("Slider1"));
    optionSlider_->setRange(1, static_cast<int>(kDrawingOptionChoices.size()));
    optionSlider_->setSingleStep(1);
    optionSlider_->setPageStep(1);
    optionSlider_->setValue(1);
    optionSlider_->setInvertedAppearance(true);
    optionSlider_->setInvertedControls(true);
    optionSlider_->setTickPosition(QSlider::TicksRight);
    optionSlider_->setTickInterval(1);
    optionSlider_->setGeometry(twipsRect(120, 240, 375, 1935));
    for (const OptionLabel& option : kOptionLabels) {
        auto* label = new QLabel(
            QString::fromUtf8(option.caption.data(), static_cast<qsizetype>(option.caption.size())),
            &container);
        label->setObjectName(QStringLiteral("Label5"));
        label->setProperty("index", option.labelIndex);
        const bool last = option.sliderValue == optionSlider_->maximum();
        label->setWordWrap(last);
        QRect place = twipsRect(600, kOptionSpacing * option.sliderValue, 2175, last ? 375 : 255);
        // The two-line caption was measured for a smaller font than the desktop's: let it take
        // the lines it needs rather than cut them off.
        if (last)
            place.setHeight(std::max(place.height(), label->heightForWidth(place.width())));
        label->setGeometry(place);
    }
}

void Bmp2PbmpWindow::UpdateStartButton() {
    frame_->UpdateStartButton();
}

void Bmp2PbmpWindow::ConvertSelectedFiles() {
    if (!captureChoices()) {
        context_.prompts.showMessage(kChoosePaletteMessage, MessageKind::Refusal);
        return;
    }
    frame_->runOverMarkedRows(*frame_->sourceFiles(), [this](int, const QString& name) {
        infile = frame_->sourcePath(name);
        // A PNG's game bitmap is named .bmp, as game bitmaps are.
        OutFile = frame_->destinationPath(toQString(pbmpNameFor(toPath(name))));
        ConvertBmpToPbmp(context_, infile, OutFile, *paluse, *newpica);
    });
}

// The selected palette entry, or the one of the previous run when the list has none selected;
// the slider as it stands now. False while no palette has been chosen since the window opened.
bool Bmp2PbmpWindow::captureChoices() {
    for (int row = 0; row < paletteList_->count(); ++row)
        if (paletteList_->item(row)->isSelected())
            paluse = PaletteListPosition(row);
    if (!paluse)
        return false;
    newpica = OptionSliderValue(optionSlider_->value());
    return true;
}

} // namespace skarde::gui
