#include "app/prompts/progresswindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

QProgressBar* barOf(ProgressWindow& window, const char* name) {
    return window.findChild<QProgressBar*>(QString::fromLatin1(name));
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(ProgressWindow, IsATopLevelWindowOfTwoBarsCentredOnTheScreen) {
    ProgressWindow window;
    EXPECT_EQ(window.objectName(), "frmProgress");
    EXPECT_EQ(window.windowTitle(), "Progress");
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(534, 58));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    ASSERT_NE(barOf(window, "ProgressBar1"), nullptr);
    ASSERT_NE(barOf(window, "ProgressBar2"), nullptr);
    EXPECT_EQ(barOf(window, "ProgressBar1")->geometry(), QRect(7, 7, 519, 15));
    EXPECT_EQ(barOf(window, "ProgressBar2")->geometry(), QRect(7, 35, 519, 15));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((window.geometry().center() - screenCentre).manhattanLength(), 2);
}

TEST(ProgressWindow, KeepsWhatItsUsersSetWhileTheBarOnlyShowsAValidRange) {
    ProgressWindow window;
    QProgressBar* bar = barOf(window, "ProgressBar1");
    window.setMinimum(Bar::Files, 0);
    window.setMaximum(Bar::Files, 5);
    window.setValue(Bar::Files, 5);

    // A shorter run sets its bound below the old position first.
    window.setMaximum(Bar::Files, 2);
    EXPECT_EQ(window.value(Bar::Files), 5);
    EXPECT_EQ(window.maximum(Bar::Files), 2);
    EXPECT_LE(bar->value(), bar->maximum());
    window.setValue(Bar::Files, 1);
    EXPECT_EQ(bar->maximum(), 2);
    EXPECT_EQ(bar->value(), 1);

    // A run with nothing marked: 0..0, an empty bar rather than a busy indicator.
    window.setMaximum(Bar::Files, 0);
    window.setValue(Bar::Files, 0);
    EXPECT_EQ(window.maximum(Bar::Files), 0);
    EXPECT_EQ(window.value(Bar::Files), 0);
    EXPECT_GT(bar->maximum(), bar->minimum());
    EXPECT_EQ(bar->value(), bar->minimum());

    // Any whole number of rows.
    window.setMaximum(Bar::Rows, 32767);
    window.setValue(Bar::Rows, window.value(Bar::Rows) + 1);
    EXPECT_EQ(window.value(Bar::Rows), 1);
    EXPECT_EQ(barOf(window, "ProgressBar2")->value(), 1);
}

TEST(ProgressWindow, DrawsWhenShownThenAtMostEveryIntervalAndBeforeItHides) {
    qint64 now = 0;
    ProgressWindow window(nullptr, [&now] { return now; });
    QProgressBar* bar = barOf(window, "ProgressBar2");
    PaintCounter counter;
    bar->installEventFilter(&counter);
    window.setCaption("Progress - a.bmp");
    window.setMaximum(Bar::Rows, 10);
    window.setValue(Bar::Rows, 2);
    window.show();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Progress - a.bmp");
    EXPECT_EQ(bar->value(), 2);
    EXPECT_GE(counter.paints, 1);

    // Within the interval every change is kept, none drawn.
    const int shownPaints = counter.paints;
    now += ProgressWindow::kDrawIntervalMs - 1;
    window.setCaption("Progress - b.bmp");
    window.setValue(Bar::Rows, 5);
    EXPECT_EQ(window.value(Bar::Rows), 5);
    EXPECT_EQ(window.caption(), "Progress - b.bmp");
    EXPECT_EQ(bar->value(), 2);
    EXPECT_EQ(window.windowTitle(), "Progress - a.bmp");
    EXPECT_EQ(counter.paints, shownPaints);

    // The first change once the interval is over draws everything kept.
    now += 1;
    window.setValue(Bar::Rows, 6);
    EXPECT_EQ(bar->value(), 6);
    EXPECT_EQ(window.windowTitle(), "Progress - b.bmp");
    EXPECT_GT(counter.paints, shownPaints);

    // Hiding draws what is pending first; hidden, it keeps caption and values for the next run.
    window.setValue(Bar::Rows, 10);
    window.setCaption("Progress");
    window.hide();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(bar->value(), 10);
    EXPECT_EQ(window.windowTitle(), "Progress");
    EXPECT_EQ(window.value(Bar::Rows), 10);
}

TEST(ProgressWindow, CannotBeClosedByTheUser) {
    ProgressWindow window;
    window.show();
    window.close();
    EXPECT_TRUE(window.isVisible());
    window.hide();
}

} // namespace
} // namespace skarde::gui
