#include "app/mainwindow.h"
#include "app/pictures/aboutwindow.h"
#include "app/web/bookmarks.h"
#include "guifixtures/apptestsupport.h"
#include "widgets/qtpaths.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace skarde::gui {
namespace {

using test::menuEntry;
using test::settle;

// "name caption" for each entry of a menu, "name -" for a separator.
std::vector<std::string> describe(const QMenu& menu) {
    std::vector<std::string> entries;
    for (const QAction* entry : menu.actions()) {
        const QString caption = entry->isSeparator() ? QStringLiteral("-") : entry->text();
        entries.push_back((entry->objectName() + QLatin1Char(' ') + caption).toStdString());
    }
    return entries;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window.loadAndShow(); }

    // A stand-in tool window of fixed size, counting how often one is made.
    MainWindow::ToolWindowFactory countingFactory(int& made, const QString& title) {
        return [&made, title] {
            ++made;
            auto window = std::make_unique<QLabel>(title);
            window->setWindowTitle(title);
            window->setFixedSize(200, 100);
            return window;
        };
    }

    std::unique_ptr<QWidget> resizableWindow(const QString& title) {
        auto child = std::make_unique<QLabel>(title);
        child->setWindowTitle(title);
        return child;
    }

    void choose(const char* entryName) {
        menuEntry(window, QString::fromLatin1(entryName))->trigger();
    }

    qsizetype openChildren() const {
        qsizetype count = 0;
        for (const QMdiSubWindow* child : window.mdiArea().subWindowList()) {
            count += child->isHidden() ? 0 : 1;
        }
        return count;
    }

    test::SettingsSandbox settings;
    MainWindow window;
};

TEST_F(MainWindowTest, IsTheMdiFrameProject1WithItsIconAndStatusBar) {
    EXPECT_EQ(window.objectName(), QStringLiteral("frmMain"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Project1"));
    EXPECT_FALSE(window.windowIcon().pixmap(32, 32).isNull());
    auto* status = window.findChild<QWidget*>(QStringLiteral("sbStatusBar"));
    ASSERT_NE(status, nullptr);
    const QList<QLabel*> panels = status->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(panels[0]->text(), QStringLiteral("Status"));
    EXPECT_FALSE(panels[1]->text().isEmpty()); // the date
    EXPECT_FALSE(panels[2]->text().isEmpty()); // the time
    EXPECT_LT(panels[0]->x(), panels[1]->x());
    EXPECT_LT(panels[1]->x(), panels[2]->x());
}

TEST_F(MainWindowTest, MenusAreInTheirOrderWithTheirCaptionsAndSeparators) {
    std::vector<std::string> bar;
    for (const QAction* menu : window.menuBar()->actions()) {
        bar.push_back((menu->menu()->objectName() + QLatin1Char(' ') + menu->text()).toStdString());
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"mnuFile &File", "mnuTools &Tools", "mnuView WebPages",
                                             "mnuWindow &Window", "mnuHelp &Help"}));

    auto menu = [this](const char* name) {
        return describe(*window.findChild<QMenu*>(QString::fromLatin1(name)));
    };
    EXPECT_EQ(menu("mnuFile"), std::vector<std::string>{"mnuFileExit E&xit"});
    EXPECT_EQ(menu("mnuTools"), (std::vector<std::string>{
                                    "mnuToolspbmp2bmp PBMP -> BMP", "mnuToolspba2bmp PBA -> BMP",
                                    "mnuToolsvolextract VOL File Extractor",
                                    "mnupplextract PPL Extract", "mnuToolsmakeskin RuziRire+"}));
    std::vector<std::string> webPages = menu("mnuView");
    for (std::string& entry : webPages) {
        entry = entry.substr(0, entry.find(' '));
    }
    EXPECT_EQ(webPages, (std::vector<std::string>{"mnuViewSite6", "mnuWindowBar1", "mnuViewSite1",
                                                  "mnuViewSite2", "mnuViewSite4", "mnuViewSite5",
                                                  "mnuViewSite3"}));
    EXPECT_EQ(menuEntry(window, QStringLiteral("mnuViewSite6"))->text(),
              QStringLiteral("Skardeplayers"));
    EXPECT_EQ(menu("mnuWindow"),
              (std::vector<std::string>{
                  "mnuWindowNewWindow &New Window", "mnuWindowBar0 -", "mnuWindowCascade &Cascade",
                  "mnuWindowTileHorizontal Tile &Horizontal",
                  "mnuWindowTileVertical Tile &Vertical", "mnuWindowArrangeIcons &Arrange Icons"}));
    EXPECT_EQ(menu("mnuHelp"), std::vector<std::string>{"mnuHelpAbout &About "});
}

