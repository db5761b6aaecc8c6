// skardetools: the program. It takes no arguments.

#include "app/pictures/artwork.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The browser module's web engine, loaded later, needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(skarde::gui::programIcon());
    skarde::gui::Startup startup;
    startup.Main();
    return QApplication::exec();
}
