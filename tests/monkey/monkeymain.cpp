// skardetools-monkey: random user input to the whole program, on Qt's offscreen platform, over a
// folder tree of sample, hostile and awkwardly named files. See monkey.h for what it checks and
// scripts/monkey.sh for running and replaying it.

#include "fileaccessoverride.h"
#include "monkey.h"
#include "monkeytree.h"

#include "browser/localwebserver.h"
#include "fixtures/tempfolder.h"
#include "widgets/qtpaths.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <memory>
#include <system_error>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Memory-backed when the system has such a folder: the runs write many small files.
fs::path scratchBase() {
    std::error_code error;
    if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return fs::temp_directory_path();
}

// The program's settings, the web engine's profile and caches go to `home`, never to the
// user's own folders.
void useHome(const fs::path& home) {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, QByteArray::fromStdString((home / name).string()));
}

// Every web page the program can open is one of the local server's.
void pointWebPagesAt(const skarde::test::LocalWebServer& server) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("SkardeTools"),
                       QStringLiteral("SkardeTools"));
    const char* paths[] = {"/", "/a", "/b", "/a", "/slow", "/b"};
    for (int number = 1; number <= 6; ++number)
        settings.setValue(QStringLiteral("Bookmarks/Address%1").arg(number),
                          server.address(QString::fromLatin1(paths[number - 1])));
    settings.setValue(QStringLiteral("Browser/SearchPage"), server.address(QStringLiteral("/b")));
}

// The offscreen platform says, for every window, which window-system calls it cannot do.
void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QStringLiteral("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char** argv) {
    const auto options = skarde::monkey::parseMonkeyOptions(argc, argv);
    if (!options)
        return 2;
    // Offscreen unless asked otherwise (QT_QPA_PLATFORM=xcb to watch it on a display).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const skarde::test::TempFolder home(scratchBase());
    useHome(home.path());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    qInstallMessageHandler(dropPlatformNotices);
    const skarde::test::LocalWebServer server;
    pointWebPagesAt(server);

    auto tree = std::make_unique<skarde::monkey::MonkeyTree>(
        scratchBase(), fs::path(SKARDE_SOURCE_DIR) / "tests" / "data");
    if (!skarde::monkey::dropFileAccessOverride(tree->unreadableFolders().front()))
        std::fprintf(stderr, "skardetools-monkey: warning: the unreadable folders can be read\n");
    std::error_code error;
    fs::current_path(tree->root(), error);
    auto monkey = std::make_unique<skarde::monkey::Monkey>(*options, tree->root());
    const int status = monkey->run();
    fs::current_path(home.path().parent_path(), error);
    if (status != 0) {
        // The windows stay as they failed, untouched: tearing them down would only add noise to
        // the report. The folders go all the same.
        tree.reset();
        fs::remove_all(home.path(), error);
        std::fflush(stderr);
        std::_Exit(status);
    }
    monkey.reset();
    return status;
}
