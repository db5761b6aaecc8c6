#pragma once

// frmImagePreview "Image Preview": the picture Image1 of the member previewed last, stretched
// to W x zoom by H x zoom pixels at the window's top left, the client area being exactly the
// picture's size. A small tool window that the user cannot resize. However it closes (its close
// box, the extractor's toggle, the main window closing everything), it says so, so that the
// extractor's toggle reads "Image Preview: OFF" again.

#include <QImage>
#include <QWidget>

class QLabel;

namespace skarde::gui {

class ImagePreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit ImagePreviewWindow(QWidget* parent = nullptr);

    // Image1 and the client area become `size`; Image1 stretches the picture it holds to it.
    void setPictureSize(const QSize& size);
    // Replaces the picture and shows it at `size`.
    void showPicture(const QImage& picture, const QSize& size);
    // The fixed client size, so that a frame put around the window fits it exactly.
    QSize sizeHint() const override;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void stretchPicture();
    void fitFrame();

    QLabel* pictureLabel_ = nullptr;
    QImage picture_;
};

} // namespace skarde::gui
