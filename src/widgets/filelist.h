#pragma once

// File list (File1): the files of one folder (no folders) whose names match a pattern list
// separated by ";" ("*.PBA;*.pft"), without regard to letter case, sorted by name without
// regard to case. Extended selection (click, Shift+click, Ctrl+click) or single selection.

#include <QListWidget>

namespace skarde::gui {

class FileList : public QListWidget {
    Q_OBJECT
public:
    enum class Selection { Extended, Single };

    FileList(const QString& pattern, Selection selection, QWidget* parent = nullptr);

    QString folder() const { return folder_; }
    QString pattern() const { return pattern_; }
    // Lists the matching files of `folder`; the new list starts with nothing selected. A folder
    // that cannot be read lists nothing.
    void setFolder(const QString& folder);
    QString fileName(int row) const;
    bool isMarked(int row) const;
    // The names of the marked files, in list order.
    QStringList markedFileNames() const;

private:
    QString folder_;
    QString pattern_;
};

// The names in `folder` that match `pattern`, sorted as the file list shows them.
QStringList matchingFileNames(const QString& folder, const QString& pattern);

} // namespace skarde::gui
