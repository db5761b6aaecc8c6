#include "plantedfault.h"

#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <fstream>

namespace skarde::monkey {

namespace {

bool isNamed(const QObject& object, const char* name) {
    return object.objectName() == QLatin1String(name);
}

// The tool window (frmpbmp2bmp...) a control belongs to.
QWidget* toolWindowOf(const QWidget& control) {
    for (QWidget* widget = control.parentWidget(); widget; widget = widget->parentWidget())
        if (widget->objectName().startsWith(QStringLiteral("frm")))
            return widget;
    return nullptr;
}

} // namespace

std::optional<PlantedFault::Kind> PlantedFault::named(const std::string& name) {
    if (name == "write-into-source")
        return Kind::WriteIntoSource;
    if (name == "unanswered-dialog")
        return Kind::UnansweredDialog;
    if (name == "crash-on-rare-click")
        return Kind::CrashOnRareClick;
    return std::nullopt;
}

PlantedFault::PlantedFault(Kind kind) : kind_(kind) {}

bool PlantedFault::eventFilter(QObject* watched, QEvent* event) {
    // The type first: an application filter also sees the last events of objects being
    // destroyed, which must not be cast.
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isEnabled())
        return false;
    const QWidget* list = widget->parentWidget();
    if (kind_ == Kind::WriteIntoSource && list && isNamed(*list, "File1"))
        writeIntoSourceFolder(*list);
    else if (kind_ == Kind::UnansweredDialog && isNamed(*widget, "Command3"))
        openUnanswerableDialog();
    else if (kind_ == Kind::CrashOnRareClick && isNamed(*widget, "Check2"))
        crash(*widget);
    return false;
}

// Choosing a file drops another (say, a thumbnail) into the folder the window reads from.
void PlantedFault::writeIntoSourceFolder(const QWidget& files) {
    const QWidget* window = toolWindowOf(files);
    const auto* sources =
        window ? window->findChild<gui::FolderList*>(QStringLiteral("Dir1")) : nullptr;
    if (!sources)
        return;
    std::ofstream(gui::toPath(sources->folder()) / "planted.bmp") << "planted";
}

// A modal "please wait" with no button, opened and never closed.
void PlantedFault::openUnanswerableDialog() {
    auto* dialog = new QDialog(QApplication::activeWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Please wait"));
    dialog->setWindowModality(Qt::ApplicationModal);
    new QLabel(QStringLiteral("Working..."), dialog);
    dialog->show();
}

// The VOL extractor's "PBMP -> BMP" box, clicked while the image preview is on.
void PlantedFault::crash(const QWidget& clicked) {
    const QWidget* window = toolWindowOf(clicked);
    const auto* toggle =
        window ? window->findChild<QPushButton*>(QStringLiteral("Command1")) : nullptr;
    if (!toggle || !toggle->text().endsWith(QStringLiteral("ON")))
        return;
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

} // namespace skarde::monkey
