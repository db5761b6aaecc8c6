#include "guifixtures/layoutchecks.h"
#include "guifixtures/modalanswerer.h"

#include "app/prompts/guiprompts.h"
#include "app/prompts/palettedialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

using test::ModalAnswerer;

// How a message box looked, read while it is up.
struct BoxLook {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons;
};

ModalAnswerer::Answer lookThenPress(BoxLook& look, QMessageBox::StandardButton button) {
    return [&look, button](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        look = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(button)->click();
    };
}

TEST(GuiPrompts, MessagesAreTitledBoxesWithoutIconAndWithOneOkButton) {
    GuiPrompts prompts;
    ModalAnswerer answerer;
    BoxLook message;
    BoxLook problem;
    answerer.enqueue(lookThenPress(message, QMessageBox::Ok));
    answerer.enqueue(lookThenPress(problem, QMessageBox::Ok));

    prompts.showMessage("This is not a valid Vidodaz Bitmap file", MessageKind::Refusal);
    prompts.reportProblem("/games/skarde/b.bmp", "The file cannot be read.");

    EXPECT_EQ(message.title, "SkardeTools");
    EXPECT_EQ(message.text, "This is not a valid Vidodaz Bitmap file");
    EXPECT_EQ(message.icon, QMessageBox::NoIcon);
    EXPECT_EQ(message.buttons, QMessageBox::Ok);
    EXPECT_EQ(problem.title, "SkardeTools");
    EXPECT_TRUE(problem.text.contains("/games/skarde/b.bmp"));
    EXPECT_TRUE(problem.text.contains("The file cannot be read."));
    EXPECT_EQ(problem.icon, QMessageBox::NoIcon);
    EXPECT_EQ(problem.buttons, QMessageBox::Ok);
    EXPECT_EQ(answerer.unexpected(), 0);
}

TEST(GuiPrompts, QuestionsOfferYesAndNo) {
    GuiPrompts prompts;
    ModalAnswerer answerer;
    BoxLook first;
    BoxLook second;
    answerer.enqueue(lookThenPress(first, QMessageBox::Yes));
    answerer.enqueue(lookThenPress(second, QMessageBox::No));

    EXPECT_TRUE(prompts.askYesNo("Replace 500.pal?"));
    EXPECT_FALSE(prompts.askYesNo("Replace 503.pal?"));
    EXPECT_EQ(first.text, "Replace 500.pal?");
    EXPECT_EQ(first.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(first.icon, QMessageBox::NoIcon);
    EXPECT_EQ(second.title, "SkardeTools");
}

TEST(PaletteDialog, IsAnOwnerlessModalDialogOfTheSevenWorldPalettes) {
    PaletteDialog dialog;
    EXPECT_EQ(dialog.objectName(), "Dialog");
    EXPECT_EQ(dialog.windowTitle(), "Select Pal");
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    EXPECT_EQ(dialog.size(), QSize(402, 74));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

    auto* frame = dialog.findChild<QGroupBox*>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Palette File Selection");
    auto* combo = frame->findChild<QComboBox*>("Combo1");
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isEditable());
    QStringList items;
    for (int row = 0; row < combo->count(); ++row)
        items << combo->itemText(row);
    EXPECT_EQ(items, (QStringList{"AlienWorld", "DesertWorld", "IceWorld", "LushWorld", "MarsWorld",
                                  "mudWorld", "Grey"}));
    EXPECT_EQ(combo->currentText(), "Grey");
    auto* ok = dialog.findChild<QPushButton*>("OKButton");
    auto* cancel = dialog.findChild<QPushButton*>("CancelButton");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_GT(ok->x(), frame->geometry().right());
    EXPECT_GT(cancel->y(), ok->geometry().bottom());

    dialog.show();
    EXPECT_EQ(test::clippedTexts(dialog), std::vector<std::string>{});
    EXPECT_EQ(test::controlsOutsideTheirContainer(dialog), std::vector<std::string>{});
    test::saveScreenshot(dialog, "palettedialog");
}

TEST(PaletteDialog, AnswersTheTextOnOkAndGreyOtherwiseFreshEveryTime) {
    struct Case {
        ModalAnswerer::Answer answer;
        std::string expected;
    };
    const std::vector<Case> cases{
        {test::choosePalette("IceWorld", "OKButton"), "IceWorld"},
        {test::choosePalette("IceWorld", "CancelButton"), "Grey"},
        {test::closeWithCloseBox(), "Grey"},
        {test::choosePalette("mudWorld", "OKButton"), "mudWorld"},
        {test::choosePalette("Typed By Hand", "OKButton"), "Typed By Hand"},
        {test::choosePalette("", "OKButton"), ""},
        {test::choosePalette("Grey", "OKButton"), "Grey"},
    };
    GuiPrompts prompts;
    ModalAnswerer answerer;
    for (const Case& c : cases) {
        answerer.enqueue(c.answer);
        EXPECT_EQ(prompts.ChooseWorldPalette(), c.expected);
    }
    // Enter presses OK whatever the list's current row is.
    answerer.enqueue([](QWidget& modal) {
        auto* combo = modal.findChild<QComboBox*>(QStringLiteral("Combo1"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    });
    EXPECT_EQ(prompts.ChooseWorldPalette(), "Grey");
    // Every request started from "Grey".
    ASSERT_EQ(answerer.seen().size(), cases.size() + 1);
    for (const std::string& look : answerer.seen())
        EXPECT_EQ(look, "Select Pal | Grey");
}

} // namespace
} // namespace skarde::gui
