#include "modalresponder.h"

#include "app/pictures/aboutwindow.h"
#include "app/prompts/palettedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace skarde::monkey {

namespace {

// A window still up this many polls after its answer gets another.
constexpr int kPollsBeforeAnsweringAgain = 200;

int pick(std::mt19937_64& random, int count) {
    return static_cast<int>(random() % static_cast<std::uint64_t>(count));
}

std::string describe(const QWidget& modal) {
    std::string text = modal.metaObject()->className();
    text += " '" + modal.windowTitle().toStdString() + "'";
    if (const auto* box = qobject_cast<const QMessageBox*>(&modal))
        text += " \"" + box->text().left(80).simplified().toStdString() + "\"";
    return text;
}

} // namespace

ModalResponder::ModalResponder(std::mt19937_64& random, Note note)
    : random_(random), note_(std::move(note)) {
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, &ModalResponder::poll);
    timer_.start();
}

std::vector<std::string> ModalResponder::takeUnanswerable() {
    return std::exchange(unanswerable_, {});
}

void ModalResponder::poll() {
    // A drop-down menu waits for the user as a dialog does; Esc lets it go.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        note_("closed the pop-up " + describe(*popup) + " with Esc");
        QTest::keyClick(popup, Qt::Key_Escape);
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (modal == handled_ && ++pollsSinceAnswer_ < kPollsBeforeAnsweringAgain)
        return;
    handled_ = modal;
    pollsSinceAnswer_ = 0;
    answer(*modal);
}

void ModalResponder::answer(QWidget& modal) {
    std::string how;
    if (qobject_cast<QMessageBox*>(&modal))
        how = answerMessageBox(modal);
    else if (qobject_cast<gui::PaletteDialog*>(&modal))
        how = answerPaletteDialog(modal);
    else if (auto* about = qobject_cast<gui::AboutWindow*>(&modal)) {
        if (about->collapsing())
            return;
        how = answerAbout(modal);
    } else {
        unanswerable_.push_back(describe(modal));
        note_("cannot answer " + describe(modal) + ": closed it");
        modal.close();
        return;
    }
    ++answered_;
    note_("answered " + how);
}

std::string ModalResponder::answerMessageBox(QWidget& modal) {
    auto& box = static_cast<QMessageBox&>(modal);
    const std::string what = describe(box);
    const QList<QAbstractButton*> buttons = box.buttons();
    const int choice = pick(random_, static_cast<int>(buttons.size()) + 1);
    if (choice == buttons.size()) {
        box.close();
        return what + " with its close box";
    }
    QAbstractButton* button = buttons[choice];
    const std::string caption = button->text().toStdString();
    button->click();
    return what + " with " + caption;
}

std::string ModalResponder::answerPaletteDialog(QWidget& modal) {
    std::string how = describe(modal);
    if (auto* combo = modal.findChild<QComboBox*>(QStringLiteral("Combo1"))) {
        const int choice = pick(random_, combo->count() + 1);
        if (choice < combo->count())
            combo->setCurrentIndex(choice);
        else
            combo->setCurrentText(QStringLiteral("NoSuchWorld"));
        how += " with palette " + combo->currentText().toStdString();
    }
    const char* buttons[] = {"OKButton", "CancelButton"};
    const int choice = pick(random_, 3);
    if (choice == 2) {
        modal.close();
        return how + " and its close box";
    }
    if (auto* button = modal.findChild<QPushButton*>(QString::fromLatin1(buttons[choice])))
        button->click();
    return how + " and " + buttons[choice];
}

std::string ModalResponder::answerAbout(QWidget& modal) {
    if (pick(random_, 2) == 0) {
        if (auto* ok = modal.findChild<QPushButton*>(QStringLiteral("cmdOK")))
            ok->click();
        return describe(modal) + " with OK";
    }
    QTest::keyClick(&modal, Qt::Key_Escape);
    return describe(modal) + " with Esc";
}

} // namespace skarde::monkey
