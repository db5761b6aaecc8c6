#include "useractions.h"

#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <array>

namespace skarde::monkey {

namespace {

// At most this many browser windows at once: each holds a whole web page.
constexpr int kMostBrowserWindows = 2;

constexpr const char* kToolEntries[] = {"mnuToolspbmp2bmp", "mnuToolspba2bmp", "mnuToolsvolextract",
                                        "mnupplextract", "mnuToolsmakeskin"};
constexpr const char* kArrangeEntries[] = {"mnuWindowCascade", "mnuWindowTileHorizontal",
                                           "mnuWindowTileVertical", "mnuWindowArrangeIcons",
                                           "mnuWindowNewWindow"};

struct Key {
    Qt::Key key;
    const char* name;
    bool printable;
};

constexpr Key kKeys[] = {
    {Qt::Key_Up, "Up", false},
    {Qt::Key_Down, "Down", false},
    {Qt::Key_Left, "Left", false},
    {Qt::Key_Right, "Right", false},
    {Qt::Key_Home, "Home", false},
    {Qt::Key_End, "End", false},
    {Qt::Key_PageUp, "PageUp", false},
    {Qt::Key_PageDown, "PageDown", false},
    {Qt::Key_Return, "Return", false},
    {Qt::Key_Enter, "Enter", false},
    {Qt::Key_Space, "Space", false},
    {Qt::Key_Tab, "Tab", false},
    {Qt::Key_Escape, "Escape", false},
    {Qt::Key_Delete, "Delete", false},
    {Qt::Key_Backspace, "Backspace", false},
    {Qt::Key_A, "A", true},
    {Qt::Key_D, "D", true},
    {Qt::Key_G, "G", true},
};

bool isBrowserWindow(const QMdiSubWindow& window) {
    return window.widget() && window.widget()->objectName() == QLatin1String("frmBrowser");
}

bool isControl(const QWidget& widget) {
    if (qobject_cast<const QScrollBar*>(&widget))
        return false;
    return qobject_cast<const QAbstractButton*>(&widget) ||
           qobject_cast<const QListWidget*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QAbstractSlider*>(&widget);
}

std::string modifierText(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier)
        return "Shift+";
    if (modifiers & Qt::ControlModifier)
        return "Ctrl+";
    return "";
}

} // namespace

std::string controlPath(const QWidget& control) {
    std::string path = control.objectName().toStdString();
    if (path.empty())
        path = control.metaObject()->className();
    for (const QWidget* widget = control.parentWidget(); widget; widget = widget->parentWidget())
        if (widget->objectName().startsWith(QStringLiteral("frm")))
            return widget->objectName().toStdString() + "/" + path;
    return path;
}

UserActions::UserActions(gui::MainWindow& mainWindow, std::mt19937_64& random, Announce announce)
    : mainWindow_(mainWindow), random_(random), announce_(std::move(announce)) {}

int UserActions::pick(int count) {
    return count <= 0 ? 0 : static_cast<int>(random_() % static_cast<std::uint64_t>(count));
}

void UserActions::act() {
    using Action = void (UserActions::*)();
    struct Weighted {
        Action action;
        int weight;
    };
    static constexpr std::array<Weighted, 12> kActions{{
        {&UserActions::openToolWindow, 12},
        {&UserActions::clickControl, 52},
        {&UserActions::keyIntoControl, 32},
        {&UserActions::chooseRows, 36},
        {&UserActions::doubleClickRow, 4},
        {&UserActions::pressStart, 14},
        {&UserActions::closeWindow, 8},
        {&UserActions::minimizeWindow, 4},
        {&UserActions::arrangeWindows, 6},
        {&UserActions::chooseFromWindowList, 4},
        {&UserActions::openAbout, 2},
        {&UserActions::openBrowserWindow, SKARDE_MONKEY_BROWSER_WEIGHT},
    }};
    int total = 0;
    for (const Weighted& entry : kActions)
        total += entry.weight;
    int choice = pick(total);
    for (const Weighted& entry : kActions) {
        if (choice < entry.weight)
            return (this->*entry.action)();
        choice -= entry.weight;
    }
}

