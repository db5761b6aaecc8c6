#include "mainwindowgeometry.h"

#include "widgets/twips.h"

#include <QSettings>

#include <cmath>

namespace skarde::gui {
namespace {

const QString kOrganisation = QStringLiteral("SkardeTools");
const QString kApplication = QStringLiteral("SkardeTools");
const QString kSection = QStringLiteral("Settings");
const QString kLeftKey = QStringLiteral("MainLeft");
const QString kTopKey = QStringLiteral("MainTop");
const QString kWidthKey = QStringLiteral("MainWidth");
const QString kHeightKey = QStringLiteral("MainHeight");

// The height of a title bar, give or take: the part of the window the user needs to reach.
constexpr int kTitleStripPixels = 24;
// Far beyond any screen; larger values are damage, and would overflow on the way to pixels.
constexpr double kLargestTwips = 10'000'000;

double readTwips(const QSettings& settings, const QString& key, double fallback,
                 bool mustBePositive) {
    bool isNumber = false;
    const double value = settings.value(key).toString().trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value) || std::abs(value) > kLargestTwips ||
        (mustBePositive && value <= 0)) {
        return fallback;
    }
    return value;
}

} // namespace

std::unique_ptr<QSettings> openProgramSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
                                       kApplication);
}

MainGeometry readMainGeometry(QSettings& settings) {
    const MainGeometry defaults;
    settings.beginGroup(kSection);
    const MainGeometry geometry{readTwips(settings, kLeftKey, defaults.left, false),
                                readTwips(settings, kTopKey, defaults.top, false),
                                readTwips(settings, kWidthKey, defaults.width, true),
                                readTwips(settings, kHeightKey, defaults.height, true)};
    settings.endGroup();
    return geometry;
}

void writeMainGeometry(QSettings& settings, const MainGeometry& geometry) {
    settings.beginGroup(kSection);
    settings.setValue(kLeftKey, QString::number(std::lround(geometry.left)));
    settings.setValue(kTopKey, QString::number(std::lround(geometry.top)));
    settings.setValue(kWidthKey, QString::number(std::lround(geometry.width)));
    settings.setValue(kHeightKey, QString::number(std::lround(geometry.height)));
    settings.endGroup();
    settings.sync();
}

MainGeometry keepOnAScreen(const MainGeometry& geometry, const QList<QRect>& screens) {
    const QRect window = toPixels(geometry);
    const QRect titleStrip(window.left(), window.top(), window.width(),
                           std::min(window.height(), kTitleStripPixels));
    for (const QRect& screen : screens) {
        if (screen.intersects(titleStrip)) {
            return geometry;
        }
    }
    return MainGeometry{};
}

QRect toPixels(const MainGeometry& geometry) {
    return QRect(roundTwipsToPixels(geometry.left), roundTwipsToPixels(geometry.top),
                 roundTwipsToPixels(geometry.width), roundTwipsToPixels(geometry.height));
}

MainGeometry toTwips(const QRect& pixels) {
    return {static_cast<double>(pixelsToTwips(pixels.left())),
            static_cast<double>(pixelsToTwips(pixels.top())),
            static_cast<double>(pixelsToTwips(pixels.width())),
            static_cast<double>(pixelsToTwips(pixels.height()))};
}

} // namespace skarde::gui
