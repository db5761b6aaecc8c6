#include "picturewindow.h"

#include "app/screenplacement.h"
#include "artwork.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QWidget>

namespace skarde::gui {

QLabel* makePictureWindow(QWidget& window) {
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFixedSize(twipsSize(kPictureWindowWidth, kPictureWindowHeight));
    centreOnScreen(window, kPictureWindowWidth, kPictureWindowHeight);

    // A picture box shows its picture at the top left, unscaled; the rest is its background.
    auto* picture = new QLabel(&window);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(twipsRect(0, 0, 9855, kPictureWindowHeight));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setAutoFillBackground(true);
    QPalette background = picture->palette();
    background.setColor(QPalette::Window, Qt::black);
    picture->setPalette(background);
    picture->setPixmap(programPicture());
    return picture;
}

QFont pictureLabelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

QLabel* addPictureLabel(QLabel* picture, const char* name, const QString& text, const QRect& twips,
                        const QColor& colour) {
    auto* label = new QLabel(text, picture);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setFont(pictureLabelFont());
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace skarde::gui
