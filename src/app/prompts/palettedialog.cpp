#include "palettedialog.h"

#include "converters/palette.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace skarde::gui {

namespace {

QString defaultWorldPalette() {
    return QString::fromLatin1(kDefaultWorldPaletteName.data(),
                               static_cast<qsizetype>(kDefaultWorldPaletteName.size()));
}

QStringList worldPaletteNames() {
    QStringList names;
    for (std::string_view name : kWorldPaletteNames)
        names.append(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    return names;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace

PaletteDialog::PaletteDialog()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Select Pal"));
    setModal(true);
    setFixedSize(twipsSize(6030, 1110));

    auto* frame = new QGroupBox(QStringLiteral("Palette File Selection"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(120, 60, 4455, 960));

    worldPaletteBox_ = new QComboBox(frame);
    worldPaletteBox_->setObjectName(QStringLiteral("Combo1"));
    worldPaletteBox_->setEditable(true);
    worldPaletteBox_->setInsertPolicy(QComboBox::NoInsert);
    worldPaletteBox_->addItems(worldPaletteNames());
    worldPaletteBox_->setCurrentText(defaultWorldPalette());
    worldPaletteBox_->setGeometry(twipsRect(120, 405, 4215, 375));

    QPushButton* ok =
        makeButton(this, "OKButton", QStringLiteral("OK"), twipsRect(4695, 120, 1215, 375));
    QPushButton* cancel =
        makeButton(this, "CancelButton", QStringLiteral("Cancel"), twipsRect(4695, 600, 1215, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PaletteDialog::cancel);
}

void PaletteDialog::cancel() {
    worldPaletteBox_->setCurrentText(defaultWorldPalette());
    reject();
}

QString PaletteDialog::answer() const {
    if (result() != QDialog::Accepted)
        return defaultWorldPalette();
    return worldPaletteBox_->currentText();
}

std::string ChooseWorldPalette() {
    PaletteDialog dialog;
    dialog.exec();
    return dialog.answer().toStdString();
}

} // namespace skarde::gui
