#include "converters/pbmpformat.h"
#include "guifixtures/layoutchecks.h"
#include "guifixtures/queuedinput.h"
#include "guifixtures/toolwindowrig.h"

#include "app/prompts/guiprompts.h"
#include "app/prompts/progresswindow.h"
#include "converters/palette.h"
#include "converters/pbmptobmp.h"
#include "core/fileio.h"
#include "fixtures/converterrig.h"
#include "fixtures/palfixture.h"
#include "testsupport/pbmpbuilder.h"
#include "tools/pbmp2bmpwindow.h"
#include "widgets/drivelist.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using filebuilders::makePbmp;
using filebuilders::PbmpFields;
using test::control;
using test::GuiRig;
using test::makePal;
using test::readFile;
using test::TempFolder;
using test::writeFile;

// The window over the rig's in/ and out/ folders, with recording stand-ins for the user.
struct WindowOverRig : test::ToolWindowOverRig<Pbmp2BmpWindow> {
    using ToolWindowOverRig::ToolWindowOverRig;
    QCheckBox* markAll() { return control<QCheckBox>(window, "Check1"); }
    void mark(std::initializer_list<int> rows) {
        for (int row : rows)
            files()->item(row)->setSelected(true);
    }
    std::vector<int> markedRows() {
        std::vector<int> rows;
        for (int row = 0; row < files()->count(); ++row)
            if (files()->isMarked(row))
                rows.push_back(row);
        return rows;
    }
};

// What ConvertPbmpToBmp itself writes for `pbmp`, with the same pals folder.
Bytes expectedBmp(const fs::path& pals, const Bytes& pbmp) {
    test::ConverterRig reference;
    // File by file, each replaced: MinGW's fs::copy and copy_file refuse to overwrite.
    for (const fs::directory_entry& palette : fs::directory_iterator(pals)) {
        const fs::path copy = reference.pals / palette.path().filename();
        fs::remove(copy);
        fs::copy_file(palette.path(), copy);
    }
    writeFile(reference.in / "x.bmp", pbmp);
    ConvertPbmpToBmp(reference.context, reference.in / "x.bmp", reference.out / "x.bmp");
    return readFile(reference.out / "x.bmp");
}

PbmpFields pbmpOf(int width, int height, int palette = 500) {
    PbmpFields fields;
    fields.width = width;
    fields.height = height;
    fields.paletteNumber = palette;
    return fields;
}

TEST(Pbmp2BmpWindow, IsLaidOutInThreeColumnsWithEveryNamedControl) {
    test::ConverterRig rig;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeFile(rig.in / name, makePbmp(PbmpFields{}));
    WindowOverRig over(rig);
    Pbmp2BmpWindow& window = over.window;
    EXPECT_EQ(window.objectName(), "frmpbmp2bmp");
    EXPECT_EQ(window.windowTitle(), "PBMP -> BMP Conversion");
    EXPECT_EQ(window.size(), QSize(665, 461));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    auto* label4 = control<QLabel>(window, "Label4");
    auto* label1 = control<QLabel>(window, "Label1");
    ASSERT_TRUE(label4 && label1 && over.start() && over.markAll());
    EXPECT_EQ(label4->text(), "Files to Convert");
    EXPECT_TRUE(label4->font().bold());
    EXPECT_EQ(label4->font().pointSizeF(), 12.0);
    EXPECT_EQ(label4->alignment(), Qt::AlignCenter);
    EXPECT_EQ(label1->text(), "Mark All Files");
    EXPECT_TRUE(over.markAll()->text().isEmpty());
    EXPECT_EQ(over.start()->text(), "START");
    EXPECT_TRUE(over.start()->font().bold());
    EXPECT_EQ(over.files()->pattern(), "*.BMP");

    // Left, middle and right columns; the file list runs to the bottom of the window.
    const auto rectOf = [&](QWidget* widget) {
        return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    };
    const QRect drive1 = rectOf(control<DriveList>(window, "Drive1"));
    const QRect dir1 = rectOf(over.source());
    const QRect file1 = rectOf(over.files());
    const QRect drive2 = rectOf(control<DriveList>(window, "Drive2"));
    const QRect dir2 = rectOf(over.output());
    EXPECT_LT(drive1.bottom(), dir1.top());
    EXPECT_LT(dir1.right(), file1.left());
    EXPECT_LT(rectOf(label4).bottom(), file1.top());
    EXPECT_GT(file1.bottom(), window.height() - 30);
    EXPECT_LT(file1.right(), drive2.left());
    EXPECT_LT(drive2.bottom(), dir2.top());
    EXPECT_LT(dir2.bottom(), rectOf(over.markAll()).top());
    EXPECT_LT(rectOf(over.markAll()).bottom(), rectOf(over.start()).top());
    EXPECT_GT(rectOf(over.start()).left(), dir2.center().x());
    EXPECT_LT(rectOf(over.markAll()).right(), rectOf(label1).left());
    EXPECT_EQ(window.findChildren<QFrame*>(QRegularExpression("^Frame[1-9]$")).size(), 9);

    window.show();
    EXPECT_EQ(test::clippedTexts(window), std::vector<std::string>{});
    EXPECT_EQ(test::controlsOutsideTheirContainer(window), std::vector<std::string>{});
    test::saveScreenshot(window, "frmpbmp2bmp");
}

