#include "archiveeditor.h"

#include "archive/membercontent.h"
#include "archive/volfolderupdate.h"
#include "archive/volwriter.h"

#include "core/fileio.h"
#include "core/guardedstep.h"
#include "core/problem.h"

#include "widgets/qtpaths.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace skarde::gui {

namespace fs = std::filesystem;

namespace {

std::string fileNameOf(const fs::path& path) {
    return displayPath(path.filename());
}

// The local files among dropped addresses; none when anything else is among them.
QStringList localFilesOf(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.append(url.toLocalFile());
    }
    return paths;
}

QStringList chooseWithDialog(QWidget* parent, const QString& caption, bool many,
                             const fs::path& folder) {
    const QString start = toQString(folder);
    if (many)
        return QFileDialog::getOpenFileNames(parent, caption, start);
    const QString chosen = QFileDialog::getOpenFileName(parent, caption, start);
    return chosen.isEmpty() ? QStringList() : QStringList{chosen};
}

std::string countOf(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what;
}

// "2 members replaced, 1 added in game.vol; the previous archive is kept as game.vol.bak."
std::string summaryOf(const VolWriteReport& report) {
    std::vector<std::string> parts;
    const auto add = [&](std::size_t count, const char* verb) {
        if (count == 0)
            return;
        parts.push_back(parts.empty() ? countOf(count, count == 1 ? "member " : "members ") + verb
                                      : std::to_string(count) + " " + verb);
    };
    add(report.replaced.size(), "replaced");
    add(report.added.size(), "added");
    add(report.removed.size(), "removed");
    std::string text = parts.empty() ? std::string("Nothing changed") : parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        text += ", " + parts[i];
    text += " in " + fileNameOf(report.archivePath);
    if (report.backupPath)
        text += "; the previous archive is kept as " + fileNameOf(*report.backupPath);
    return text + ".";
}

} // namespace

ArchiveEditor::ArchiveEditor(QListWidget& members, ConverterContext& context, Window window)
    : QObject(&members), members_(members), viewport_(members.viewport()), context_(context),
      window_(std::move(window)) {
    chooseFiles_ = [this](const QString& caption, bool many) {
        return chooseWithDialog(&members_, caption, many, window_.outputFolder());
    };
    members_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&members_, &QWidget::customContextMenuRequested, this, &ArchiveEditor::showMenu);
    viewport_->setAcceptDrops(true);
    viewport_->installEventFilter(this);
}

QString ArchiveEditor::replaceCaption() {
    return QStringLiteral("Replace with file\u2026");
}

QString ArchiveEditor::addCaption() {
    return QStringLiteral("Add files\u2026");
}

QString ArchiveEditor::removeCaption() {
    return QStringLiteral("Remove from archive\u2026");
}

QString ArchiveEditor::putBackCaption() {
    return QStringLiteral("Put back edited files from the output folder");
}

void ArchiveEditor::showMenu(const QPoint& position) {
    if (menu_)
        menu_->close();
    auto* menu = new QMenu(&members_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool loaded = !window_.archivePath().empty();
    const bool hasCurrent = members_.currentRow() >= 0;
    menu->addAction(replaceCaption(), this, &ArchiveEditor::replaceWithFile)
        ->setEnabled(loaded && hasCurrent);
    menu->addAction(addCaption(), this, &ArchiveEditor::addFiles)->setEnabled(loaded);
    menu->addAction(removeCaption(), this, &ArchiveEditor::removeFromArchive)
        ->setEnabled(loaded && (hasCurrent || !members_.selectedItems().isEmpty()));
    menu->addAction(putBackCaption(), this, &ArchiveEditor::putBackEditedFiles)->setEnabled(loaded);
    menu_ = menu;
    menu->popup(members_.viewport()->mapToGlobal(position));
}

std::string ArchiveEditor::memberNameOfRow(int row) const {
    const QListWidgetItem* item = members_.item(row);
    return item != nullptr ? item->text().toStdString() : std::string();
}

// Added files go beside the member the user is on ("textures\" for "textures\dunes.bmp").
std::string ArchiveEditor::folderOfCurrentMember() const {
    const std::string current = memberNameOfRow(members_.currentRow());
    const std::size_t separator = current.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : current.substr(0, separator + 1);
}

// The marked rows, or the current one when none is marked.
std::vector<std::string> ArchiveEditor::markedMemberNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < members_.count(); ++row)
        if (members_.item(row)->isSelected())
            names.push_back(memberNameOfRow(row));
    if (names.empty() && members_.currentRow() >= 0)
        names.push_back(memberNameOfRow(members_.currentRow()));
    return names;
}

void ArchiveEditor::replaceWithFile() {
    const std::string member = memberNameOfRow(members_.currentRow());
    if (member.empty() || window_.archivePath().empty())
        return;
    const QStringList chosen = chooseFiles_(
        QStringLiteral("Replace %1 with file").arg(QString::fromStdString(member)), false);
    if (chosen.isEmpty())
        return;
    const fs::path file = toPath(chosen.front());
    applyChanges({replaceMember(member, memberFile(file))},
                 "Replace " + member + " with " + displayPath(file));
}

