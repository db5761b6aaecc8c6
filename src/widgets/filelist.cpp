#include "filelist.h"

#include <QDir>

#include <algorithm>

namespace skarde::gui {

QStringList matchingFileNames(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    dir.setNameFilters(pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    // Without QDir::CaseSensitive the name filters ignore letter case.
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::NoSort);
    QStringList names = dir.entryList();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int ignoringCase = a.compare(b, Qt::CaseInsensitive);
        return ignoringCase != 0 ? ignoringCase < 0 : a < b;
    });
    return names;
}

FileList::FileList(const QString& pattern, Selection selection, QWidget* parent)
    : QListWidget(parent), pattern_(pattern) {
    setSelectionMode(selection == Selection::Extended ? QAbstractItemView::ExtendedSelection
                                                      : QAbstractItemView::SingleSelection);
}

void FileList::setFolder(const QString& folder) {
    folder_ = folder;
    clear();
    addItems(matchingFileNames(folder, pattern_));
    // A fresh list has no current row either, so Shift+click starts from the clicked entry.
    setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

QString FileList::fileName(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->text() : QString();
}

bool FileList::isMarked(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry && entry->isSelected();
}

QStringList FileList::markedFileNames() const {
    QStringList names;
    for (int row = 0; row < count(); ++row)
        if (isMarked(row))
            names << fileName(row);
    return names;
}

} // namespace skarde::gui
