#pragma once

// Folder list (Dir1, Dir2): the opened folder's ancestors from the root down, indented, then
// its sub-folders. The highlighted entry is always the current folder: moving the highlight
// (arrow keys, Home/End, PageUp/PageDown) makes that entry the current one and raises
// folderChanged without changing the rows, so every row shown stays within reach of the keys.
// Opening an entry (a click, Enter) also lists its ancestors and sub-folders.

#include <QElapsedTimer>
#include <QListWidget>
#include <QPoint>

namespace skarde::gui {

class FolderList : public QListWidget {
    Q_OBJECT
public:
    // Starts at the process's current folder.
    explicit FolderList(QWidget* parent = nullptr);

    QString folder() const { return folder_; }
    // Opens `folder`, makes it the current folder and raises folderChanged. A folder that cannot
    // be listed raises folderUnreadable first, and the list goes to its nearest ancestor that
    // can be.
    void setFolder(const QString& folder);
    // The folder an entry stands for.
    QString entryFolder(int row) const;

signals:
    void folderChanged(const QString& folder);
    void folderUnreadable(const QString& folder, const QString& reason);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void highlightEntry(const QListWidgetItem* item);
    void openEntry(const QListWidgetItem* item);
    // Lists `folder`, or its nearest listable ancestor after raising folderUnreadable.
    void openFolder(const QString& folder);
    void fill(const QString& folder);
    QString nearestListableFolder(QString folder) const;

    // The highlighted folder, the one a run uses.
    QString folder_;
    // The folder whose ancestors and sub-folders the rows show.
    QString openedFolder_;
    bool filling_ = false;
    QElapsedTimer lastPress_;
    QPoint lastPressAt_;
};

// Why `folder` cannot be listed ("it does not exist", "Permission denied"...), or an empty text
// when it can.
QString folderListingProblem(const QString& folder);

} // namespace skarde::gui
