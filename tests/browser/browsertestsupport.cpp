#include "browsertestsupport.h"

#include <QFile>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace skarde::test {

bool webEngineMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read /proc/self/maps";
        return false;
    }
    return maps.readAll().contains("libQt6WebEngine");
}

bool waitForCaption(const QWidget& window, const QString& caption) {
    return QTest::qWaitFor([&] { return window.windowTitle() == caption; }, 30000);
}

} // namespace skarde::test
