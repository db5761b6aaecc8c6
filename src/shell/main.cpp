// skardetools: the program. It takes no arguments.

#include "shell/artwork.h"
#include "shell/module1.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The browser module's web engine, loaded later, needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(skarde::gui::programIcon());
    skarde::gui::Module1 module1;
    module1.Main();
    return QApplication::exec();
}
