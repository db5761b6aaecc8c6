#include "guiprompts.h"

#include "palettedialog.h"
#include "widgets/qtpaths.h"

#include <QMessageBox>

namespace skarde::gui {

namespace {

// No owner: the box is modal for the whole program and centred on the screen.
QMessageBox::StandardButton showBox(const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("SkardeTools"), text, buttons);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void GuiPrompts::showMessage(std::string_view text, MessageKind) {
    showBox(toQString(text), QMessageBox::Ok);
}

void GuiPrompts::reportProblem(std::string_view subject, std::string_view problem) {
    showBox(toQString(subject) + QStringLiteral("\n\n") + toQString(problem), QMessageBox::Ok);
}

bool GuiPrompts::askYesNo(std::string_view question) {
    return showBox(toQString(question), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string GuiPrompts::ChooseWorldPalette() {
    return gui::ChooseWorldPalette();
}

} // namespace skarde::gui