TEST(Pbmp2BmpWindow, StartIsEnabledOnlyWhileTheSourceFolderListsABmpFile) {
    TempFolder empty;
    TempFolder texts;
    TempFolder upper;
    TempFolder lower;
    writeFile(texts / "readme.txt", {});
    writeFile(upper / "A.BMP", {});
    writeFile(lower / "a.bmp", {});
    test::ConverterRig rig;
    WindowOverRig over(rig);
    struct Step {
        const TempFolder& folder;
        bool enabled;
    };
    for (const Step& step : {Step{empty, false}, Step{upper, true}, Step{texts, false},
                             Step{lower, true}, Step{empty, false}}) {
        over.source()->setFolder(toQString(step.folder.path()));
        EXPECT_EQ(over.start()->isEnabled(), step.enabled) << step.folder.path();
    }

    // A drive change moves Dir1 to the drive's root, which re-evaluates START.
    auto* drive1 = control<DriveList>(over.window, "Drive1");
    drive1->setDrives({toQString(empty.path()), toQString(upper.path())});
    drive1->showDriveOf(toQString(empty.path()));
    drive1->setCurrentIndex(drive1->findData(toQString(upper.path())));
    EXPECT_EQ(over.source()->folder(), toQString(upper.path()));
    EXPECT_TRUE(over.start()->isEnabled());
    drive1->setCurrentIndex(drive1->findData(toQString(empty.path())));
    EXPECT_FALSE(over.start()->isEnabled());
}

TEST(Pbmp2BmpWindow, MarkAllLastsUntilTheUserTouchesTheList) {
    test::ConverterRig rig;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"})
        writeFile(rig.in / name, {});
    fs::create_directory(rig.in / "more");
    writeFile(rig.in / "more" / "e.bmp", {});
    WindowOverRig over(rig);
    over.window.show();

    over.mark({1});
    over.markAll()->click();
    EXPECT_EQ(over.markedRows(), (std::vector<int>{0, 1, 2, 3}));
    over.markAll()->click();
    EXPECT_TRUE(over.markedRows().empty());

    over.markAll()->click();
    FileList* files = over.files();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(2)).center());
    EXPECT_FALSE(over.markAll()->isChecked());
    EXPECT_EQ(over.markedRows(), (std::vector<int>{2}));

    // Clicking the label does nothing.
    over.markAll()->click();
    QTest::mouseClick(control<QLabel>(over.window, "Label1"), Qt::LeftButton);
    EXPECT_TRUE(over.markAll()->isChecked());

    // A new folder starts with nothing marked; the box stays as it is.
    over.source()->setFolder(toQString(rig.in / "more"));
    EXPECT_EQ(files->count(), 1);
    EXPECT_TRUE(over.markedRows().empty());
    EXPECT_TRUE(over.markAll()->isChecked());
}

