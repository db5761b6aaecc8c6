#include "splashwindow.h"

#include "app/version.h"
#include "picturewindow.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>

namespace skarde::gui {

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmSplash"));
    QLabel* picture = makePictureWindow(*this);

    auto* continueButton = new QPushButton(QStringLiteral("Continue"), picture);
    continueButton->setObjectName(QStringLiteral("Command1"));
    continueButton->setGeometry(twipsRect(3840, 6720, 2055, 375));
    connect(continueButton, &QPushButton::clicked, this, &SplashWindow::continueChosen);

    // Drawn in the colour of a window's text area, light on the dark foot of the picture.
    QLabel* version =
        addPictureLabel(picture, "lblVersion", versionText(programVersion()),
                        QRect(6360, 6840, 3255, 255), palette().color(QPalette::Base));
    version->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

} // namespace skarde::gui
