#pragma once

// frmProgress: the one progress window of the program, and the converters' progress sink.
// Runs hold the user-interface thread. The window keeps every caption, bound and position at
// once, but draws them at most every kDrawIntervalMs while shown (always when shown, when a
// dialog blocks it and before it hides): a repaint per image row cost far more than the rows.
// No user input is processed while a run holds the thread.

#include "core/progresssink.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QProgressBar;

namespace skarde::gui {

class ProgressWindow : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // Milliseconds from any fixed start; tests hand in a clock of their own.
    using Clock = std::function<qint64()>;
    static constexpr qint64 kDrawIntervalMs = 30;

    explicit ProgressWindow(QWidget* parent = nullptr, Clock clock = {});

    // ProgressSink. show() and hide() also stand in for QWidget's own when called on this class.
    void show() override;
    void hide() override;
    void setCaption(std::string_view caption) override;
    void setMinimum(Bar bar, int value) override;
    void setMaximum(Bar bar, int value) override;
    void setValue(Bar bar, int value) override;
    int value(Bar bar) const override;

    int minimum(Bar bar) const;
    int maximum(Bar bar) const;
    // The caption last set; the title bar shows it from the next draw.
    QString caption() const { return caption_; }

protected:
    bool event(QEvent* event) override;
    // The user cannot close the window; its users hide it.
    void closeEvent(QCloseEvent* event) override;

private:
    void drawIfDue();
    void draw();
    void letPaintEventsThrough();
    void pushToControls();
    void pushToBar(Bar bar);
    void centreOnScreen();

    std::array<BarState, 2> states_{};
    std::array<QProgressBar*, 2> bars_{};
    QString caption_;
    Clock clock_;
    qint64 lastDraw_ = 0;
};

} // namespace skarde::gui
