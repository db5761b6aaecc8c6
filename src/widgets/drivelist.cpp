#include "drivelist.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace skarde::gui {

namespace {

// Windows matches file names, drive letters included, without regard to case ("c:/" is "C:/").
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

bool isInside(const QString& folder, const QString& root) {
    if (folder.compare(root, kPathCase) == 0)
        return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return folder.startsWith(prefix, kPathCase);
}

// The kernel's and the service manager's own mounts hold nothing a user converts; removable
// media mounted under /run/media stay.
bool isSystemMount(const QStorageInfo& volume) {
    static const QStringList systemTypes{
        QStringLiteral("proc"),      QStringLiteral("sysfs"),       QStringLiteral("devpts"),
        QStringLiteral("devtmpfs"),  QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),
        QStringLiteral("debugfs"),   QStringLiteral("tracefs"),     QStringLiteral("securityfs"),
        QStringLiteral("pstore"),    QStringLiteral("bpf"),         QStringLiteral("mqueue"),
        QStringLiteral("hugetlbfs"), QStringLiteral("configfs"),    QStringLiteral("fusectl"),
        QStringLiteral("autofs"),    QStringLiteral("binfmt_misc"), QStringLiteral("nsfs"),
        QStringLiteral("efivarfs"),  QStringLiteral("squashfs")};
    static const QStringList systemRoots{QStringLiteral("/proc"), QStringLiteral("/sys"),
                                         QStringLiteral("/dev"), QStringLiteral("/run"),
                                         QStringLiteral("/snap")};
    const QString root = volume.rootPath();
    if (isInside(root, QStringLiteral("/run/media")))
        return false;
    if (systemTypes.contains(QString::fromLatin1(volume.fileSystemType())))
        return true;
    return std::any_of(systemRoots.begin(), systemRoots.end(),
                       [&](const QString& system) { return isInside(root, system); });
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setDrives(browsableVolumeRoots());
    showDriveOf(QDir::currentPath());
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (row >= 0)
            emit driveChanged(drive());
    });
}

QStringList DriveList::browsableVolumeRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Single files bound into place (as in containers) are mounts too, but not drives.
        if (!volume.isValid() || isSystemMount(volume) || !QFileInfo(volume.rootPath()).isDir())
            continue;
        if (!roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    std::sort(roots.begin(), roots.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return roots;
}

QString DriveList::drive() const {
    return currentData().toString();
}

void DriveList::setDrives(const QStringList& roots) {
    const QSignalBlocker blocker(this);
    const QString chosen = drive();
    clear();
    for (const QString& root : roots)
        addDrive(root);
    const int row = findData(chosen);
    setCurrentIndex(row >= 0 ? row : (count() > 0 ? 0 : -1));
}

void DriveList::addDrive(const QString& root) {
    addItem(QDir::toNativeSeparators(root), root);
}

int DriveList::rowOfDriveHolding(const QString& folder) const {
    int best = -1;
    for (int row = 0; row < count(); ++row) {
        const QString root = itemData(row).toString();
        if (isInside(folder, root) && (best < 0 || root.size() > itemData(best).toString().size()))
            best = row;
    }
    return best;
}

void DriveList::showDriveOf(const QString& folder) {
    const QSignalBlocker blocker(this);
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    int row = rowOfDriveHolding(clean);
    if (row < 0) {
        addDrive(QStorageInfo(clean).isValid() ? QStorageInfo(clean).rootPath()
                                               : QDir(clean).rootPath());
        row = rowOfDriveHolding(clean);
    }
    setCurrentIndex(row);
}

void DriveList::showPopup() {
    QStringList roots = browsableVolumeRoots();
    if (!drive().isEmpty() && !roots.contains(drive()))
        roots.append(drive());
    setDrives(roots);
    QComboBox::showPopup();
}

} // namespace skarde::gui