std::vector<QMdiSubWindow*> UserActions::openWindows() const {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mainWindow_.mdiArea().subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible())
            windows.push_back(window);
    return windows;
}

std::vector<QWidget*> UserActions::visibleControls() const {
    std::vector<QWidget*> controls;
    for (QMdiSubWindow* window : openWindows()) {
        if (!window->widget())
            continue;
        for (QWidget* widget : window->widget()->findChildren<QWidget*>())
            if (widget->isVisible() && isControl(*widget))
                controls.push_back(widget);
    }
    return controls;
}

void UserActions::triggerEntry(const QString& entryName) {
    auto* entry = mainWindow_.findChild<QAction*>(entryName);
    announce_("menu " + entryName.toStdString() + (entry ? "" : " (missing)"));
    if (entry)
        entry->trigger();
}

void UserActions::openToolWindow() {
    triggerEntry(QString::fromLatin1(kToolEntries[pick(std::size(kToolEntries))]));
}

void UserActions::clickControl() {
    const std::vector<QWidget*> controls = visibleControls();
    if (controls.empty())
        return openToolWindow();
    QWidget* control = controls[static_cast<std::size_t>(pick(static_cast<int>(controls.size())))];
    if (auto* list = qobject_cast<QListWidget*>(control))
        return clickRow(*list, pick(list->count()), Qt::NoModifier);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return dropDown(*combo);
    QPoint where = control->rect().center();
    if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        if (slider->orientation() == Qt::Horizontal)
            where.setX(pick(control->width()));
        else
            where.setY(pick(control->height()));
    }
    announce_("click " + controlPath(*control) + (control->isEnabled() ? "" : " (disabled)"));
    QTest::mouseClick(control, Qt::LeftButton, {}, where);
}

// Opens the drop-down, moves down a few entries and takes one, or lets it go with Esc.
void UserActions::dropDown(QComboBox& combo) {
    const int steps = pick(4);
    const bool take = pick(4) != 0;
    announce_("drop down " + controlPath(combo) + ", " + std::to_string(steps) + " down, " +
              (take ? "take" : "Esc"));
    QTest::mouseClick(&combo, Qt::LeftButton, {}, combo.rect().center());
    if (!QApplication::activePopupWidget())
        return;
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(combo.view(), Qt::Key_Down);
    QTest::keyClick(combo.view(), take ? Qt::Key_Return : Qt::Key_Escape);
    if (QApplication::activePopupWidget())
        combo.hidePopup();
}

void UserActions::clickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers) {
    QListWidgetItem* item = list.item(row);
    if (!item) {
        announce_("click empty " + controlPath(list));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                          list.viewport()->rect().center());
        return;
    }
    announce_("click " + modifierText(modifiers) + controlPath(list) + " row " +
              std::to_string(row) + " '" + item->text().toStdString() + "'");
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                      list.visualItemRect(item).center());
}

void UserActions::keyIntoControl() {
    const std::vector<QWidget*> controls = visibleControls();
    if (controls.empty())
        return openToolWindow();
    QWidget* control = controls[static_cast<std::size_t>(pick(static_cast<int>(controls.size())))];
    const Key& key = kKeys[pick(std::size(kKeys))];
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier,
                                               Qt::ShiftModifier, Qt::ControlModifier};
    const Qt::KeyboardModifiers modifier = modifiers[pick(std::size(modifiers))];
    // Letters typed into an address box would send the browser out to the network.
    if (key.printable && qobject_cast<QComboBox*>(control)) {
        announce_("no letters into " + controlPath(*control));
        return;
    }
    announce_("key " + modifierText(modifier) + key.name + " into " + controlPath(*control));
    control->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control, key.key, modifier);
    if (QWidget* popup = QApplication::activePopupWidget())
        QTest::keyClick(popup, Qt::Key_Escape);
}

std::vector<QListWidget*> UserActions::listsWithRows() const {
    std::vector<QListWidget*> lists;
    for (QWidget* control : visibleControls())
        if (auto* list = qobject_cast<QListWidget*>(control); list && list->count() > 0)
            lists.push_back(list);
    return lists;
}