TEST(Pbmp2BmpWindow, ConvertsTheMarkedFilesInListOrderCountingThemOnTheUpperBar) {
    test::ConverterRig rig;
    writeFile(rig.pals / "500.pal", makePal(3));
    const std::vector<std::string> names{"a.bmp", "B.bmp", "c.bmp", "D.BMP", "e.bmp"};
    for (std::size_t i = 0; i < names.size(); ++i)
        writeFile(rig.in / names[i], makePbmp(pbmpOf(3 + static_cast<int>(i), 2)));
    WindowOverRig over(rig);
    over.mark({0, 2, 4});
    rig.progress.setValue(Bar::Files, 7); // left over from a longer run
    rig.progress.calls.clear();

    over.start()->click();

    EXPECT_EQ(rig.progress.minimum(Bar::Files), 0);
    EXPECT_EQ(rig.progress.maximum(Bar::Files), 3);
    const std::vector<int> positions = rig.progress.positions(Bar::Files);
    EXPECT_EQ(std::vector<int>(positions.begin() + 1, positions.end()),
              (std::vector<int>{1, 1, 2, 2, 3}));
    std::vector<std::string> captions;
    for (const std::string& call : rig.progress.calls)
        if (call.rfind("caption ", 0) == 0)
            captions.push_back(call.substr(8));
    EXPECT_EQ(captions, (std::vector<std::string>{"Progress - a.bmp", "Progress - c.bmp",
                                                  "Progress - e.bmp", "Progress"}));
    EXPECT_EQ(rig.progress.calls.front(), "show");
    EXPECT_EQ(rig.progress.calls.back(), "hide");
    EXPECT_FALSE(rig.progress.visible);

    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"a.bmp", "c.bmp", "e.bmp"}));
    for (const char* name : {"a.bmp", "c.bmp", "e.bmp"})
        EXPECT_EQ(readFile(rig.out / name), expectedBmp(rig.pals, readFile(rig.in / name))) << name;
    EXPECT_EQ(over.markedRows(), (std::vector<int>{0, 2, 4}));
    EXPECT_TRUE(rig.prompts.messages.empty());
    EXPECT_TRUE(rig.prompts.problems.empty());
}

// The run never returns to the event loop but lets paint events through; input made meanwhile
// must wait until the run is over, or it would change the list under the loop.
TEST(Pbmp2BmpWindow, HoldsBackClicksAndKeysMadeDuringARunUntilTheRunIsOver) {
    std::vector<int> currentRowDuringRun;
    WindowOverRig* seen = nullptr;
    qint64 now = 0;
    GuiRig rig([&] {
        if (seen != nullptr)
            currentRowDuringRun.push_back(seen->files()->currentRow());
        return now += ProgressWindow::kDrawIntervalMs; // every change is drawn at once
    });
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeFile(rig.in / name, makePbmp(pbmpOf(3, 2)));
    WindowOverRig over(rig.context, rig.in, rig.out);
    over.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&over.window));
    over.mark({0, 1, 2});
    over.files()->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    seen = &over;

    // A click on the second file and the Down key, as the user makes them while the run goes:
    // they make the third file the current one.
    test::queueClick(*over.files()->viewport(),
                     over.files()->visualItemRect(over.files()->item(1)).center());
    test::queueKey(*over.files(), Qt::Key_Down);
    over.start()->click();
    seen = nullptr;

    ASSERT_FALSE(currentRowDuringRun.empty());
    EXPECT_EQ(std::count(currentRowDuringRun.begin(), currentRowDuringRun.end(), 0),
              static_cast<long>(currentRowDuringRun.size()))
        << ::testing::PrintToString(currentRowDuringRun);
    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    QCoreApplication::processEvents(); // now they are taken
    EXPECT_EQ(over.files()->currentRow(), 2);
}

