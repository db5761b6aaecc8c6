#pragma once

// The frame every batch tool window shares: source drive, folder and file lists, output drive
// and folder lists, START, optionally "Mark All Files", the wiring between them, the paths of a
// run and the run over the marked files. One instance per window; the window adds its own
// controls and its own ConvertSelectedFiles.
//
// How a tool window uses it (the PBMP -> BMP window is the model):
//   1. In its constructor, create the frame with the window, the converter context, the file
//      pattern and the selection kind:
//          frame_ = new BatchToolFrame(*this, context, "*.PBA;*.pft", FileList::Selection::Single);
//      This creates Drive1, Dir1, File1, Drive2, Dir2 and cmdconvert ("START", bold) with those
//      object names, wired as every tool window has them:
//          Drive1 change -> Dir1 goes to the drive's root; Dir1 change -> File1 lists the folder,
//          then UpdateStartButton; Drive2 change -> Dir2 goes to the drive's root.
//      All lists start at the process's current drive and folder. A drive or folder that cannot
//      be read is reported through the context's prompts, and the lists stay at the nearest
//      folder that can be read.
//   2. Create the window's frames (addFrame) and labels, then place the frame's controls with
//      place(*frame_->sourceDrives(), *this, twipsRect(...)), into the window or into a frame.
//   3. Where the window has "Mark All Files", call addMarkAll(container, box, label) to create
//      Check1 and Label1 acting on File1, or on another list (the VOL extractor's members).
//   4. setRun([this] { ConvertSelectedFiles(); }) tells START what to do. A window whose START
//      depends on another list than File1 gives setStartRule(...) and calls UpdateStartButton
//      when that list changes.
//   5. ConvertSelectedFiles: windows that convert each marked file in turn with ProgressBar1
//      counting (PBMP -> BMP, RuziRire+, the VOL extraction over its member list) call
//      runOverMarkedRows with their per-file step; the others (PBA, PPL) loop over File1
//      themselves. Paths: sourcePath(name), destinationPath(name), outputFolder(), and
//      outputBase(name) for the converters that name their own outputs.

#include "filelist.h"

#include "core/convertercontext.h"

#include <QObject>
#include <QRect>

#include <filesystem>
#include <functional>

class QAbstractItemView;
class QPushButton;

namespace skarde::gui {

class DriveList;
class FolderList;
class MarkAllBox;

class BatchToolFrame : public QObject {
    Q_OBJECT
public:
    BatchToolFrame(QWidget& window, ConverterContext& context, const QString& filePattern,
                   FileList::Selection selection);

    DriveList* sourceDrives() const { return sourceDrives_; }
    FolderList* sourceFolders() const { return sourceFolders_; }
    FileList* sourceFiles() const { return sourceFiles_; }
    DriveList* outputDrives() const { return outputDrives_; }
    FolderList* outputFolders() const { return outputFolders_; }
    QPushButton* startButton() const { return start_; }
    // Null until addMarkAll.
    MarkAllBox* markAll() const { return markAll_; }

    // Creates Check1 and Label1 in `container` acting on `list` (File1 when null).
    MarkAllBox* addMarkAll(QWidget& container, const QRect& boxGeometry, const QRect& labelGeometry,
                           QAbstractItemView* list = nullptr);
    void setRun(std::function<void()> run);
    // What enables START; by default File1 listing at least one file.
    void setStartRule(std::function<bool()> rule);
    void UpdateStartButton();

    // The file `fileName` in Dir1's folder, and in Dir2's folder. A root folder, which already
    // ends in a separator, gets no second one.
    std::filesystem::path sourcePath(const QString& fileName) const;
    std::filesystem::path destinationPath(const QString& fileName) const;
    std::filesystem::path outputFolder() const;
    // Where the outputs of `fileName` go for converters that number or name them themselves:
    // Dir2's folder and the name without its last four characters, as outputBaseFor has it.
    std::filesystem::path outputBase(const QString& fileName) const;

    // As the user would pick `file`: its drive and folder chosen in the source lists, and the file
    // marked in File1, beside the files marked so far in that folder (a single-selection list
    // keeps only the last). False, with the folder chosen, when File1 does not list the file
    // (its name does not match the list's pattern).
    bool chooseSourceFile(const std::filesystem::path& file);

    // The shared batch run, without yielding to the event loop: shows the progress window,
    // sets ProgressBar1 to 0..number of marked rows, and for each marked row in list order
    // sets the caption "Progress - " and the row's text and calls `convertRow`; after every
    // row, marked or not, ProgressBar1 shows the rows handled. Ends with the caption "Progress"
    // and the window hidden. The selection is left as `convertRow` leaves it.
    void runOverMarkedRows(const QListWidget& list,
                           const std::function<void(int row, const QString& name)>& convertRow);

private:
    void followDrive(DriveList& drives, FolderList& folders);
    void reportUnreadableFolder(const QString& folder, const QString& reason);

    ConverterContext& context_;
    DriveList* sourceDrives_ = nullptr;
    FolderList* sourceFolders_ = nullptr;
    FileList* sourceFiles_ = nullptr;
    DriveList* outputDrives_ = nullptr;
    FolderList* outputFolders_ = nullptr;
    QPushButton* start_ = nullptr;
    MarkAllBox* markAll_ = nullptr;
    std::function<void()> run_;
    std::function<bool()> startRule_;
};

// The columns the PBMP -> BMP and PBA -> BMP windows share: the source lists on the left, the
// "Files to Convert" heading over the file list in the middle, the output lists at the top right.
void layOutConverterColumns(QWidget& window, BatchToolFrame& frame);

// `name` in `folder`, joined without a doubled separator.
std::filesystem::path pathInFolder(const QString& folder, const QString& name);

} // namespace skarde::gui
