#pragma once

// Answers the modal message boxes and dialogs that a window under test opens, in order, from a
// queue of scripted answers. A modal window nobody scripted is recorded and rejected, so a test
// fails instead of hanging.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace skarde::test {

class ModalAnswerer : public QObject {
public:
    using Answer = std::function<void(QWidget& modal)>;

    ModalAnswerer();

    void enqueue(Answer answer) { answers_.push_back(std::move(answer)); }
    // How each modal window looked when it appeared: "title | text" for a message box,
    // "title | Combo1's text" for the palette dialog.
    const std::vector<std::string>& seen() const { return seen_; }
    int unexpected() const { return unexpected_; }
    bool allAnswered() const { return answers_.empty(); }

private:
    void poll();

    QTimer timer_;
    QPointer<QWidget> handled_;
    std::deque<Answer> answers_;
    std::vector<std::string> seen_;
    int unexpected_ = 0;
};

// Answers: click a message box's standard button, or one of the palette dialog's buttons after
// setting Combo1's text; close a window with its close box.
ModalAnswerer::Answer pressOk();
ModalAnswerer::Answer pressYes();
ModalAnswerer::Answer pressNo();
ModalAnswerer::Answer choosePalette(const QString& text, const char* buttonName);
ModalAnswerer::Answer closeWithCloseBox();

} // namespace skarde::test
