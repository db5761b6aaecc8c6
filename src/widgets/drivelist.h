#pragma once

// Drive list (Drive1, Drive2): a drop-down of the volumes a user can browse, one root folder
// per entry. Choosing an entry raises driveChanged; the tool window then moves its folder list
// to that root.

#include <QComboBox>

namespace skarde::gui {

class DriveList : public QComboBox {
    Q_OBJECT
public:
    // Lists the mounted volumes and shows the one holding the process's current folder.
    explicit DriveList(QWidget* parent = nullptr);

    // Root folder of the chosen volume.
    QString drive() const;
    // Replaces the entries, keeping the chosen drive when it is still there, without raising
    // driveChanged.
    void setDrives(const QStringList& roots);
    // Shows the volume that holds `folder` (adding it when missing), without raising
    // driveChanged.
    void showDriveOf(const QString& folder);

    // Root folders of the mounted volumes, without the system's pseudo file systems.
    static QStringList browsableVolumeRoots();

signals:
    void driveChanged(const QString& root);

protected:
    // Media mounted since the window opened appear when the list drops down.
    void showPopup() override;

private:
    int rowOfDriveHolding(const QString& folder) const;
    void addDrive(const QString& root);
};

} // namespace skarde::gui