TEST(Pbmp2BmpWindow, ALowerBarRunsOverEachImagesRows) {
    test::ConverterRig rig;
    writeFile(rig.in / "a.bmp", makePbmp(pbmpOf(4, 100)));
    writeFile(rig.in / "b.bmp", makePbmp(pbmpOf(4, 10)));
    WindowOverRig over(rig);
    over.mark({0, 1});
    over.start()->click();

    std::vector<std::string> bounds;
    for (const std::string& call : rig.progress.calls)
        if (call.rfind("min2", 0) == 0 || call.rfind("max2", 0) == 0)
            bounds.push_back(call);
    EXPECT_EQ(bounds, (std::vector<std::string>{"min2 0", "max2 100", "min2 0", "max2 10"}));
    std::vector<int> rows;
    for (int height : {100, 10})
        for (int row = 0; row <= height; ++row)
            rows.push_back(row);
    EXPECT_EQ(rig.progress.positions(Bar::Rows), rows);
    EXPECT_EQ(rig.progress.positions(Bar::Files), (std::vector<int>{1, 2}));
}

TEST(Pbmp2BmpWindow, AFileThatIsNotAPbmpIsRefusedOnceAndTheRunGoesOn) {
    GuiRig rig;
    writeFile(rig.in / "a.bmp", makePbmp(pbmpOf(3, 2)));
    writeFile(rig.in / "b.bmp", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0});
    writeFile(rig.in / "c.bmp", makePbmp(pbmpOf(5, 3)));
    Pbmp2BmpWindow window(rig.context);
    control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
    control<FolderList>(window, "Dir2")->setFolder(toQString(rig.out));
    control<QCheckBox>(window, "Check1")->click();
    rig.answerer.enqueue(test::pressOk());

    control<QPushButton>(window, "cmdconvert")->click();

    EXPECT_EQ(rig.answerer.seen(),
              (std::vector<std::string>{"SkardeTools | This is not a valid Vidodaz Bitmap file"}));
    EXPECT_EQ(rig.answerer.unexpected(), 0);
    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"a.bmp", "c.bmp"}));
    EXPECT_FALSE(rig.progress.isVisible());
    EXPECT_EQ(rig.progress.windowTitle(), "Progress");
    EXPECT_EQ(rig.progress.maximum(Bar::Files), 3);
    EXPECT_EQ(rig.progress.value(Bar::Files), 3);
}

TEST(Pbmp2BmpWindow, AFileThatCannotBeWrittenIsReportedByNameAndTheRunGoesOn) {
    GuiRig rig;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeFile(rig.in / name, makePbmp(pbmpOf(3, 2)));
    fs::create_directory(rig.out / "b.bmp");
    Pbmp2BmpWindow window(rig.context);
    control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
    control<FolderList>(window, "Dir2")->setFolder(toQString(rig.out));
    control<QCheckBox>(window, "Check1")->click();
    rig.answerer.enqueue(test::pressOk());

    control<QPushButton>(window, "cmdconvert")->click();

    ASSERT_EQ(rig.answerer.seen().size(), 1u);
    EXPECT_NE(rig.answerer.seen()[0].find(displayPath(rig.out / "b.bmp")), std::string::npos)
        << rig.answerer.seen()[0];
    EXPECT_TRUE(fs::is_regular_file(rig.out / "a.bmp"));
    EXPECT_TRUE(fs::is_regular_file(rig.out / "c.bmp"));
}

// A fault that escapes the converter (here a plain std::exception out of the world palette
// question) ends only its own file: reported by name, and the next file is converted.
TEST(Pbmp2BmpWindow, AFaultThatEscapesAFileIsReportedByNameAndTheRunGoesOn) {
    struct FaultyPrompts : test::RecordingPrompts {
        std::string ChooseWorldPalette() override { throw std::exception(); }
    };
    test::ConverterRig rig;
    FaultyPrompts prompts;
    ConverterContext context{rig.progress, prompts, rig.pals};
    writeFile(rig.in / "a.bmp", makePbmp(pbmpOf(3, 2, kWorldPaletteNumber)));
    writeFile(rig.in / "b.bmp", makePbmp(pbmpOf(3, 2)));
    WindowOverRig over(context, rig.in, rig.out);
    over.window.show();
    over.markAll()->click();
    over.start()->click();
    EXPECT_EQ(prompts.problems,
              std::vector<std::string>{"a.bmp: This file could not be handled: std::exception."});
    EXPECT_EQ(test::folderEntries(rig.out), std::vector<std::string>{"b.bmp"});
    EXPECT_FALSE(rig.progress.visible);
}

