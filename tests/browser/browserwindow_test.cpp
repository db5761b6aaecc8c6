// frmBrowser as a user meets it, made through the browser module as the program makes it, on
// pages of a local web server.

#include "app/childwindow.h"
#include "app/web/browserloader.h"
#include "browser/browsertestsupport.h"
#include "browser/localwebserver.h"
#include "widgets/twips.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

using test::waitForCaption;

class BrowserWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.resize(900, 700);
        area.show();
    }

    QWidget& open(const QString& address) {
        std::unique_ptr<QWidget> window = loader.open(address, pages);
        EXPECT_NE(window, nullptr) << "the browser module did not load";
        QWidget& browser = *window;
        addChildWindow(area, std::move(window));
        return browser;
    }

    QWidget& openOn(const char* path, const char* title) {
        QWidget& browser = open(server.address(QString::fromLatin1(path)));
        EXPECT_TRUE(waitForCaption(browser, QString::fromLatin1(title)));
        return browser;
    }

    static QComboBox& addressBox(const QWidget& browser) {
        return *browser.findChild<QComboBox*>(QStringLiteral("cboAddress"));
    }
    static QWidget& page(const QWidget& browser) {
        return *browser.findChild<QWidget*>(QStringLiteral("brwWebBrowser"));
    }
    static void press(const QWidget& browser, const char* key) {
        browser.findChild<QAction*>(QString::fromLatin1(key))->trigger();
    }
    void enterAddress(const QWidget& browser, const char* path) {
        QComboBox& box = addressBox(browser);
        box.setEditText(server.address(QString::fromLatin1(path)));
        QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    }

    test::LocalWebServer server;
    BrowserPages pages{server.address(QStringLiteral("/a")), server.address(QStringLiteral("/b"))};
    BrowserLoader loader{BrowserLoader::defaultModulePath(), [](const QUrl& address) {
                             ADD_FAILURE()
                                 << "opened elsewhere: " << address.toString().toStdString();
                         }};
    QMdiArea area;
};

TEST_F(BrowserWindowTest, OpensItsStartingAddressWithTheToolbarAndAddressBox) {
    QWidget& browser = open(server.address(QStringLiteral("/a")));
    EXPECT_EQ(browser.objectName(), QStringLiteral("frmBrowser"));
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Working..."));
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page A")));

    QComboBox& box = addressBox(browser);
    ASSERT_EQ(box.count(), 1);
    EXPECT_EQ(box.itemText(0), server.address(QStringLiteral("/a")));
    EXPECT_EQ(box.currentText(), box.itemText(0));
    EXPECT_EQ(box.pos(), QPoint(twipsToPixels(50), twipsToPixels(330)));

    QStringList keys;
    for (const QAction* button :
         browser.findChild<QWidget*>(QStringLiteral("tbToolBar"))->actions()) {
        keys << button->objectName();
        EXPECT_EQ(button->toolTip(), button->objectName());
        EXPECT_FALSE(button->icon().pixmap(24, 24).isNull()) << button->objectName().toStdString();
    }
    EXPECT_EQ(keys, QStringList({"Back", "Forward", "Stop", "Refresh", "Home", "Search"}));
}

TEST_F(BrowserWindowTest, AnEmptyStartingAddressOpensNoPage) {
    QWidget& browser = open(QString());
    QTest::qWait(300);
    EXPECT_EQ(browser.windowTitle(), QString());
    EXPECT_EQ(addressBox(browser).count(), 0);
    EXPECT_TRUE(page(browser).property("url").toUrl().isEmpty());
}

TEST_F(BrowserWindowTest, EnterOpensTheTypedAddressShowingWorkingUntilItHasLoaded) {
    QWidget& browser = openOn("/a", "Page A");
    enterAddress(browser, "/b");
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Working..."));
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page B")));
    // Only the starting address is in the list; the box keeps what was typed.
    EXPECT_EQ(addressBox(browser).count(), 1);
    EXPECT_EQ(addressBox(browser).currentText(), server.address(QStringLiteral("/b")));
}

// The list holds the starting address; what is typed is not completed from it.
TEST_F(BrowserWindowTest, EnterOpensExactlyWhatWasTypedEvenAPrefixOfTheListedAddress) {
    QWidget& browser = openOn("/a", "Page A");
    QComboBox& box = addressBox(browser);
    box.lineEdit()->clear();
    box.lineEdit()->setFocus();
    QTest::keyClicks(box.lineEdit(), server.address(QStringLiteral("/")));
    EXPECT_EQ(box.currentText(), server.address(QStringLiteral("/")));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);

    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Site Root")));
    EXPECT_EQ(page(browser).property("url").toUrl(), QUrl(server.address(QStringLiteral("/"))));
    EXPECT_EQ(box.currentText(), server.address(QStringLiteral("/")));

    // The listed address in another case is another address: it is not swapped for the list's.
    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), server.address(QStringLiteral("/A")));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box.currentText(), server.address(QStringLiteral("/A")));
}

TEST_F(BrowserWindowTest, TheToolbarFollowsTheHistoryAndOpensHomeAndSearch) {
    QWidget& browser = openOn("/a", "Page A");
    press(browser, "Back"); // nothing to go back to: the title at once
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Page A"));
    enterAddress(browser, "/b");
    ASSERT_TRUE(waitForCaption(browser, QStringLiteral("Page B")));
    press(browser, "Back");
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page A")));
    press(browser, "Forward");
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page B")));
    press(browser, "Home");
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page A")));
    press(browser, "Search");
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page B")));
    press(browser, "Refresh");
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Working..."));
    EXPECT_TRUE(waitForCaption(browser, QStringLiteral("Page B")));
}

TEST_F(BrowserWindowTest, StopDuringASlowLoadShowsTheShownPagesTitleAtOnce) {
    QWidget& browser = openOn("/a", "Page A");
    enterAddress(browser, "/slow");
    QTest::qWait(300);
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Working..."));
    press(browser, "Stop");
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Page A"));
    QTest::qWait(300);
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Page A"));
}

TEST_F(BrowserWindowTest, TheAddressBoxAndPageFollowTheWindowsSizeWithinTheMargins) {
    QWidget& browser = open(QString());
    const QSize box = addressBox(browser).size();
    const QSize shown = page(browser).size();
    EXPECT_EQ(browser.size(), twipsSize(6540, 5130));
    QWidget& child = *browser.parentWidget();
    const int wider = twipsToPixels(1000);
    child.resize(child.width() + wider, child.height() + wider);
    EXPECT_EQ(addressBox(browser).size(), box + QSize(wider, 0));
    EXPECT_EQ(page(browser).size(), shown + QSize(wider, wider));
    EXPECT_EQ(page(browser).pos(), QPoint(twipsToPixels(50), twipsToPixels(1215)));

    // Lower than the margins: the page keeps the last height that fitted.
    child.resize(child.minimumSizeHint());
    ASSERT_LT(browser.height(), twipsToPixels(1215 + 100));
    EXPECT_EQ(page(browser).size(),
              QSize(twipsToPixels(pixelsToTwips(browser.width()) - 100), shown.height() + wider));
}

} // namespace
} // namespace skarde::gui
