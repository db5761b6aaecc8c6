#include "folderlist.h"

#include "qtpaths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace skarde::gui {

namespace {

constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole;
constexpr int kIndentPixels = 12;

// Indents each entry by its depth below the root.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(kDepthRole).toInt() * kIndentPixels;
        return size;
    }
};

QString cleanAbsolute(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

QString parentOf(const QString& folder) {
    return QFileInfo(folder).path();
}

QStringList ancestorsFromRoot(const QString& folder) {
    QStringList chain{folder};
    for (QString parent = parentOf(folder); parent != chain.front(); parent = parentOf(parent))
        chain.prepend(parent);
    return chain;
}

QStringList subFolders(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int ignoringCase = a.compare(b, Qt::CaseInsensitive);
        return ignoringCase != 0 ? ignoringCase < 0 : a < b;
    });
    return names;
}

QString shownName(const QString& folder) {
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(folder) : name;
}

} // namespace

QString folderListingProblem(const QString& folder) {
    namespace fs = std::filesystem;
    const fs::path path = toPath(folder);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return QStringLiteral("it does not exist");
    if (!fs::is_directory(status))
        return QStringLiteral("it is not a folder");
    fs::directory_iterator listing(path, error);
    if (error)
        return QString::fromStdString(error.message());
    return {};
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentingDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Like the classic folder list: long names are cut at the edge, and the tooltip shows the
    // whole path.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    // The highlighted entry is always the current folder, so what the user sees selected is
    // the folder a run uses.
    connect(this, &QListWidget::currentItemChanged, this, [this](const QListWidgetItem* item) {
        if (!filling_)
            highlightEntry(item);
    });
    fill(nearestListableFolder(QDir::currentPath()));
}

void FolderList::setFolder(const QString& folder) {
    openFolder(folder);
    emit folderChanged(folder_);
}

void FolderList::openFolder(const QString& folder) {
    const QString wanted = cleanAbsolute(folder);
    const QString problem = folderListingProblem(wanted);
    if (!problem.isEmpty())
        emit folderUnreadable(wanted, problem);
    fill(problem.isEmpty() ? wanted : nearestListableFolder(wanted));
}

QString FolderList::entryFolder(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(kFolderRole).toString() : QString();
}

QString FolderList::nearestListableFolder(QString folder) const {
    folder = cleanAbsolute(folder);
    for (;;) {
        if (folderListingProblem(folder).isEmpty())
            return folder;
        const QString parent = parentOf(folder);
        if (parent == folder)
            break;
        folder = parent;
    }
    if (!folder_.isEmpty() && folderListingProblem(folder_).isEmpty())
        return folder_;
    return QDir::homePath();
}

void FolderList::fill(const QString& folder) {
    const QScopedValueRollback guard(filling_, true);
    folder_ = folder;
    openedFolder_ = folder;
    clear();
    const QStringList ancestors = ancestorsFromRoot(folder);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    int depth = 0;
    for (const QString& ancestor : ancestors) {
        auto* entry = new QListWidgetItem(open, shownName(ancestor), this);
        entry->setData(kFolderRole, ancestor);
        entry->setToolTip(QDir::toNativeSeparators(ancestor));
        entry->setData(kDepthRole, depth++);
    }
    const QDir current(folder);
    for (const QString& name : subFolders(folder)) {
        auto* entry = new QListWidgetItem(closed, name, this);
        const QString path = cleanAbsolute(current.filePath(name));
        entry->setData(kFolderRole, path);
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setData(kDepthRole, depth);
    }
    setCurrentRow(static_cast<int>(ancestors.size()) - 1);
}

void FolderList::highlightEntry(const QListWidgetItem* item) {
    if (!item || item->data(kFolderRole).toString() == folder_)
        return;
    const QString folder = item->data(kFolderRole).toString();
    // A folder that vanished since the rows were listed is reported, and the rows re-listed.
    if (!folderListingProblem(folder).isEmpty()) {
        setFolder(folder);
        return;
    }
    folder_ = folder;
    emit folderChanged(folder_);
}

void FolderList::openEntry(const QListWidgetItem* item) {
    if (!item || item->data(kFolderRole).toString() == openedFolder_)
        return;
    const QString before = folder_;
    openFolder(item->data(kFolderRole).toString());
    if (folder_ != before)
        emit folderChanged(folder_);
}

void FolderList::mousePressEvent(QMouseEvent* event) {
    // The second press of a double-click would open whatever the refilled list now shows under
    // the pointer; the first click already opened the entry.
    const bool secondOfDoubleClick =
        lastPress_.isValid() && lastPress_.elapsed() < QApplication::doubleClickInterval() &&
        (event->position().toPoint() - lastPressAt_).manhattanLength() <
            QApplication::startDragDistance();
    lastPress_.start();
    lastPressAt_ = event->position().toPoint();
    if (secondOfDoubleClick) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
    // The press highlighted the entry; a click also opens it.
    const QListWidgetItem* pressed = itemAt(event->position().toPoint());
    if (pressed && pressed == currentItem())
        openEntry(pressed);
}

void FolderList::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace skarde::gui