TEST(Pbmp2BmpWindow, StartWithNothingMarkedConvertsNothingAndLeavesTheBarsEmpty) {
    GuiRig rig;
    writeFile(rig.in / "a.bmp", makePbmp(pbmpOf(3, 2)));
    Pbmp2BmpWindow window(rig.context);
    control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
    control<FolderList>(window, "Dir2")->setFolder(toQString(rig.out));
    ASSERT_TRUE(control<QPushButton>(window, "cmdconvert")->isEnabled());

    control<QPushButton>(window, "cmdconvert")->click();

    EXPECT_TRUE(test::folderEntries(rig.out).empty());
    EXPECT_EQ(rig.progress.minimum(Bar::Files), 0);
    EXPECT_EQ(rig.progress.maximum(Bar::Files), 0);
    EXPECT_EQ(rig.progress.value(Bar::Files), 0);
    EXPECT_FALSE(rig.progress.isVisible());
    EXPECT_EQ(rig.progress.windowTitle(), "Progress");
    EXPECT_EQ(rig.answerer.seen().size(), 0u);
}

TEST(Pbmp2BmpWindow, AsksForTheWorldPaletteOfEachImageStartingAtGrey) {
    GuiRig rig;
    writeFile(rig.pals / "MudWorld.pal", makePal(41));
    writeFile(rig.pals / "IceWorld.pal", makePal(42));
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeFile(rig.in / name, makePbmp(pbmpOf(3, 2, kWorldPaletteNumber)));
    Pbmp2BmpWindow window(rig.context);
    control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
    control<FolderList>(window, "Dir2")->setFolder(toQString(rig.out));
    control<QCheckBox>(window, "Check1")->click();

    QString captionDuringSecond;
    rig.answerer.enqueue(test::choosePalette("IceWorld", "CancelButton"));
    rig.answerer.enqueue([&](QWidget& dialog) {
        captionDuringSecond = rig.progress.isVisible() ? rig.progress.windowTitle() : QString();
        test::saveScreenshot(rig.progress, "frmProgress");
        test::closeWithCloseBox()(dialog);
    });
    rig.answerer.enqueue(test::choosePalette("mudWorld", "OKButton"));

    control<QPushButton>(window, "cmdconvert")->click();

    EXPECT_EQ(rig.answerer.seen(), (std::vector<std::string>(3, "Select Pal | Grey")));
    EXPECT_EQ(rig.answerer.unexpected(), 0);
    EXPECT_EQ(captionDuringSecond, "Progress - b.bmp");
    const auto colourTableOf = [](const Bytes& bmp) {
        return Bytes(bmp.begin() + 54, bmp.begin() + 1078);
    };
    const auto tableOfPal = [](const Bytes& pal) {
        const BmpColourTable table = colourTableFromPalette(readPalFile(ByteReader(pal)).data);
        return Bytes(table.begin(), table.end());
    };
    const Bytes grey = tableOfPal(readFile(rig.pals / "grey.pal"));
    EXPECT_EQ(colourTableOf(readFile(rig.out / "a.bmp")), grey);
    EXPECT_EQ(colourTableOf(readFile(rig.out / "b.bmp")), grey);
    EXPECT_EQ(colourTableOf(readFile(rig.out / "c.bmp")), tableOfPal(makePal(41)));
}

// Records the position ProgressBar2 shows at each of its paints.
struct BarPaints : QObject {
    explicit BarPaints(QProgressBar& bar) : bar(bar) { bar.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            shown.push_back(bar.value());
        return false;
    }
    QProgressBar& bar;
    std::vector<int> shown;
};

