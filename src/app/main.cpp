// skardetools: the program. Apart from --help and --version, answered on the terminal, it takes
// no arguments.

#include "app/pictures/artwork.h"
#include "startup.h"
#include "terminalanswers.h"

#include <QApplication>

#include <cstdio>

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
    startup.Main();
    return QApplication::exec();
}
