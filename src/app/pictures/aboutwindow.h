#pragma once

// frmAbout: the picture with the version, a description, a disclaimer and a copyright line.
// "OK" (also Enter and Esc) collapses the box towards the centre of the screen and unloads it.

#include <QDialog>

namespace skarde::gui {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    bool collapsing() const { return collapsing_; }

public slots:
    // Esc lands here; like "OK" it starts the collapse.
    void reject() override;

private:
    void Collapse();

    bool collapsing_ = false;
};

} // namespace skarde::gui
