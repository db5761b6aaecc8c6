#include "apptestsupport.h"

#include "app/mainwindow.h"
#include "app/mainwindowgeometry.h"
#include "app/pictures/splashwindow.h"
#include "app/startup.h"
#include "widgets/qtpaths.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

#include <gtest/gtest.h>

namespace skarde::test {

SettingsSandbox::SettingsSandbox() {
    const QString path = gui::toQString(folder_.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    if (!isRegistryStore())
        return;
    const auto settings = gui::openProgramSettings();
    for (const QString& key : settings->allKeys())
        savedRegistryValues_.insert(key, settings->value(key));
    settings->clear();
}

SettingsSandbox::~SettingsSandbox() {
    // Anything written after the test lands in a folder that no longer exists, never in the
    // user's own store.
    const QString gone = gui::toQString(folder_.path() / "gone");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, gone);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, gone);
    if (!isRegistryStore())
        return;
    const auto settings = gui::openProgramSettings();
    settings->clear();
    for (auto saved = savedRegistryValues_.cbegin(); saved != savedRegistryValues_.cend(); ++saved)
        settings->setValue(saved.key(), saved.value());
}

bool SettingsSandbox::isRegistryStore() {
    return gui::openProgramSettings()->fileName().startsWith(QLatin1String("\\HKEY_"));
}

QString SettingsSandbox::value(const QString& key) const {
    const auto settings = gui::openProgramSettings();
    return settings->value(QStringLiteral("Settings/") + key).toString();
}

void SettingsSandbox::setValue(const QString& key, const QString& value) const {
    const auto settings = gui::openProgramSettings();
    settings->setValue(QStringLiteral("Settings/") + key, value);
}

QAction* menuEntry(const QWidget& window, const QString& name) {
    auto* entry = window.findChild<QAction*>(name);
    EXPECT_NE(entry, nullptr) << name.toStdString();
    return entry;
}

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

gui::MainWindow& startToMainWindow(gui::Startup& startup) {
    startup.Main();
    startup.splashWindow()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    return *startup.mainWindow();
}

} // namespace skarde::test