void ArchiveEditor::addFiles() {
    if (window_.archivePath().empty())
        return;
    const QStringList chosen = chooseFiles_(QStringLiteral("Add files"), true);
    if (chosen.isEmpty())
        return;
    const std::string folder = folderOfCurrentMember();
    std::vector<VolChange> changes;
    for (const QString& path : chosen) {
        const fs::path file = toPath(path);
        changes.push_back(addMember(folder + fileNameOf(file), memberFile(file)));
    }
    applyChanges(changes, "Add " + countOf(changes.size(), changes.size() == 1 ? "file" : "files") +
                              (folder.empty() ? std::string() : " to " + folder));
}

void ArchiveEditor::removeFromArchive() {
    const std::vector<std::string> names = markedMemberNames();
    if (names.empty() || window_.archivePath().empty())
        return;
    std::vector<VolChange> changes;
    for (const std::string& name : names)
        changes.push_back(removeMember(name));
    applyChanges(changes, "Remove " + (names.size() == 1 ? names.front()
                                                         : countOf(names.size(), "members")));
}

void ArchiveEditor::putBackEditedFiles() {
    const fs::path archive = window_.archivePath();
    if (archive.empty())
        return;
    const fs::path folder = window_.outputFolder();
    FolderUpdatePlan plan;
    FolderUpdateOptions options;
    options.convertBitmaps = true;
    if (!runGuarded(context_.prompts, displayPath(folder), [&] {
            plan = planFolderUpdate(archive, folder, options);
            return true;
        }))
        return;
    for (const Problem& problem : plan.refused)
        tellUserAbout(context_.prompts, problem);
    if (plan.changes.empty()) {
        context_.prompts.showMessage("No file in " + displayPath(folder) +
                                         " differs from its member in " + fileNameOf(archive) + ".",
                                     MessageKind::Summary);
        return;
    }
    applyChanges(plan.changes,
                 "Put back " +
                     countOf(plan.replaced.size(),
                             plan.replaced.size() == 1 ? "edited file" : "edited files") +
                     " from " + displayPath(folder));
}

// A dropped file replaces the member of its name (the whole name, or the file part when only
// one member has it); any other is added beside the current member.
void ArchiveEditor::takeDroppedFiles(const QStringList& paths) {
    if (paths.isEmpty() || window_.archivePath().empty())
        return;
    const std::string folder = folderOfCurrentMember();
    std::vector<VolChange> changes;
    std::size_t replaced = 0;
    for (const QString& path : paths) {
        const fs::path file = toPath(path);
        const QString name = QString::fromStdString(fileNameOf(file));
        int match = -1;
        int matches = 0;
        for (int row = 0; row < members_.count(); ++row) {
            const QString member = members_.item(row)->text();
            const QString filePart =
                member.mid(std::max(member.lastIndexOf(u'\\'), member.lastIndexOf(u'/')) + 1);
            if (member.compare(name, Qt::CaseInsensitive) == 0 ||
                filePart.compare(name, Qt::CaseInsensitive) == 0) {
                match = row;
                ++matches;
            }
        }
        if (matches == 1) {
            changes.push_back(replaceMember(memberNameOfRow(match), memberFile(file)));
            ++replaced;
        } else {
            changes.push_back(addMember(folder + name.toStdString(), memberFile(file)));
        }
    }
    const std::size_t added = changes.size() - replaced;
    std::string what =
        "Put " + countOf(changes.size(), changes.size() == 1 ? "dropped file" : "dropped files") +
        " into the archive (";
    what += countOf(replaced, replaced == 1 ? "member" : "members") + " replaced, ";
    what += countOf(added, added == 1 ? "member" : "members") + " added)";
    applyChanges(changes, what);
}

void ArchiveEditor::applyChanges(const std::vector<VolChange>& changes,
                                 const std::string& whatChanges) {
    const fs::path archive = window_.archivePath();
    const std::string question = whatChanges + " in " + displayPath(archive) +
                                 "? The archive as it is now is kept as " +
                                 fileNameOf(nextBackupPath(archive)) + ".";
    if (!context_.prompts.askYesNo(question))
        return;
    ProgressSink& progress = context_.progress;
    constexpr int kSteps = 1000;
    progress.show();
    progress.setCaption("Progress - " + fileNameOf(archive));
    progress.setMinimum(Bar::Files, 0);
    progress.setMaximum(Bar::Files, kSteps);
    progress.setValue(Bar::Files, 0);
    VolWriteOptions options;
    options.progress = [&](std::int64_t written, std::int64_t total) {
        progress.setValue(Bar::Files,
                          total > 0 ? static_cast<int>(written * kSteps / total) : kSteps);
    };
    VolWriteReport report;
    const bool written = runGuarded(context_.prompts, displayPath(archive), [&] {
        report = updateVolArchive(archive, changes, {}, options);
        return true;
    });
    progress.setCaption("Progress");
    progress.hide();
    window_.reload();
    if (written)
        context_.prompts.showMessage(summaryOf(report), MessageKind::Summary);
}

bool ArchiveEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!window_.archivePath().empty() && !localFilesOf(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        return false;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = localFilesOf(drop->mimeData());
        if (paths.isEmpty())
            return false;
        drop->acceptProposedAction();
        takeDroppedFiles(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace skarde::gui
