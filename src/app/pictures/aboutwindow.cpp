#include "aboutwindow.h"

#include "app/screenplacement.h"
#include "app/version.h"
#include "collapse.h"
#include "lineshape.h"
#include "picturewindow.h"
#include "widgets/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace skarde::gui {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

// Sizes of the collapse's last steps below a pixel would make an invalid window.
bool fitsAWindow(const QRect& pixels) {
    return pixels.width() >= 1 && pixels.height() >= 1;
}

QRect pixelsOnScreen(const TwipsRect& box, const ScreenTwips& screen) {
    return QRect(screen.originPixels.x() + roundTwipsToPixels(box.left),
                 screen.originPixels.y() + roundTwipsToPixels(box.top),
                 roundTwipsToPixels(box.width), roundTwipsToPixels(box.height));
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frmAbout"));
    // Each Help > About loads a fresh box; closing unloads it.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About Project1"));
    QLabel* picture = makePictureWindow(*this);

    addPictureLabel(picture, "lblVersion", versionText(programVersion()),
                    QRect(4920, 4200, 4095, 225), kWhite);
    addPictureLabel(picture, "Label1", QStringLiteral("Copyright \u00a9 the SkardeTools authors"),
                    QRect(4920, 4440, 4095, 225), kWhite);
    addPictureLabel(picture, "lblDescription",
                    QStringLiteral("Skarde Tools is a package of programs to allow easier access "
                                   "to different Media content from the game Skarde.  "),
                    QRect(4905, 4800, 4095, 1170), kWhite)
        ->setWordWrap(true);

    auto* redLine = new LineShape(picture, {4095, 6165}, {9512, 6165}, QColor(255, 0, 0), 2);
    auto* darkRedLine = new LineShape(picture, {4080, 6150}, {9512, 6150}, QColor(192, 0, 0), 1);
    for (auto [line, index] : {std::pair{redLine, 0}, {darkRedLine, 1}}) {
        line->setObjectName(QStringLiteral("Line1"));
        line->setProperty("index", index);
    }

    addPictureLabel(picture, "lblDisclaimer",
                    QStringLiteral("Warning:  I will not be responsible for an damage that may "
                                   "result from the proper or inproper use of this program."),
                    QRect(4110, 6345, 3870, 825), kRed)
        ->setWordWrap(true);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), picture);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(8160, 6600, 1467, 345));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::Collapse);
}

void AboutWindow::reject() {
    Collapse();
}

void AboutWindow::Collapse() {
    // Each step hands control to the event loop, where "OK", Enter or Esc may come again.
    if (collapsing_) {
        return;
    }
    collapsing_ = true;
    const ScreenTwips screen = screenOf(*this);
    const auto steps =
        collapseSteps(pixelsToTwips(width()), pixelsToTwips(height()), screen.width, screen.height);
    const QPointer<AboutWindow> self(this);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    for (const TwipsRect& box : steps) {
        QCoreApplication::processEvents();
        if (self.isNull()) {
            return;
        }
        const QRect pixels = pixelsOnScreen(box, screen);
        if (!fitsAWindow(pixels)) {
            break;
        }
        setGeometry(pixels);
    }
    done(QDialog::Accepted);
}

} // namespace skarde::gui
