#include "volextractwindow.h"

#include "archiveeditor.h"

#include "archive/membername.h"
#include "archive/volextraction.h"
#include "archive/volpreview.h"
#include "imagepreviewwindow.h"

#include "widgets/batchtoolframe.h"
#include "widgets/drivelist.h"
#include "widgets/folderlist.h"
#include "widgets/mainwindowgrowth.h"
#include "widgets/markallbox.h"
#include "widgets/toolwindowlayout.h"
#include "widgets/twips.h"
#include "widgets/wrappingbutton.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace skarde::gui {

namespace {

const QString kPreviewOff = QStringLiteral("Image Preview: OFF");
const QString kPreviewOn = QStringLiteral("Image Preview: ON");

// Pixels between the extractor's right edge and the preview window.
constexpr int kPreviewGap = 2;

// A caption with a close box only; the window cannot be minimized, maximized or resized. The
// close box is drawn only beside a system menu.
constexpr Qt::WindowFlags kPreviewFrame = Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;

template <typename Control> Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QLabel* addLabel(QWidget& container, const char* name, const QString& text, const QRect& geometry) {
    auto* label = named(new QLabel(text, &container), name);
    label->setGeometry(geometry);
    return label;
}

QFont boldFont(QFont font) {
    font.setBold(true);
    return font;
}

// The layout is drawn for the classic 8-point tool window font.
QFont windowFont(QFont font) {
    font.setPointSizeF(8.0);
    return font;
}

QMdiSubWindow* subWindowOf(const QWidget& window) {
    return qobject_cast<QMdiSubWindow*>(window.parentWidget());
}

// The preview window that an extractor closed earlier left open, if any.
ImagePreviewWindow* previewLeftOpenIn(const QMdiArea& area) {
    for (QMdiSubWindow* child : area.subWindowList())
        if (auto* preview = qobject_cast<ImagePreviewWindow*>(child->widget());
            preview && child->isVisible())
            return preview;
    return nullptr;
}

} // namespace

VolExtractWindow::VolExtractWindow(ConverterContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("frmvolextract"));
    setWindowTitle(QStringLiteral("VOL File Extractor"));
    setFixedSize(twipsSize(9975, 6900));
    setFont(windowFont(font()));
    frame_ =
        new BatchToolFrame(*this, context_, QStringLiteral("*.VOL"), FileList::Selection::Single);
    layOut();
    connectEvents();
    frame_->setStartRule([this] { return storedMembers_->count() > 0; });
    UpdateStartButton();
}

// Archives on the left, the member lists in the middle, the output folder, the two boxes,
// START and the preview controls on the right.
void VolExtractWindow::layOut() {
    QWidget& window = *this;
    place(*frame_->sourceDrives(), window, twipsRect(240, 240, 2895, 315));
    place(*frame_->sourceFolders(), window, twipsRect(240, 1080, 2895, 2790));
    place(*frame_->sourceFiles(), window, twipsRect(240, 3960, 2895, 2625));

    QFrame* headingFrame =
        addFrame(window, twipsRect(3360, 0, 3135, 735), QStringLiteral("Frame3"));
    QLabel* heading = addLabel(*headingFrame, "Label4", QStringLiteral("Files to Extract"),
                               twipsRect(120, 240, 2895, 375));
    heading->setFont(headingFont(heading->font()));
    heading->setAlignment(Qt::AlignCenter);
    QFrame* members = addFrame(window, twipsRect(3360, 840, 3135, 5895), QStringLiteral("Frame4"));
    storedMembers_ = named(new QListWidget(members), "List1");
    storedMembers_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Archives hold tens of thousands of members: rows of one height lay out at once.
    storedMembers_->setUniformItemSizes(true);
    place(*storedMembers_, *members, twipsRect(120, 240, 2895, 3180));
    QLabel* compressedHeading = addLabel(*members, "Label5", QStringLiteral("LZH Compressed Files"),
                                         twipsRect(120, 3720, 2895, 255));
    compressedHeading->setFont(boldFont(compressedHeading->font()));
    compressedMembers_ = named(new QListWidget(members), "List2");
    compressedMembers_->setUniformItemSizes(true);
    place(*compressedMembers_, *members, twipsRect(120, 4050, 2895, 1620));

    place(*frame_->outputDrives(), window, twipsRect(6720, 240, 3015, 315));
    place(*frame_->outputFolders(), window, twipsRect(6720, 1080, 3015, 3240));
    QFrame* markAll = addFrame(window, twipsRect(6600, 4545, 1695, 525), QStringLiteral("Frame7"));
    // The labels reach to their frame's edge, room for the caption in any font.
    frame_->addMarkAll(*markAll, twipsRect(120, 195, 255, 255), twipsRect(480, 195, 1155, 255),
                       storedMembers_);
    // The box is only as wide as its square, which cuts its own caption off.
    frame_->markAll()->box()->setText(QStringLiteral("Check1"));
    QFrame* conversion =
        addFrame(window, twipsRect(6600, 5085, 1695, 570), QStringLiteral("Frame8"));
    convertBitmapsBox_ = named(new QCheckBox(QStringLiteral("Check1"), conversion), "Check2");
    convertBitmapsBox_->setAccessibleName(QStringLiteral("PBMP -> BMP"));
    convertBitmapsBox_->setGeometry(twipsRect(120, 195, 255, 255));
    addLabel(*conversion, "Label3", QStringLiteral("PBMP -> BMP"), twipsRect(480, 240, 1155, 255));
    QFrame* start = addFrame(window, twipsRect(8400, 4635, 1455, 825), QStringLiteral("Frame9"));
    place(*frame_->startButton(), *start, twipsRect(105, 270, 1215, 420));

    QFrame* preview =
        addFrame(window, twipsRect(6615, 5670, 3240, 1065), QStringLiteral("Frame10"));
    previewToggle_ = named(new WrappingButton(kPreviewOff, preview), "Command1");
    previewToggle_->setGeometry(twipsRect(210, 315, 1215, 495));
    QLabel* zoomHeading =
        addLabel(*preview, "Label6", QStringLiteral("ZOOM"), twipsRect(1890, 210, 1095, 255));
    zoomHeading->setAlignment(Qt::AlignCenter);
    const char* zoomNames[] = {"Command2", "Command3", "Command4"};
    for (int factor = 2; factor <= 4; ++factor) {
        auto* button = named(new QPushButton(QStringLiteral("X%1").arg(factor), preview),
                             zoomNames[factor - 2]);
        button->setGeometry(twipsRect(1890 + (factor - 2) * 420, 525, 375, 255));
        connect(button, &QPushButton::clicked, this, [this, factor] { changeZoom(factor); });
    }

    // Borders behind the left and right columns.
    addFrame(window, twipsRect(120, 0, 3135, 735), QStringLiteral("Frame1"));
    addFrame(window, twipsRect(120, 840, 3135, 5895), QStringLiteral("Frame2"));
    addFrame(window, twipsRect(6600, 0, 3255, 735), QStringLiteral("Frame5"));
    addFrame(window, twipsRect(6600, 795, 3255, 3690), QStringLiteral("Frame6"));
}

