#pragma once

// Answers every modal window the program opens, and lets every pop-up menu go with Esc (the
// monkey's own drop-downs are answered where it opens them), the way a user might, with the
// monkey's own
// random numbers: a message box by any of its buttons or its close box; the palette dialog with
// any listed palette or a made-up name, then OK, Cancel or its close box; the About box by OK
// or Esc. A modal window of any other kind cannot be answered: it is recorded as a failure and
// closed, so that the run goes on to report it.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <random>
#include <string>

class QWidget;

namespace skarde::monkey {

class ModalResponder : public QObject {
public:
    using Note = std::function<void(const std::string&)>;

    ModalResponder(std::mt19937_64& random, Note note);

    // The modal windows nobody could answer since the last call, described; empties the list.
    std::vector<std::string> takeUnanswerable();
    long answered() const { return answered_; }

private:
    void poll();
    void answer(QWidget& modal);
    std::string answerMessageBox(QWidget& modal);
    std::string answerPaletteDialog(QWidget& modal);
    std::string answerAbout(QWidget& modal);

    std::mt19937_64& random_;
    Note note_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    int pollsSinceAnswer_ = 0;
    std::vector<std::string> unanswerable_;
    long answered_ = 0;
};

} // namespace skarde::monkey
