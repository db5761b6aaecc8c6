#pragma once

// What the tool window tests share: controls found by name, a window over a converter rig's
// in/ and out/ folders, and a rig with the program's own progress window and message boxes.

#include "modalanswerer.h"

#include "app/prompts/guiprompts.h"
#include "app/prompts/progresswindow.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace skarde::test {

template <typename Control> Control* control(QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A tool window whose source and output folders are a rig's in/ and out/.
template <typename Window> struct ToolWindowOverRig {
    explicit ToolWindowOverRig(ConverterContext& context, const std::filesystem::path& in,
                               const std::filesystem::path& out)
        : window(context) {
        source()->setFolder(gui::toQString(in));
        output()->setFolder(gui::toQString(out));
    }
    explicit ToolWindowOverRig(ConverterRig& rig)
        : ToolWindowOverRig(rig.context, rig.in, rig.out) {}

    gui::FolderList* source() { return control<gui::FolderList>(window, "Dir1"); }
    gui::FolderList* output() { return control<gui::FolderList>(window, "Dir2"); }
    gui::FileList* files() { return control<gui::FileList>(window, "File1"); }
    QPushButton* start() { return control<QPushButton>(window, "cmdconvert"); }
    // A click on the entry, as the user selects a file; the window must be shown.
    void clickFile(int row) {
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {},
                          files()->visualItemRect(files()->item(row)).center());
    }

    Window window;
};

// The program's own progress window and message boxes, answered from the test.
struct GuiRig {
    TempFolder root;
    std::filesystem::path pals = root / "pals";
    std::filesystem::path in = root / "in";
    std::filesystem::path out = root / "out";
    gui::ProgressWindow progress;
    gui::GuiPrompts prompts;
    ConverterContext context{progress, prompts, pals};
    ModalAnswerer answerer;

    explicit GuiRig(gui::ProgressWindow::Clock clock = {}) : progress(nullptr, std::move(clock)) {
        std::filesystem::create_directories(pals);
        std::filesystem::create_directories(in);
        std::filesystem::create_directories(out);
        writeGreyPal(pals);
    }
};

} // namespace skarde::test