void VolExtractWindow::connectEvents() {
    // Pressed is raised once the press has selected its row, which is the row to load.
    connect(frame_->sourceFiles(), &QAbstractItemView::pressed, this,
            &VolExtractWindow::loadPressedArchive);
    // "Mark All Files" has unticked itself by then, and the press has made its row current.
    connect(storedMembers_, &QAbstractItemView::pressed, this, [this] {
        if (previewOn_)
            PreviewSelectedMember();
    });
    storedMembers_->installEventFilter(this);
    storedMembers_->viewport()->installEventFilter(this);
    frame_->setRun([this] { ExtractSelectedMembers(); });
    connect(previewToggle_, &QPushButton::clicked, this, &VolExtractWindow::togglePreview);
    ArchiveEditor::Window editing;
    editing.archivePath = [this] { return directory_.archivePath; };
    editing.outputFolder = [this] { return frame_->outputFolder(); };
    editing.reload = [this] { LoadVolDirectory(directory_.archivePath); };
    archiveEditor_ = new ArchiveEditor(*storedMembers_, context_, std::move(editing));
}

// Only the release of a key pressed in the list previews: the release of the Enter that closed
// the palette dialog lands in the list too, and would open the dialog again and again.
bool VolExtractWindow::eventFilter(QObject* watched, QEvent* event) {
    // A held key repeats its press and release; only the release that ends the hold previews,
    // the row where the key stopped, so scrolling neither converts every row passed nor asks for
    // a palette on the way.
    if (watched == storedMembers_ && event->type() == QEvent::KeyPress)
        keysPressedInMembers_.insert(static_cast<QKeyEvent*>(event)->key());
    else if (watched == storedMembers_ && event->type() == QEvent::KeyRelease &&
             !static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
             keysPressedInMembers_.remove(static_cast<QKeyEvent*>(event)->key()) && previewOn_)
        PreviewSelectedMember();
    else if (watched == storedMembers_->viewport() && event->type() == QEvent::MouseButtonRelease)
        UpdateStartButton();
    return QWidget::eventFilter(watched, event);
}

void VolExtractWindow::UpdateStartButton() {
    frame_->UpdateStartButton();
    compressedMembers_->setEnabled(false);
}

void VolExtractWindow::loadPressedArchive() {
    const QList<QListWidgetItem*> selected = frame_->sourceFiles()->selectedItems();
    for (const QListWidgetItem* item : selected)
        LoadVolDirectory(frame_->sourcePath(item->text()));
}