TEST_F(MainWindowTest, ChoosingAToolTwiceLeavesOneWindowBroughtToTheFront) {
    int made = 0;
    int otherMade = 0;
    window.registerToolWindow(QStringLiteral("mnuToolspbmp2bmp"), countingFactory(made, "pbmp"));
    window.registerToolWindow(QStringLiteral("mnuToolspba2bmp"), countingFactory(otherMade, "pba"));
    choose("mnuToolspbmp2bmp");
    QMdiSubWindow* first = window.toolWindow(QStringLiteral("mnuToolspbmp2bmp"));
    ASSERT_NE(first, nullptr);
    choose("mnuToolspba2bmp");
    EXPECT_EQ(window.mdiArea().activeSubWindow(),
              window.toolWindow(QStringLiteral("mnuToolspba2bmp")));

    choose("mnuToolspbmp2bmp");
    EXPECT_EQ(made, 1);
    EXPECT_EQ(openChildren(), 2);
    EXPECT_EQ(window.toolWindow(QStringLiteral("mnuToolspbmp2bmp")), first);
    EXPECT_EQ(window.mdiArea().activeSubWindow(), first);

    first->showMinimized();
    choose("mnuToolspbmp2bmp");
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(made, 1);
}

TEST_F(MainWindowTest, AClosedToolWindowComesBackFresh) {
    int made = 0;
    window.registerToolWindow(QStringLiteral("mnuToolspbmp2bmp"), countingFactory(made, "pbmp"));
    choose("mnuToolspbmp2bmp");
    auto* label = window.toolWindow(QStringLiteral("mnuToolspbmp2bmp"))->findChild<QLabel*>();
    label->setText(QStringLiteral("state of the old window"));
    window.toolWindow(QStringLiteral("mnuToolspbmp2bmp"))->close();
    choose("mnuToolspbmp2bmp"); // before the closed one is deleted
    EXPECT_EQ(made, 2);
    settle();
    EXPECT_EQ(openChildren(), 1);
    EXPECT_EQ(window.toolWindow(QStringLiteral("mnuToolspbmp2bmp"))->findChild<QLabel*>()->text(),
              QStringLiteral("pbmp"));
}

