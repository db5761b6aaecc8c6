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
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || event->type() != QEvent::MouseButtonRelease || !widget->isEnabled())
        return false;
    if (kind_ == Kind::WriteIntoSource && isNamed(*widget, "cmdconvert"))
        writeIntoSourceFolder(*widget);
    else if (kind_ == Kind::UnansweredDialog && isNamed(*widget, "Command3"))
        openUnanswerableDialog();
    else if (kind_ == Kind::CrashOnRareClick && isNamed(*widget, "Check2"))
        crash(*widget);
    return false;
}

// START also drops a file into the folder the window reads from.
void PlantedFault::writeIntoSourceFolder(const QWidget& start) {
    const QWidget* window = toolWindowOf(start);
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
