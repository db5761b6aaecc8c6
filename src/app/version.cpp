#include "version.h"

#include "programversion.h"

namespace skarde::gui {

ProgramVersion programVersion() {
    return {kVersionMajor, kVersionMinor, kVersionRevision};
}

QString versionText(const ProgramVersion& version) {
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.majorNumber)
        .arg(version.minorNumber)
        .arg(version.revision);
}

} // namespace skarde::gui
