#include "version.h"

namespace skarde::gui {

ProgramVersion programVersion() {
    return {SKARDE_VERSION_MAJOR, SKARDE_VERSION_MINOR, SKARDE_VERSION_PATCH};
}

QString versionText(const ProgramVersion& version) {
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.majorNumber)
        .arg(version.minorNumber)
        .arg(version.revision);
}

} // namespace skarde::gui
