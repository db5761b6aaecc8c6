#pragma once

// Changes to the archive the VOL File Extractor shows, from its member list: a context menu
// (the mouse's right button or the keyboard's menu key) to replace the current member with a
// file, add files, remove the marked members, or put back the files an extraction wrote to the
// output folder and the user has edited since; and files dropped on the list, which replace the
// members of their names or are added. Every change asks once, naming the archive and the
// backup it keeps, runs with the progress window, and has the lists reloaded afterwards.

#include "archive/volchange.h"

#include "core/convertercontext.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QPoint;

namespace skarde::gui {

class ArchiveEditor : public QObject {
    Q_OBJECT
public:
    struct Window {
        std::function<std::filesystem::path()> archivePath; // empty while no archive is loaded
        std::function<std::filesystem::path()> outputFolder;
        std::function<void()> reload; // after the archive changed
    };
    // Asks for files to open: one, or as many as the user likes. Empty when cancelled.
    using FileChooser = std::function<QStringList(const QString& caption, bool many)>;

    ArchiveEditor(QListWidget& members, ConverterContext& context, Window window);

    // The menu's captions, in its order.
    static QString replaceCaption();
    static QString addCaption();
    static QString removeCaption();
    static QString putBackCaption();

    void setFileChooser(FileChooser chooser) { chooseFiles_ = std::move(chooser); }
    // The menu shown last while it is open, else null.
    QMenu* menu() const { return menu_; }

    void replaceWithFile();
    void addFiles();
    void removeFromArchive();
    void putBackEditedFiles();
    void takeDroppedFiles(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const QPoint& position);
    std::string memberNameOfRow(int row) const;
    std::string folderOfCurrentMember() const;
    std::vector<std::string> markedMemberNames() const;
    // Asks, writes the archive in place (keeping a backup) with the progress shown, tells the
    // outcome and reloads the lists. Nothing happens when the user says No.
    void applyChanges(const std::vector<VolChange>& changes, const std::string& whatChanges);

    QListWidget& members_;
    // Compared with, never asked of the list: the viewport's last events come while the list
    // is being destroyed, when calling the list is undefined.
    QWidget* const viewport_;
    ConverterContext& context_;
    Window window_;
    FileChooser chooseFiles_;
    QPointer<QMenu> menu_;
};

} // namespace skarde::gui
