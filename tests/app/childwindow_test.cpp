#include "app/childwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

// A fixed-size tool window larger than the main window's client area must still show all of
// itself inside its frame: the frame must not shrink to the area.
TEST(ChildWindow, AFixedWindowKeepsItsWholeSizeInASmallArea) {
    QMdiArea area;
    area.resize(300, 200);
    area.show();
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(600, 400);
    QWidget* content = window.get();
    QMdiSubWindow* child = addChildWindow(area, std::move(window));
    EXPECT_EQ(content->size(), QSize(600, 400));
    EXPECT_GE(child->width(), 600);
    EXPECT_GE(child->height(), 400);
    EXPECT_GE(content->x(), 0);
    EXPECT_LE(content->geometry().right(), child->width());
    EXPECT_GE(child->x(), 0);
    EXPECT_GE(child->y(), 0);
}

} // namespace
} // namespace skarde::gui
