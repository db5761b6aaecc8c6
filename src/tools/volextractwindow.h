#pragma once

// frmvolextract "VOL File Extractor": pick an archive in the file list, and its stored members
// fill List1 (its compressed ones the disabled List2); mark members, pick an output folder and
// press START to extract them, each deselected as it is handled. The window also switches the
// image preview on and off and sets its zoom: while the preview is on, every mouse press and
// key release in List1 shows the current member, when it is a game bitmap. List1's context
// menu and drops change the archive (see ArchiveEditor).

#include "archive/voldirectory.h"

#include "core/convertercontext.h"

#include <QPointer>
#include <QSet>
#include <QSize>
#include <QWidget>

#include <filesystem>
#include <optional>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace skarde::gui {

class ArchiveEditor;
class BatchToolFrame;
class ImagePreviewWindow;

class VolExtractWindow : public QWidget {
    Q_OBJECT
public:
    explicit VolExtractWindow(ConverterContext& context, QWidget* parent = nullptr);

    void UpdateStartButton();
    // Replaces the current archive and its member lists; a refused archive is reported and
    // leaves both lists empty. "Mark All Files" applies to the new rows.
    void LoadVolDirectory(const std::filesystem::path& archivePath);
    void ExtractSelectedMembers();
    void PreviewSelectedMember();

    int zoom() const { return zoom_; }
    // The preview window while it is open, else null.
    ImagePreviewWindow* previewWindow() const;
    // The member list's context menu and drops, which change the archive.
    ArchiveEditor* archiveEditor() const { return archiveEditor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void connectEvents();
    void fillMemberLists();
    void loadPressedArchive();
    void togglePreview();
    // The toggle's caption follows the state; the state is never read back from the caption.
    void setPreviewOn(bool on);
    void openPreviewWindow();
    void closePreviewWindow();
    void previewClosed();
    void changeZoom(int factor);
    QSize previewSize() const;

    ConverterContext& context_;
    BatchToolFrame* frame_ = nullptr;
    QListWidget* storedMembers_ = nullptr;
    QListWidget* compressedMembers_ = nullptr;
    QCheckBox* convertBitmapsBox_ = nullptr;
    QPushButton* previewToggle_ = nullptr;
    VolDirectory directory_;
    bool previewOn_ = false;
    int zoom_ = 1;
    // The width and height of the member previewed last, unzoomed.
    QSize previewedPictureSize_;
    QPointer<ImagePreviewWindow> preview_;
    // The size a zoom button set while the preview was off, for its next opening.
    std::optional<QSize> closedPreviewSize_;
    QSet<int> keysPressedInMembers_;
    ArchiveEditor* archiveEditor_ = nullptr;
};

} // namespace skarde::gui