void UserActions::chooseRows() {
    const std::vector<QListWidget*> lists = listsWithRows();
    if (lists.empty())
        return clickControl();
    QListWidget& list = *lists[static_cast<std::size_t>(pick(static_cast<int>(lists.size())))];
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier,
                                               Qt::ShiftModifier, Qt::ControlModifier};
    const int row = pick(list.count());
    clickRow(list, row, modifiers[pick(std::size(modifiers))]);
}

void UserActions::doubleClickRow() {
    const std::vector<QListWidget*> lists = listsWithRows();
    if (lists.empty())
        return clickControl();
    QListWidget& list = *lists[static_cast<std::size_t>(pick(static_cast<int>(lists.size())))];
    const int row = pick(list.count());
    announce_("double-click " + controlPath(list) + " row " + std::to_string(row));
    list.scrollToItem(list.item(row));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualItemRect(list.item(row)).center());
}

void UserActions::pressStart() {
    std::vector<QWidget*> starts;
    for (QWidget* control : visibleControls())
        if (control->objectName() == QLatin1String("cmdconvert"))
            starts.push_back(control);
    if (starts.empty())
        return openToolWindow();
    QWidget* start = starts[static_cast<std::size_t>(pick(static_cast<int>(starts.size())))];
    announce_("START " + controlPath(*start) + (start->isEnabled() ? "" : " (disabled)"));
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
}

void UserActions::closeWindow() {
    const std::vector<QMdiSubWindow*> windows = openWindows();
    if (windows.empty())
        return openToolWindow();
    QMdiSubWindow* window =
        windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    announce_("close window '" + window->windowTitle().toStdString() + "'");
    window->close();
}

// A user minimizes and restores a window through its minimize button or its system menu, which
// only windows with that button have: the image preview has none.
void UserActions::minimizeWindow() {
    std::vector<QMdiSubWindow*> windows = openWindows();
    std::erase_if(windows, [](const QMdiSubWindow* window) {
        return !window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint);
    });
    if (windows.empty())
        return openToolWindow();
    QMdiSubWindow* window =
        windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    const std::string title = window->windowTitle().toStdString();
    if (window->isMinimized()) {
        announce_("restore window '" + title + "'");
        window->showNormal();
        return;
    }
    announce_("minimize window '" + title + "'");
    window->showMinimized();
}

void UserActions::arrangeWindows() {
    triggerEntry(QString::fromLatin1(kArrangeEntries[pick(std::size(kArrangeEntries))]));
}

// The Window menu lists the open windows when it opens; choosing one brings it to the front.
void UserActions::chooseFromWindowList() {
    auto* menu = mainWindow_.findChild<QMenu*>(QStringLiteral("mnuWindow"));
    if (!menu) {
        announce_("the Window menu is missing");
        return;
    }
    emit menu->aboutToShow();
    std::vector<QAction*> entries;
    for (QAction* entry : menu->actions())
        if (entry->isCheckable())
            entries.push_back(entry);
    if (entries.empty()) {
        announce_("Window menu lists no window");
        return;
    }
    QAction* entry = entries[static_cast<std::size_t>(pick(static_cast<int>(entries.size())))];
    announce_("Window menu '" + entry->text().toStdString() + "'");
    entry->trigger();
}

void UserActions::openAbout() {
    triggerEntry(QStringLiteral("mnuHelpAbout"));
}

void UserActions::openBrowserWindow() {
    std::vector<QMdiSubWindow*> browsers;
    for (QMdiSubWindow* window : openWindows())
        if (isBrowserWindow(*window))
            browsers.push_back(window);
    if (static_cast<int>(browsers.size()) >= kMostBrowserWindows) {
        announce_("close the oldest browser window");
        browsers.front()->close();
        return;
    }
    auto* menu = mainWindow_.findChild<QMenu*>(QStringLiteral("mnuView"));
    std::vector<QAction*> pages;
    for (QAction* entry : menu ? menu->actions() : QList<QAction*>())
        if (!entry->isSeparator())
            pages.push_back(entry);
    if (pages.empty()) {
        announce_("WebPages menu is empty");
        return;
    }
    QAction* page = pages[static_cast<std::size_t>(pick(static_cast<int>(pages.size())))];
    announce_("WebPages " + page->objectName().toStdString());
    page->trigger();
}

} // namespace skarde::monkey
