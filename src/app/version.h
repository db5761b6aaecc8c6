#pragma once

// The program's version as the splash and About windows show it.

#include <QString>

namespace skarde::gui {

struct ProgramVersion {
    int majorNumber = 0;
    int minorNumber = 0;
    int revision = 0;
};

// The version the build was made with.
ProgramVersion programVersion();

// "Version " and the three numbers in plain decimal, separated by dots: "Version 0.6.19".
QString versionText(const ProgramVersion& version);

} // namespace skarde::gui
