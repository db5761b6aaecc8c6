#pragma once

// frmProgress: the one progress window of the program, and the converters' progress sink.
// Runs hold the user-interface thread, so every change repaints at once; no user input is
// processed while a run holds the thread.

#include "converters/progresssink.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>

class QProgressBar;

namespace skarde::gui {

class ProgressWindow : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

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

protected:
    // The user cannot close the window; its users hide it.
    void closeEvent(QCloseEvent* event) override;

private:
    void showRange(Bar bar);
    void showValue(Bar bar);
    void letPaintEventsThrough(bool always);
    void centreOnScreen();

    std::array<BarState, 2> states_{};
    std::array<QProgressBar*, 2> bars_{};
    QElapsedTimer sincePaintEvents_;
};

} // namespace skarde::gui
