// skardetools: the program. It takes no arguments.

#include "shell/artwork.h"
#include "shell/module1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(skarde::gui::programIcon());
    skarde::gui::Module1 module1;
    module1.Main();
    return QApplication::exec();
}