void VolExtractWindow::LoadVolDirectory(const std::filesystem::path& archivePath) {
    directory_ = skarde::LoadVolDirectory(archivePath, context_.prompts);
    fillMemberLists();
    frame_->markAll()->apply();
    UpdateStartButton();
}

void VolExtractWindow::fillMemberLists() {
    const auto namesOf = [this](const std::vector<std::size_t>& rows) {
        QStringList names;
        names.reserve(static_cast<qsizetype>(rows.size()));
        for (std::size_t index : rows)
            names.append(
                QString::fromStdString(decodeMemberName(directory_.directoryEntries[index].name)));
        return names;
    };
    storedMembers_->clear();
    compressedMembers_->clear();
    storedMembers_->addItems(namesOf(directory_.storedRows));
    compressedMembers_->addItems(namesOf(directory_.compressedRows));
}

void VolExtractWindow::ExtractSelectedMembers() {
    ExtractionRequest request;
    request.selectedRows.resize(static_cast<std::size_t>(storedMembers_->count()));
    for (const QModelIndex& index : storedMembers_->selectionModel()->selectedIndexes())
        request.selectedRows[static_cast<std::size_t>(index.row())] = true;
    request.outputFolder = frame_->outputFolder();
    request.convertBitmaps = convertBitmapsBox_->isChecked();
    ExtractionHooks hooks;
    hooks.rowHandled = [this](std::size_t row) {
        storedMembers_->item(static_cast<int>(row))->setSelected(false);
    };
    skarde::ExtractSelectedMembers(context_, directory_, request, hooks);
}

void VolExtractWindow::PreviewSelectedMember() {
    const int row = storedMembers_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= directory_.storedRows.size())
        return;
    const std::optional<Bytes> bitmap = ConvertMemberForPreview(
        context_, directory_.archivePath, directory_.storedEntry(row), frame_->outputFolder());
    if (!bitmap || !preview_)
        return;
    QImage picture;
    picture.loadFromData(bitmap->data(), static_cast<int>(bitmap->size()), "BMP");
    previewedPictureSize_ = picture.size();
    preview_->showPicture(picture, previewSize());
}

// The member previewed last, zoomed; a refused member leaves the previous picture and its size.
QSize VolExtractWindow::previewSize() const {
    return previewedPictureSize_.isValid() ? previewedPictureSize_ * zoom_ : QSize(0, 0);
}

void VolExtractWindow::changeZoom(int factor) {
    zoom_ = zoom_ == factor ? 1 : factor;
    if (preview_)
        preview_->setPictureSize(previewSize());
    else
        closedPreviewSize_ = previewSize();
}

void VolExtractWindow::togglePreview() {
    setPreviewOn(!previewOn_);
    if (previewOn_)
        openPreviewWindow();
    else
        closePreviewWindow();
}

void VolExtractWindow::setPreviewOn(bool on) {
    previewOn_ = on;
    previewToggle_->setText(on ? kPreviewOn : kPreviewOff);
}

// Right of the extractor, tops level; a child of the main window like the extractor. The
// preview stays open when the extractor closes, and is still the one preview window when the
// extractor opens again.
void VolExtractWindow::openPreviewWindow() {
    QMdiSubWindow* extractor = subWindowOf(*this);
    QMdiArea* area = extractor ? extractor->mdiArea() : nullptr;
    ImagePreviewWindow* preview = area ? previewLeftOpenIn(*area) : nullptr;
    QMdiSubWindow* frame = preview ? subWindowOf(*preview) : nullptr;
    if (!preview)
        preview = new ImagePreviewWindow;
    if (closedPreviewSize_)
        preview->setPictureSize(*closedPreviewSize_);
    closedPreviewSize_.reset();
    connect(preview, &ImagePreviewWindow::closed, this, &VolExtractWindow::previewClosed);
    preview_ = preview;
    if (!area) {
        // Outside a main window (a window on its own) the preview is a tool window of it.
        preview->setParent(this, Qt::Tool | kPreviewFrame);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        const QRect outer = frameGeometry();
        preview->move(outer.x() + outer.width() + kPreviewGap, outer.y());
        preview->show();
        return;
    }
    if (!frame) {
        frame = area->addSubWindow(preview, Qt::SubWindow | kPreviewFrame);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setFixedSize(frame->sizeHint());
    }
    frame->move(extractor->x() + extractor->width() + kPreviewGap, extractor->y());
    frame->show();
    bringIntoView(*frame);
}

ImagePreviewWindow* VolExtractWindow::previewWindow() const {
    return preview_;
}

void VolExtractWindow::closePreviewWindow() {
    if (!preview_)
        return;
    if (QMdiSubWindow* frame = subWindowOf(*preview_))
        frame->close();
    else
        preview_->close();
}

// A closed window lingers until its deletion: from now on it is not the preview any more.
void VolExtractWindow::previewClosed() {
    preview_ = nullptr;
    setPreviewOn(false);
}

} // namespace skarde::gui