TEST_F(MainWindowTest, AFixedSizeToolWindowCannotBeResizedOrMaximized) {
    int made = 0;
    window.registerToolWindow(QStringLiteral("mnuToolspbmp2bmp"), countingFactory(made, "pbmp"));
    choose("mnuToolspbmp2bmp");
    QMdiSubWindow* child = window.toolWindow(QStringLiteral("mnuToolspbmp2bmp"));
    EXPECT_EQ(child->minimumSize(), child->maximumSize());
    EXPECT_FALSE(child->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(child->widget()->size(), QSize(200, 100));
}

TEST_F(MainWindowTest, EntriesWithoutAWindowAndNewWindowDoNothing) {
    const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
    for (const char* entry :
         {"mnuWindowNewWindow", "mnuToolspba2bmp", "mnuToolsvolextract", "mnupplextract",
          "mnuToolsmakeskin", "mnuViewSite6", "mnuViewSite3"}) {
        choose(entry);
    }
    settle();
    EXPECT_EQ(openChildren(), 0);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, EveryBookmarkChoiceOpensOneMoreBrowserWindow) {
    std::vector<QString> opened;
    window.setBrowserWindowFactory([this, &opened](const QString& address) {
        opened.push_back(address);
        return resizableWindow(address);
    });
    choose("mnuViewSite6");
    choose("mnuViewSite6");
    choose("mnuViewSite3");
    EXPECT_EQ(openChildren(), 3);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_EQ(opened[0], toQString(kBookmarks[0].address));
    EXPECT_EQ(opened[2], toQString(kBookmarks[5].address));
}

TEST_F(MainWindowTest, TilesStackOrLineUpTheOpenWindowsAcrossTheWholeArea) {
    window.resize(700, 600);
    for (const char* title : {"a", "b", "c"}) {
        window.mdiArea()
            .addSubWindow(resizableWindow(QString::fromLatin1(title)).release())
            ->show();
    }
    const QRect area = window.mdiArea().viewport()->rect();
    const QList<QMdiSubWindow*> children = window.mdiArea().subWindowList(QMdiArea::CreationOrder);

    choose("mnuWindowTileHorizontal");
    int top = 0;
    for (const QMdiSubWindow* child : children) {
        EXPECT_EQ(child->x(), 0);
        EXPECT_EQ(child->width(), area.width());
        EXPECT_EQ(child->y(), top);
        top += child->height();
    }
    EXPECT_EQ(top, area.height());

    choose("mnuWindowTileVertical");
    int left = 0;
    for (const QMdiSubWindow* child : children) {
        EXPECT_EQ(child->y(), 0);
        EXPECT_EQ(child->height(), area.height());
        EXPECT_EQ(child->x(), left);
        left += child->width();
    }
    EXPECT_EQ(left, area.width());
}

TEST_F(MainWindowTest, ArrangeIconsLinesUpMinimizedWindowsAlongTheBottom) {
    window.resize(700, 600);
    QList<QMdiSubWindow*> children;
    for (const char* title : {"a", "b", "c"}) {
        children.append(
            window.mdiArea().addSubWindow(resizableWindow(QString::fromLatin1(title)).release()));
        children.back()->show();
    }
    children[0]->showMinimized();
    children[2]->showMinimized();
    children[0]->move(300, 40);
    children[2]->move(10, 10);

    choose("mnuWindowArrangeIcons");
    const QRect area = window.mdiArea().viewport()->rect();
    EXPECT_EQ(children[0]->geometry().bottom(), area.bottom());
    EXPECT_EQ(children[2]->geometry().bottom(), area.bottom());
    EXPECT_EQ(children[0]->x(), 0);
    EXPECT_EQ(children[2]->x(), children[0]->width());

    choose("mnuWindowTileHorizontal"); // leaves the icons' row free
    EXPECT_LE(children[1]->geometry().bottom(), children[0]->y());
}

TEST_F(MainWindowTest, TheWindowMenuListsTheOpenChildWindows) {
    for (const char* title : {"first", "second"}) {
        window.mdiArea()
            .addSubWindow(resizableWindow(QString::fromLatin1(title)).release())
            ->show();
    }
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuWindow"));
    const auto listed = [menu] {
        emit menu->aboutToShow();
        QList<QAction*> entries = menu->actions().mid(6);
        return entries;
    };
    QList<QAction*> entries = listed();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_TRUE(entries[0]->isSeparator());
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&1 first"));
    EXPECT_EQ(entries[2]->text(), QStringLiteral("&2 second"));
    EXPECT_TRUE(entries[2]->isChecked());

    entries[1]->trigger();
    EXPECT_EQ(window.mdiArea().activeSubWindow()->windowTitle(), QStringLiteral("first"));
    window.mdiArea().closeAllSubWindows();
    settle();
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(MainWindowTest, AboutIsShownModalOverTheMainWindow) {
    choose("mnuHelpAbout");
    auto* about = window.findChild<AboutWindow*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), about);
    about->reject(); // Esc: the collapse, then the box is unloaded
    settle();
    EXPECT_EQ(window.findChild<AboutWindow*>(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, ExitUnloadsEveryWindowHiddenOnesIncluded) {
    int made = 0;
    window.registerToolWindow(QStringLiteral("mnuToolspbmp2bmp"), countingFactory(made, "pbmp"));
    choose("mnuToolspbmp2bmp");
    QWidget hiddenWindow;
    hiddenWindow.show();
    hiddenWindow.hide();
    int closes = 0;
    struct CloseCounter : QObject {
        explicit CloseCounter(int& count) : count_(count) {}
        bool eventFilter(QObject*, QEvent* event) override {
            count_ += event->type() == QEvent::Close ? 1 : 0;
            return false;
        }
        int& count_;
    } counter(closes);
    hiddenWindow.installEventFilter(&counter);

    choose("mnuFileExit");
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.mdiArea().subWindowList().size(), 0);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(settings.value(QStringLiteral("MainWidth")).isEmpty());
}

} // namespace
} // namespace skarde::gui