TEST(Pbmp2BmpWindow, ALongRunIsDrawnAlongTheWayNotPerRowAndEndsWithTheBarsWhereTheSinkPutThem) {
    // Every look at the clock moves it on a millisecond: a draw falls due every few rows.
    qint64 now = 0;
    GuiRig rig([&now] { return ++now; });
    constexpr int kHeight = 300;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeFile(rig.in / name, makePbmp(pbmpOf(4, kHeight)));
    Pbmp2BmpWindow window(rig.context);
    control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
    control<FolderList>(window, "Dir2")->setFolder(toQString(rig.out));
    control<QCheckBox>(window, "Check1")->click();
    QProgressBar* bar1 = control<QProgressBar>(rig.progress, "ProgressBar1");
    QProgressBar* bar2 = control<QProgressBar>(rig.progress, "ProgressBar2");
    BarPaints paints(*bar2);

    control<QPushButton>(window, "cmdconvert")->click();

    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    const auto midImage = std::count_if(paints.shown.begin(), paints.shown.end(),
                                        [](int row) { return row > 0 && row < kHeight; });
    EXPECT_GE(midImage, 3) << "drawn during the run";
    EXPECT_LT(paints.shown.size(), std::size_t{kHeight / 5}) << "drawn on every few rows";
    EXPECT_EQ(rig.progress.value(Bar::Files), 3);
    EXPECT_EQ(rig.progress.value(Bar::Rows), kHeight);
    EXPECT_EQ(bar1->maximum(), 3);
    EXPECT_EQ(bar1->value(), 3);
    EXPECT_EQ(bar2->maximum(), kHeight);
    EXPECT_EQ(bar2->value(), kHeight);
    EXPECT_EQ(rig.progress.windowTitle(), "Progress");
}

TEST(Pbmp2BmpWindow, AMessageDuringARunFindsTheProgressWindowDrawnUpToDate) {
    // A clock that stands still: nothing falls due, only the message can draw.
    GuiRig rig([] { return qint64{0}; });
    writeFile(rig.in / "a.bmp", makePbmp(pbmpOf(3, 2)));
    writeFile(rig.in / "b.bmp", Bytes{'B', 'M', 0, 0});
    Pbmp2BmpWindow window(rig.context);
    control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
    control<FolderList>(window, "Dir2")->setFolder(toQString(rig.out));
    control<QCheckBox>(window, "Check1")->click();
    QString caption;
    int filesShown = -1;
    rig.answerer.enqueue([&](QWidget& box) {
        caption = rig.progress.windowTitle();
        filesShown = control<QProgressBar>(rig.progress, "ProgressBar1")->value();
        test::pressOk()(box);
    });

    control<QPushButton>(window, "cmdconvert")->click();

    EXPECT_EQ(rig.answerer.unexpected(), 0);
    EXPECT_EQ(caption, "Progress - b.bmp");
    EXPECT_EQ(filesShown, 1);
}

TEST(Pbmp2BmpWindow, AnUnreadableDriveOrVanishedFolderIsReportedAndTheListsStayUsable) {
    test::ConverterRig rig;
    fs::create_directories(rig.in / "gone");
    writeFile(rig.in / "a.bmp", {});
    WindowOverRig over(rig);
    auto* drive1 = control<DriveList>(over.window, "Drive1");
    const QString missingDrive = toQString(rig.root / "unmounted");
    drive1->setDrives({toQString(rig.root.path()), missingDrive});
    drive1->showDriveOf(toQString(rig.in));

    drive1->setCurrentIndex(drive1->findData(missingDrive));
    ASSERT_EQ(rig.prompts.problems.size(), 1u);
    EXPECT_EQ(rig.prompts.problems[0].rfind(displayPath(rig.root / "unmounted") + ": ", 0), 0u)
        << rig.prompts.problems[0];
    EXPECT_EQ(drive1->drive(), toQString(rig.root.path()));
    EXPECT_EQ(over.source()->folder(), toQString(rig.in));

    over.source()->setFolder(toQString(rig.in / "gone"));
    fs::remove(rig.in / "gone");
    over.files()->clear();
    over.source()->setFolder(toQString(rig.in / "gone"));
    ASSERT_EQ(rig.prompts.problems.size(), 2u);
    EXPECT_EQ(rig.prompts.problems[1].rfind(displayPath(rig.in / "gone") + ": ", 0), 0u)
        << rig.prompts.problems[1];
    EXPECT_EQ(over.source()->folder(), toQString(rig.in));
    EXPECT_EQ(over.files()->count(), 1);
    EXPECT_TRUE(over.start()->isEnabled());
}

} // namespace

