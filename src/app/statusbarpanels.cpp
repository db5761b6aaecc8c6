#include "statusbarpanels.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace skarde::gui {
namespace {

constexpr int kClockTickMilliseconds = 1000;

QLabel* addPanel(QStatusBar* bar, const char* name, const QString& text, bool stretches) {
    auto* panel = new QLabel(text, bar);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(3, 0, 3, 0);
    if (stretches) {
        bar->addWidget(panel, 1);
    } else {
        bar->addPermanentWidget(panel);
    }
    return panel;
}

} // namespace

void installStatusBar(QMainWindow& window) {
    auto* bar = new QStatusBar(&window);
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    window.setStatusBar(bar);
    addPanel(bar, "Panel1", QStringLiteral("Status"), true);
    QLabel* date = addPanel(bar, "Panel2", QString(), false);
    QLabel* time = addPanel(bar, "Panel3", QString(), false);

    auto showNow = [date, time] {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale;
        date->setText(locale.toString(now.date(), QLocale::ShortFormat));
        time->setText(locale.toString(now.time(), QLocale::ShortFormat));
    };
    showNow();
    auto* clock = new QTimer(bar);
    QObject::connect(clock, &QTimer::timeout, bar, showNow);
    clock->start(kClockTickMilliseconds);
}

} // namespace skarde::gui
