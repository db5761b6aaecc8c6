#include "batchtoolframe.h"

#include "drivelist.h"
#include "folderlist.h"
#include "markallbox.h"
#include "qtpaths.h"
#include "toolwindowlayout.h"
#include "twips.h"

#include "converters/outputbase.h"
#include "core/batchloop.h"

#include <QDir>
#include <QFrame>
#include <QItemSelectionModel>
#include <QPushButton>

#include <vector>

namespace skarde::gui {

namespace {

template <typename Control> Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Whether each row of `list` is selected, from one pass over the selection's ranges.
std::vector<bool> markedRows(const QListWidget& list) {
    std::vector<bool> marked(static_cast<std::size_t>(list.count()), false);
    for (const QItemSelectionRange& range : list.selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            marked[static_cast<std::size_t>(row)] = true;
    return marked;
}

} // namespace

std::filesystem::path pathInFolder(const QString& folder, const QString& name) {
    return toPath(folder) / toPath(name);
}

BatchToolFrame::BatchToolFrame(QWidget& window, ConverterContext& context,
                               const QString& filePattern, FileList::Selection selection)
    : QObject(&window), context_(context) {
    sourceDrives_ = named(new DriveList(&window), "Drive1");
    sourceFolders_ = named(new FolderList(&window), "Dir1");
    sourceFiles_ = named(new FileList(filePattern, selection, &window), "File1");
    outputDrives_ = named(new DriveList(&window), "Drive2");
    outputFolders_ = named(new FolderList(&window), "Dir2");
    start_ = named(new QPushButton(QStringLiteral("START"), &window), "cmdconvert");
    start_->setFont(startButtonFont(start_->font()));

    connect(sourceDrives_, &DriveList::driveChanged, this,
            [this] { followDrive(*sourceDrives_, *sourceFolders_); });
    connect(outputDrives_, &DriveList::driveChanged, this,
            [this] { followDrive(*outputDrives_, *outputFolders_); });
    connect(sourceFolders_, &FolderList::folderChanged, this, [this](const QString& folder) {
        sourceFiles_->setFolder(folder);
        UpdateStartButton();
    });
    for (FolderList* folders : {sourceFolders_, outputFolders_})
        connect(folders, &FolderList::folderUnreadable, this,
                &BatchToolFrame::reportUnreadableFolder);
    connect(start_, &QPushButton::clicked, this, [this] {
        if (run_)
            run_();
    });

    sourceFiles_->setFolder(sourceFolders_->folder());
    UpdateStartButton();
}

MarkAllBox* BatchToolFrame::addMarkAll(QWidget& container, const QRect& boxGeometry,
                                       const QRect& labelGeometry, QAbstractItemView* list) {
    markAll_ = new MarkAllBox(list ? *list : *sourceFiles_, container, boxGeometry, labelGeometry);
    return markAll_;
}

void BatchToolFrame::setRun(std::function<void()> run) {
    run_ = std::move(run);
}

void BatchToolFrame::setStartRule(std::function<bool()> rule) {
    startRule_ = std::move(rule);
}

void BatchToolFrame::UpdateStartButton() {
    start_->setEnabled(startRule_ ? startRule_() : sourceFiles_->count() > 0);
}

bool BatchToolFrame::chooseSourceFile(const std::filesystem::path& file) {
    const QString folder = toQString(file.parent_path());
    // Files of one folder opened together are marked together.
    if (folder != sourceFolders_->folder()) {
        sourceDrives_->showDriveOf(folder);
        sourceFolders_->setFolder(folder);
        sourceFiles_->clearSelection();
    }
    const QList<QListWidgetItem*> rows =
        sourceFiles_->findItems(toQString(file.filename()), Qt::MatchExactly);
    if (rows.isEmpty())
        return false;
    if (sourceFiles_->selectionMode() == QAbstractItemView::SingleSelection)
        sourceFiles_->clearSelection();
    sourceFiles_->setCurrentItem(rows.front(), QItemSelectionModel::Select);
    sourceFiles_->scrollToItem(rows.front());
    return true;
}

std::filesystem::path BatchToolFrame::sourcePath(const QString& fileName) const {
    return pathInFolder(sourceFolders_->folder(), fileName);
}

std::filesystem::path BatchToolFrame::destinationPath(const QString& fileName) const {
    return pathInFolder(outputFolders_->folder(), fileName);
}

std::filesystem::path BatchToolFrame::outputFolder() const {
    return toPath(outputFolders_->folder());
}

std::filesystem::path BatchToolFrame::outputBase(const QString& fileName) const {
    return outputBaseFor(toPath(fileName), outputFolder());
}

void BatchToolFrame::runOverMarkedRows(
    const QListWidget& list, const std::function<void(int row, const QString& name)>& convertRow) {
    // The marks are read once: asking the selection about each row searches all of its ranges,
    // which grows with the square of the list for a scattered selection. No input is taken
    // during the run and `convertRow` may only unmark its own row, so the marks cannot change
    // under the loop.
    const std::vector<bool> marked = markedRows(list);
    BatchRun run;
    run.rowCount = marked.size();
    run.isMarked = [&](std::size_t row) { return marked[row]; };
    run.rowName = [&](std::size_t row) {
        return list.item(static_cast<int>(row))->text().toStdString();
    };
    run.handleRow = [&](std::size_t row) {
        const int index = static_cast<int>(row);
        convertRow(index, list.item(index)->text());
        return true;
    };
    runBatch(context_.progress, context_.prompts, run);
}

// A drive that cannot be read leaves the lists where they were.
void BatchToolFrame::followDrive(DriveList& drives, FolderList& folders) {
    const QString root = drives.drive();
    const QString reason = folderListingProblem(root);
    if (reason.isEmpty()) {
        folders.setFolder(root);
        return;
    }
    context_.prompts.reportProblem(QDir::toNativeSeparators(root).toStdString(),
                                   "This drive cannot be read: " + reason.toStdString() + ".");
    drives.showDriveOf(folders.folder());
}

void BatchToolFrame::reportUnreadableFolder(const QString& folder, const QString& reason) {
    context_.prompts.reportProblem(QDir::toNativeSeparators(folder).toStdString(),
                                   "This folder cannot be read: " + reason.toStdString() +
                                       ". The list shows the nearest folder that can be read.");
}

void layOutConverterColumns(QWidget& window, BatchToolFrame& frame) {
    place(*frame.sourceDrives(), window, twipsRect(240, 240, 2895, 315));
    place(*frame.sourceFolders(), window, twipsRect(240, 1080, 2895, 5535));
    addFrame(window, twipsRect(120, 0, 3135, 735), QStringLiteral("Frame1"));
    addFrame(window, twipsRect(120, 840, 3135, 5955), QStringLiteral("Frame2"));

    QFrame* heading = addFrame(window, twipsRect(3360, 0, 3135, 735), QStringLiteral("Frame3"));
    addHeading(*heading, twipsRect(120, 240, 2895, 375), QStringLiteral("Files to Convert"),
               QStringLiteral("Label4"));
    QFrame* files = addFrame(window, twipsRect(3360, 840, 3135, 5955), QStringLiteral("Frame4"));
    place(*frame.sourceFiles(), *files, twipsRect(120, 240, 2895, 5535));

    place(*frame.outputDrives(), window, twipsRect(6720, 240, 3015, 315));
    place(*frame.outputFolders(), window, twipsRect(6720, 1080, 3015, 3240));
    addFrame(window, twipsRect(6600, 0, 3255, 735), QStringLiteral("Frame5"));
    addFrame(window, twipsRect(6600, 840, 3255, 3690), QStringLiteral("Frame6"));
}

} // namespace skarde::gui
