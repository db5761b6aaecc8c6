// GUI tests run on Qt's offscreen platform, so they need no display.

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

#ifdef Q_OS_WIN
// On Windows the offscreen platform knows only the fonts of one folder, QT_QPA_FONTDIR, and maps
// no family to another: without both, every caption would be measured in Qt's box font. Wine
// keeps QT_ variables to its Unix side, so the test run names the folder in
// SKARDE_GUI_TEST_FONTS: the font Wine draws with when it has none of its own. Every family the
// windows ask for is drawn with it.
void takeTheFontFolderGiven() {
    const QByteArray folder = qgetenv("SKARDE_GUI_TEST_FONTS");
    if (!folder.isEmpty())
        qputenv("QT_QPA_FONTDIR", folder);
}

// False when there is no font to measure with: the layout checks would pass on nothing.
bool drawEveryFamilyWithTheGivenFont() {
    const QStringList given = QFontDatabase::families();
    if (given.isEmpty()) {
        std::fprintf(stderr, "gui tests: no fonts in the folder SKARDE_GUI_TEST_FONTS names "
                             "(scripts/test-windows.sh gives one)\n");
        return false;
    }
    for (const char* family : {"Sans Serif", "MS Sans Serif", "Arial", "monospace"})
        QFont::insertSubstitution(QString::fromLatin1(family), given.front());
    return true;
}
#endif

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    takeTheFontFolderGiven();
#endif
    // As the program does, for the browser module.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
#ifdef Q_OS_WIN
    if (!drawEveryFamilyWithTheGivenFont())
        return 2;
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
