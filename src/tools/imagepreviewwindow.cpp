#include "imagepreviewwindow.h"

#include "widgets/mainwindowgrowth.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPixmap>

namespace skarde::gui {

ImagePreviewWindow::ImagePreviewWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmImagePreview"));
    setWindowTitle(QStringLiteral("Image Preview"));
    setFixedSize(twipsSize(4680, 3195));
    pictureLabel_ = new QLabel(this);
    pictureLabel_->setObjectName(QStringLiteral("Image1"));
    pictureLabel_->setGeometry(twipsRect(0, 0, 4335, 2895));
}

void ImagePreviewWindow::setPictureSize(const QSize& size) {
    setFixedSize(size);
    pictureLabel_->setGeometry(QRect(QPoint(0, 0), size));
    stretchPicture();
    fitFrame();
}

void ImagePreviewWindow::showPicture(const QImage& picture, const QSize& size) {
    picture_ = picture;
    setPictureSize(size);
}

QSize ImagePreviewWindow::sizeHint() const {
    return minimumSize();
}

// Game images are pixel art: each pixel becomes a square block, not a blur.
void ImagePreviewWindow::stretchPicture() {
    const QSize size = pictureLabel_->size();
    if (picture_.isNull() || size.isEmpty()) {
        pictureLabel_->clear();
        return;
    }
    pictureLabel_->setPixmap(
        QPixmap::fromImage(picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

// Inside the main window the frame is a sub-window, which does not follow its content's size
// by itself. It cannot get smaller than its title bar allows. A zoomed picture must not grow
// out of sight.
void ImagePreviewWindow::fitFrame() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame == nullptr)
        return;
    frame->setFixedSize(frame->sizeHint());
    if (frame->isVisible())
        bringIntoView(*frame);
}

void ImagePreviewWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace skarde::gui
