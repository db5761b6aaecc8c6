#pragma once

// Folder list (Dir1, Dir2): the current folder's ancestors from the root down, indented, then
// its sub-folders. The highlighted entry is always the current folder: selecting an entry by
// click or keyboard makes it the current one and raises folderChanged.

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
    // Makes `folder` the current folder and raises folderChanged. A folder that cannot be listed
    // raises folderUnreadable first, and the list goes to its nearest ancestor that can be.
    void setFolder(const QString& folder);
    // The folder an entry stands for.
    QString entryFolder(int row) const;

signals:
    void folderChanged(const QString& folder);
    void folderUnreadable(const QString& folder, const QString& reason);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void openEntry(const QListWidgetItem* item);
    void fill(const QString& folder);
    QString nearestListableFolder(QString folder) const;

    QString folder_;
    bool filling_ = false;
    QElapsedTimer lastPress_;
    QPoint lastPressAt_;
};

// Why `folder` cannot be listed ("it does not exist", "Permission denied"...), or an empty text
// when it can.
QString folderListingProblem(const QString& folder);

} // namespace skarde::gui