// The folder a user clicks or arrows to in Dir2 is the one the run writes into, never the source.
TEST(Pbmp2BmpWindow, TheOutputFolderIsTheOneClickedOrArrowedToInDir2) {
    for (const bool byKeyboard : {false, true}) {
        GuiRig rig;
        const Bytes source = makePbmp(pbmpOf(3, 2));
        writeFile(rig.in / "dunes.bmp", source);
        std::filesystem::create_directory(rig.in / "out");
        Pbmp2BmpWindow window(rig.context);
        window.show();
        control<FolderList>(window, "Dir1")->setFolder(toQString(rig.in));
        auto* dir2 = control<FolderList>(window, "Dir2");
        dir2->setFolder(toQString(rig.in));
        const int out = dir2->count() - 1; // the only sub-folder
        if (byKeyboard) {
            dir2->setFocus();
            QTest::keyClick(dir2, Qt::Key_Down);
        } else {
            QTest::mouseClick(dir2->viewport(), Qt::LeftButton, {},
                              dir2->visualItemRect(dir2->item(out)).center());
        }
        control<QCheckBox>(window, "Check1")->click();
        control<QPushButton>(window, "cmdconvert")->click();

        EXPECT_EQ(readFile(rig.in / "dunes.bmp"), source) << byKeyboard;
        EXPECT_EQ(test::folderEntries(rig.in / "out"), (std::vector<std::string>{"dunes.bmp"}));
    }
}

// With "samples" current, its second sub-folder is two arrow presses away in either folder list:
// the files listed and the folder written follow the highlight.
TEST(Pbmp2BmpWindow, TheArrowKeysReachASecondSubFolderAsSourceAndAsOutput) {
    GuiRig rig;
    const fs::path samples = rig.root / "samples";
    fs::create_directories(samples / "out");
    fs::create_directories(samples / "textures");
    const Bytes texture = makePbmp(pbmpOf(3, 2));
    writeFile(samples / "textures" / "rock.bmp", texture);
    writeFile(rig.in / "dunes.bmp", makePbmp(pbmpOf(5, 3)));
    Pbmp2BmpWindow window(rig.context);
    window.show();
    auto* dir1 = control<FolderList>(window, "Dir1");
    auto* dir2 = control<FolderList>(window, "Dir2");
    auto* files = control<FileList>(window, "File1");
    dir1->setFolder(toQString(samples));
    dir2->setFolder(toQString(samples));
    EXPECT_EQ(files->count(), 0);

    dir1->setFocus();
    QTest::keyClick(dir1, Qt::Key_Down);
    QTest::keyClick(dir1, Qt::Key_Down);
    EXPECT_EQ(dir1->folder(), toQString(samples / "textures"));
    EXPECT_EQ(dir1->entryFolder(dir1->currentRow()), toQString(samples / "textures"));
    ASSERT_EQ(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), "rock.bmp");
    EXPECT_TRUE(control<QPushButton>(window, "cmdconvert")->isEnabled());

    dir1->setFolder(toQString(rig.in));
    dir2->setFocus();
    QTest::keyClick(dir2, Qt::Key_Down);
    QTest::keyClick(dir2, Qt::Key_Down);
    EXPECT_EQ(dir2->folder(), toQString(samples / "textures"));
    control<QCheckBox>(window, "Check1")->click();
    control<QPushButton>(window, "cmdconvert")->click();

    EXPECT_EQ(test::folderEntries(samples / "textures"),
              (std::vector<std::string>{"dunes.bmp", "rock.bmp"}));
    EXPECT_TRUE(test::folderEntries(samples / "out").empty());
    EXPECT_EQ(readFile(samples / "textures" / "rock.bmp"), texture);
}

} // namespace skarde::gui
