// skardetools: the program. --help and --version are answered on the terminal; files given
// (as a file manager's "Open with" gives them) open in the tool windows that fit them.

#include "app/pictures/artwork.h"
#include "startup.h"
#include "terminalanswers.h"
#include "widgets/qtpaths.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the application exists, so that no display is needed.
    if (const auto answer = skarde::gui::terminalAnswer(argumentsOf(argc, argv))) {
        const bool written = std::fputs(answer->c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
        return written ? 0 : 1;
    }
    // The browser module's web engine, loaded later, needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(skarde::gui::programIcon());
    skarde::gui::Startup startup;
    // Qt has taken its own options out by now: what is left are the files.
    const QStringList files = QApplication::arguments().mid(1);
    if (files.isEmpty()) {
        startup.Main();
    } else {
        std::vector<std::filesystem::path> paths;
        for (const QString& file : files)
            paths.push_back(skarde::gui::toPath(file));
        startup.openFiles(paths);
    }
    return QApplication::exec();
}
