#include "modalanswerer.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>

namespace skarde::test {

namespace {

std::string describe(QWidget& modal) {
    std::string text = modal.windowTitle().toStdString() + " | ";
    if (auto* box = qobject_cast<QMessageBox*>(&modal))
        return text + box->text().toStdString();
    if (auto* combo = modal.findChild<QComboBox*>(QStringLiteral("Combo1")))
        return text + combo->currentText().toStdString();
    return text;
}

ModalAnswerer::Answer pressStandardButton(QMessageBox::StandardButton which) {
    return [which](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box && box->button(which))
            box->button(which)->click();
        else
            modal.close();
    };
}

} // namespace

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer_.start();
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == handled_ || !modal->isVisible())
        return;
    handled_ = modal;
    seen_.push_back(describe(*modal));
    if (answers_.empty()) {
        ++unexpected_;
        modal->close();
        return;
    }
    const Answer answer = std::move(answers_.front());
    answers_.pop_front();
    answer(*modal);
}

ModalAnswerer::Answer pressOk() {
    return pressStandardButton(QMessageBox::Ok);
}
ModalAnswerer::Answer pressYes() {
    return pressStandardButton(QMessageBox::Yes);
}
ModalAnswerer::Answer pressNo() {
    return pressStandardButton(QMessageBox::No);
}

ModalAnswerer::Answer choosePalette(const QString& text, const char* buttonName) {
    return [text, buttonName](QWidget& modal) {
        if (auto* combo = modal.findChild<QComboBox*>(QStringLiteral("Combo1"))) {
            const int row = combo->findText(text);
            if (row >= 0)
                combo->setCurrentIndex(row);
            else
                combo->setCurrentText(text);
        }
        if (auto* button = modal.findChild<QPushButton*>(QString::fromLatin1(buttonName)))
            button->click();
    };
}

ModalAnswerer::Answer closeWithCloseBox() {
    return [](QWidget& modal) { modal.close(); };
}

} // namespace skarde::test
