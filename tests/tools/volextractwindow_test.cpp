#include "guifixtures/apptestsupport.h"
#include "guifixtures/layoutchecks.h"

#include "app/mainwindow.h"
#include "app/pictures/splashwindow.h"
#include "app/startup.h"
#include "archive/volmember.h"
#include "converters/pbmpformat.h"
#include "converters/pbmptobmp.h"
#include "core/fileio.h"
#include "fixtures/converterrig.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"
#include "tools/archiveeditor.h"
#include "tools/imagepreviewwindow.h"
#include "tools/volextractwindow.h"
#include "widgets/filelist.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using filebuilders::makePbmpOfSize;
using filebuilders::volMember;
using test::folderEntries;
using test::readFile;
using test::writeFile;

template <typename Control> Control* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The extractor inside an MDI area as the main window holds it, over the rig's in/ and out/,
// with a temporary folder of its own that the test can see stays empty.
struct ExtractorRig {
    test::ConverterRig rig;
    fs::path temp = rig.root / "tmp";
    std::optional<QByteArray> savedTemp =
        qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    QMdiArea area;
    VolExtractWindow* window = new VolExtractWindow(rig.context);
    QMdiSubWindow* frame = area.addSubWindow(window);

    ExtractorRig() {
        fs::create_directories(temp);
        qputenv("TMPDIR", QByteArray::fromStdString(temp.string()));
        area.resize(1600, 1000);
        area.show();
        frame->move(10, 20);
        frame->show();
        control<FolderList>(*window, "Dir1")->setFolder(toQString(rig.in));
        control<FolderList>(*window, "Dir2")->setFolder(toQString(rig.out));
    }
    ~ExtractorRig() {
        if (savedTemp)
            qputenv("TMPDIR", *savedTemp);
        else
            qunsetenv("TMPDIR");
    }

    template <typename Control> Control* get(const char* name) {
        return control<Control>(*window, name);
    }
    QListWidget* storedMembers() { return get<QListWidget>("List1"); }
    QListWidget* compressedMembers() { return get<QListWidget>("List2"); }
    QPushButton* start() { return get<QPushButton>("cmdconvert"); }
    QCheckBox* markAll() { return get<QCheckBox>("Check1"); }
    QPushButton* toggle() { return get<QPushButton>("Command1"); }

    void writeArchive(const char* name, std::vector<filebuilders::VolMemberFields> members) {
        filebuilders::VolFields fields;
        fields.members = std::move(members);
        filebuilders::writeVol(rig.in / name, fields);
    }
    // A press on the archive's row in File1, as the user picks it.
    void pickArchive(const char* name) {
        get<FolderList>("Dir1")->setFolder(toQString(rig.in));
        FileList* files = get<FileList>("File1");
        const auto found = files->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(found[0]).center());
    }
    void clickMember(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(storedMembers()->viewport(), Qt::LeftButton, modifiers,
                          storedMembers()->visualItemRect(storedMembers()->item(row)).center());
    }
    static QStringList rows(const QListWidget* list) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    std::vector<int> selectedRows() {
        std::vector<int> selected;
        for (int row = 0; row < storedMembers()->count(); ++row)
            if (storedMembers()->item(row)->isSelected())
                selected.push_back(row);
        return selected;
    }
    ImagePreviewWindow* preview() { return window->previewWindow(); }
    QMdiSubWindow* previewFrame() {
        return preview() ? qobject_cast<QMdiSubWindow*>(preview()->parentWidget()) : nullptr;
    }
    QLabel* previewPicture() { return preview() ? control<QLabel>(*preview(), "Image1") : nullptr; }
};

TEST(VolExtractWindow, HasEveryNamedControlWithStartDisabledAndList2NeverUsable) {
    ExtractorRig over;
    VolExtractWindow& window = *over.window;
    EXPECT_EQ(window.objectName(), "frmvolextract");
    EXPECT_EQ(window.windowTitle(), "VOL File Extractor");
    EXPECT_EQ(window.size(), QSize(665, 460));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    // Labels and buttons alike; the two boxes' own caption is cut off by their width.
    const std::vector<std::pair<const char*, const char*>> texts{{"Label4", "Files to Extract"},
                                                                 {"Label5", "LZH Compressed Files"},
                                                                 {"Label1", "Mark All Files"},
                                                                 {"Label3", "PBMP -> BMP"},
                                                                 {"Label6", "ZOOM"},
                                                                 {"Check1", "Check1"},
                                                                 {"Check2", "Check1"},
                                                                 {"cmdconvert", "START"},
                                                                 {"Command1", "Image Preview: OFF"},
                                                                 {"Command2", "X2"},
                                                                 {"Command3", "X3"},
                                                                 {"Command4", "X4"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(over.get<QWidget>(name)->property("text").toString(), text) << name;
    EXPECT_TRUE(over.get<QLabel>("Label4")->font().bold());
    EXPECT_EQ(over.get<QLabel>("Label4")->font().pointSizeF(), 12.0);
    EXPECT_TRUE(over.get<QLabel>("Label5")->font().bold());
    EXPECT_TRUE(over.start()->font().bold());
    EXPECT_EQ(over.get<FileList>("File1")->pattern(), "*.VOL");
    EXPECT_EQ(over.get<FileList>("File1")->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(over.storedMembers()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_FALSE(over.storedMembers()->isSortingEnabled());
    EXPECT_FALSE(over.markAll()->isChecked() || over.get<QCheckBox>("Check2")->isChecked());
    EXPECT_EQ(window.findChildren<QFrame*>(QRegularExpression("^Frame([1-9]|10)$")).size(), 10);
    EXPECT_EQ(window.zoom(), 1);

    EXPECT_FALSE(over.start()->isEnabled());
    EXPECT_FALSE(over.compressedMembers()->isEnabled());

    // Only the two boxes' own captions are cut off, as designed. The toggle's caption wraps
    // onto two lines (checked with the rest), and the zoom buttons' captions fit without the
    // usual margins.
    std::vector<std::string> clipped = test::clippedTexts(window);
    std::erase_if(clipped, [](const std::string& text) {
        return text.rfind("Command", 0) == 0 && text.rfind("Command1:", 0) != 0;
    });
    EXPECT_EQ(clipped, (std::vector<std::string>{"Check2: Check1", "Check1: Check1"}));
    for (const char* name : {"Command2", "Command3", "Command4"}) {
        const QPushButton* zoom = over.get<QPushButton>(name);
        EXPECT_LT(zoom->fontMetrics().horizontalAdvance(zoom->text()), zoom->width() - 4) << name;
    }
    EXPECT_EQ(test::controlsOutsideTheirContainer(window), std::vector<std::string>{});
    test::saveScreenshot(window, "frmvolextract");
}

TEST(VolExtractWindow, APickedArchiveFillsBothListsUntilTheNextOne) {
    ExtractorRig over;
    over.writeArchive("three.vol", {volMember("a.txt", {1}), volMember("b.wav", {2}, 3),
                                    volMember("textures\\c.bmp", {3})});
    over.writeArchive("SHUT.VOL", {volMember("x.wav", {1}, 1), volMember("y.wav", {2}, 2)});
    writeFile(over.rig.in / "broken.vol", Bytes{'P', 'V', 'O', 'L'});
    fs::create_directory(over.rig.in / "elsewhere");

    over.pickArchive("three.vol");
    EXPECT_EQ(ExtractorRig::rows(over.storedMembers()), (QStringList{"a.txt", "textures\\c.bmp"}));
    EXPECT_EQ(ExtractorRig::rows(over.compressedMembers()), QStringList{"b.wav"});
    EXPECT_TRUE(over.start()->isEnabled());
    EXPECT_FALSE(over.compressedMembers()->isEnabled());

    // Another folder keeps the members, and START with them.
    over.get<FolderList>("Dir1")->setFolder(toQString(over.rig.in / "elsewhere"));
    EXPECT_EQ(over.storedMembers()->count(), 2);
    EXPECT_TRUE(over.start()->isEnabled());

    over.pickArchive("SHUT.VOL");
    EXPECT_EQ(over.storedMembers()->count(), 0);
    EXPECT_EQ(ExtractorRig::rows(over.compressedMembers()), (QStringList{"x.wav", "y.wav"}));
    EXPECT_FALSE(over.start()->isEnabled());

    over.pickArchive("three.vol");
    over.pickArchive("broken.vol");
    ASSERT_EQ(over.rig.prompts.problems.size(), 1u) << over.rig.prompts.problems.back();
    EXPECT_EQ(over.rig.prompts.problems[0].rfind(displayPath(over.rig.in / "broken.vol"), 0), 0u);
    EXPECT_EQ(over.storedMembers()->count() + over.compressedMembers()->count(), 0);
    EXPECT_FALSE(over.start()->isEnabled());
    EXPECT_FALSE(over.compressedMembers()->isEnabled());
}

TEST(VolExtractWindow, MarkAllActsOnTheMembersUntilTheUserClicksOne) {
    ExtractorRig over;
    over.writeArchive("four.vol", {volMember("a", {1}), volMember("b", {2}), volMember("c", {3}),
                                   volMember("d", {4})});
    over.markAll()->click();
    over.pickArchive("four.vol");
    EXPECT_EQ(over.selectedRows(), (std::vector<int>{0, 1, 2, 3}));

    over.clickMember(2);
    EXPECT_FALSE(over.markAll()->isChecked());
    EXPECT_EQ(over.selectedRows(), (std::vector<int>{2}));

    over.clickMember(0, Qt::ControlModifier);
    over.markAll()->click();
    EXPECT_EQ(over.selectedRows(), (std::vector<int>{0, 1, 2, 3}));
    over.markAll()->click();
    EXPECT_TRUE(over.selectedRows().empty());
}

TEST(VolExtractWindow, ExtractsTheMarkedMembersDeselectingEachAsItIsHandled) {
    const Bytes rock = makePbmpOfSize(4, 3);
    for (const bool convert : {false, true}) {
        ExtractorRig over;
        over.writeArchive("game.vol", {volMember("textures\\rock.bmp", rock),
                                       volMember("b.txt", {2}), volMember("c.txt", {3}),
                                       volMember("sound.wav", {4}), volMember("e.txt", {5})});
        const std::vector<std::string> own{"temp.bmp", "temp1.bmp", "temp2.bmp"};
        for (const std::string& name : own)
            writeFile(over.rig.out / name, Bytes(name.begin(), name.end()));
        over.pickArchive("game.vol");
        for (int row : {0, 2, 3})
            over.storedMembers()->item(row)->setSelected(true);
        if (convert)
            over.get<QCheckBox>("Check2")->click();
        std::vector<int> stillSelected;
        QObject::connect(over.storedMembers(), &QListWidget::itemSelectionChanged, [&] {
            stillSelected.push_back(static_cast<int>(over.selectedRows().size()));
        });

        over.start()->click();

        EXPECT_EQ(stillSelected, (std::vector<int>{2, 1, 0}));
        EXPECT_EQ(over.rig.progress.maximum(Bar::Files), 3);
        EXPECT_EQ(over.rig.progress.positions(Bar::Files), (std::vector<int>{1, 1, 2, 3, 3}));
        EXPECT_EQ(folderEntries(over.rig.out),
                  (std::vector<std::string>{"c.txt", "sound.wav", "temp.bmp", "temp1.bmp",
                                            "temp2.bmp", "textures"}));
        for (const std::string& name : own)
            EXPECT_EQ(readFile(over.rig.out / name), Bytes(name.begin(), name.end())) << name;
        EXPECT_TRUE(folderEntries(over.temp).empty());
        EXPECT_EQ(readFile(over.rig.out / "sound.wav"), Bytes{4});
        const Bytes written = readFile(over.rig.out / "textures" / "rock.bmp");
        if (convert) {
            test::ConverterRig reference;
            writeFile(reference.in / "rock.bmp", rock);
            ConvertPbmpToBmp(reference.context, reference.in / "rock.bmp",
                             reference.out / "rock.bmp");
            EXPECT_EQ(written, readFile(reference.out / "rock.bmp"));
        } else {
            EXPECT_EQ(written, rock);
        }
        EXPECT_TRUE(over.rig.prompts.problems.empty());
    }
}

// The converted member as the preview must show it: each pixel a zoom x zoom block.
QImage expectedPicture(const Bytes& member, int zoom) {
    test::ConverterRig reference;
    writeFile(reference.in / "m.bmp", member);
    ConvertPbmpToBmp(reference.context, reference.in / "m.bmp", reference.out / "m.bmp");
    const QImage picture(toQString(reference.out / "m.bmp"));
    return picture.scaled(picture.size() * zoom).convertToFormat(QImage::Format_RGB32);
}

TEST(VolExtractWindow, PreviewShowsBitmapMembersZoomedAndLeavesTheUsersFilesAlone) {
    ExtractorRig over;
    const Bytes rock = makePbmpOfSize(64, 32);
    over.writeArchive("game.vol", {volMember("textures\\rock.bmp", rock),
                                   volMember("sounds\\sound.wav", {1, 2, 3}),
                                   volMember("fake.bmp", {'B', 'M', 0, 0}),
                                   volMember("small.bmp", makePbmpOfSize(5, 7))});
    const Bytes mine{'m', 'i', 'n', 'e'};
    const Bytes mine1{'m', 'i', 'n', 'e', '1'};
    const Bytes mine2{'m', 'i', 'n', 'e', '2'};
    writeFile(over.rig.out / "temp.bmp", mine);
    writeFile(over.rig.out / "temp1.bmp", mine1);
    writeFile(over.rig.out / "temp2.bmp", mine2);
    over.pickArchive("game.vol");
    over.toggle()->click();
    ASSERT_NE(over.previewFrame(), nullptr);
    const QSize border = over.previewFrame()->size() - over.preview()->size();
    over.get<QPushButton>("Command2")->click();

    over.clickMember(0);
    EXPECT_EQ(over.preview()->size(), QSize(128, 64));
    EXPECT_EQ(over.previewFrame()->size(), QSize(128, 64) + border);
    EXPECT_EQ(over.previewPicture()->geometry(), QRect(0, 0, 128, 64));
    EXPECT_EQ(over.previewPicture()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              expectedPicture(rock, 2));
    EXPECT_TRUE(fs::is_directory(over.rig.out / "textures"));

    // Neither a member of another kind nor one the conversion refuses changes the picture.
    const qint64 shown = over.previewPicture()->pixmap().cacheKey();
    for (int row : {1, 2}) {
        over.clickMember(row);
        EXPECT_EQ(over.previewPicture()->pixmap().cacheKey(), shown) << row;
        EXPECT_EQ(over.preview()->size(), QSize(128, 64)) << row;
    }
    EXPECT_EQ(over.rig.prompts.messages,
              std::vector<std::string>{std::string(kNotVidodazBitmapMessage)});
    EXPECT_TRUE(fs::is_directory(over.rig.out / "sounds"));

    // A key released in the list previews the row it moved to; the release of a key pressed
    // elsewhere (the Enter that closed a dialog) does not.
    QTest::keyClick(over.storedMembers(), Qt::Key_Down);
    EXPECT_EQ(over.storedMembers()->currentRow(), 3);
    EXPECT_EQ(over.preview()->size(), QSize(10, 14));
    over.storedMembers()->setCurrentRow(0);
    QTest::keyRelease(over.storedMembers(), Qt::Key_Return);
    EXPECT_EQ(over.preview()->size(), QSize(10, 14));

    // An archive cut short since it was loaded: the member is reported, the picture stays.
    fs::resize_file(over.rig.in / "game.vol", 40);
    over.clickMember(0);
    ASSERT_EQ(over.rig.prompts.problems.size(), 1u);
    EXPECT_EQ(over.rig.prompts.problems[0].rfind("textures\\rock.bmp: ", 0), 0u);
    EXPECT_EQ(over.preview()->size(), QSize(10, 14));

    EXPECT_EQ(
        folderEntries(over.rig.out),
        (std::vector<std::string>{"sounds", "temp.bmp", "temp1.bmp", "temp2.bmp", "textures"}));
    EXPECT_EQ(readFile(over.rig.out / "temp.bmp"), mine);
    EXPECT_EQ(readFile(over.rig.out / "temp1.bmp"), mine1);
    EXPECT_EQ(readFile(over.rig.out / "temp2.bmp"), mine2);
    EXPECT_TRUE(folderEntries(over.rig.out / "textures").empty());
    EXPECT_TRUE(folderEntries(over.temp).empty());
}

// Each preview of a world-palette member asks for a palette, so the requests count the previews.
TEST(VolExtractWindow, AHeldArrowKeyPreviewsOnlyTheRowWhereItStops) {
    ExtractorRig over;
    filebuilders::PbmpFields world;
    world.height = 2;
    world.paletteNumber = kWorldPaletteNumber;
    std::vector<filebuilders::VolMemberFields> members;
    for (int width = 3; width <= 7; ++width) {
        world.width = width;
        members.push_back(
            volMember("w" + std::to_string(width) + ".bmp", filebuilders::makePbmp(world)));
    }
    over.writeArchive("worlds.vol", std::move(members));
    over.pickArchive("worlds.vol");
    over.toggle()->click();
    QListWidget* list = over.storedMembers();
    list->setCurrentRow(0);
    list->setFocus();
    const auto send = [&](QEvent::Type type, bool autoRepeat, Qt::Key pressed = Qt::Key_Down) {
        QKeyEvent key(type, pressed, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(list, &key);
    };

    // What a held key delivers: a press, then repeated release-press pairs, then the last release.
    send(QEvent::KeyPress, false);
    for (int repeat = 0; repeat < 3; ++repeat) {
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    EXPECT_EQ(over.rig.prompts.worldPaletteRequests, 0) << "previewed while the key was held";
    send(QEvent::KeyRelease, false);

    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_EQ(over.rig.prompts.worldPaletteRequests, 1);
    EXPECT_EQ(over.preview()->size(), QSize(7, 2) * over.window->zoom());

    // A press and release without repeat previews as before.
    send(QEvent::KeyPress, false, Qt::Key_Up);
    send(QEvent::KeyRelease, false, Qt::Key_Up);
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(over.rig.prompts.worldPaletteRequests, 2);
    EXPECT_EQ(over.preview()->size(), QSize(6, 2) * over.window->zoom());
}

TEST(VolExtractWindow, ZoomButtonsSwitchBetweenTheirFactorAndOne) {
    ExtractorRig over;
    // Nothing converted yet: W and H are 0, so the picture is empty.
    over.get<QPushButton>("Command3")->click();
    over.toggle()->click();
    ASSERT_NE(over.preview(), nullptr);
    EXPECT_EQ(over.preview()->size(), QSize(0, 0));
    EXPECT_EQ(over.previewPicture()->size(), QSize(0, 0));

    over.writeArchive("one.vol", {volMember("a.bmp", makePbmpOfSize(7, 5))});
    over.pickArchive("one.vol");
    over.clickMember(0);
    struct Step {
        const char* button;
        int zoom;
    };
    for (const Step& step : {Step{"Command3", 1}, Step{"Command3", 3}, Step{"Command2", 2},
                             Step{"Command4", 4}, Step{"Command4", 1}}) {
        over.get<QPushButton>(step.button)->click();
        EXPECT_EQ(over.window->zoom(), step.zoom) << step.button;
        EXPECT_EQ(over.preview()->size(), QSize(7, 5) * step.zoom) << step.button;
        EXPECT_EQ(over.previewPicture()->pixmap().size(), QSize(7, 5) * step.zoom) << step.button;
    }

    // While the preview is off a zoom still applies, to the window it opens next.
    over.toggle()->click();
    over.get<QPushButton>("Command2")->click();
    over.toggle()->click();
    EXPECT_EQ(over.preview()->size(), QSize(14, 10));
    // Closed and opened without a zoom in between: the design size again.
    over.toggle()->click();
    over.toggle()->click();
    EXPECT_EQ(over.preview()->size(), QSize(312, 213));
}

TEST(VolExtractWindow, ThePreviewOpensRightOfTheExtractorAndEveryClosingTurnsItOff) {
    ExtractorRig over;
    over.toggle()->click();
    EXPECT_EQ(over.toggle()->text(), "Image Preview: ON");
    ASSERT_NE(over.previewFrame(), nullptr);
    EXPECT_TRUE(over.previewFrame()->isVisible());
    EXPECT_EQ(over.previewFrame()->pos(), QPoint(10 + over.frame->width() + 2, 20));
    const Qt::WindowFlags flags = over.previewFrame()->windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint && flags & Qt::WindowSystemMenuHint);

    // A click in the empty list changes nothing.
    QTest::mouseClick(over.storedMembers()->viewport(), Qt::LeftButton);
    EXPECT_EQ(over.preview()->size(), QSize(312, 213));

    over.previewFrame()->close(); // its close box
    test::settle();
    EXPECT_EQ(over.toggle()->text(), "Image Preview: OFF");
    EXPECT_EQ(over.preview(), nullptr);

    over.toggle()->click();
    over.toggle()->click();
    test::settle();
    EXPECT_EQ(over.toggle()->text(), "Image Preview: OFF");
    EXPECT_EQ(over.area.subWindowList().size(), 1);

    // The extractor closes and opens again: the preview it left open is still the one preview.
    over.toggle()->click();
    QMdiSubWindow* previewFrame = over.previewFrame();
    over.frame->close();
    test::settle();
    auto* again = new VolExtractWindow(over.rig.context);
    over.area.addSubWindow(again)->show();
    control<QPushButton>(*again, "Command1")->click();
    EXPECT_EQ(over.area.subWindowList().size(), 2);
    ASSERT_NE(again->previewWindow(), nullptr);
    EXPECT_EQ(again->previewWindow()->parentWidget(), previewFrame);
    previewFrame->close();
    EXPECT_EQ(control<QPushButton>(*again, "Command1")->text(), "Image Preview: OFF");
}

TEST(VolExtractWindow, IsOpenedOnceFromTheToolsMenuWithItsOwnIcon) {
    test::SettingsSandbox settings;
    Startup startup;
    QAction* entry =
        test::startToMainWindow(startup).findChild<QAction*>(QStringLiteral("mnuToolsvolextract"));
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    entry->trigger();
    test::settle();
    const auto children = startup.mainWindow()->mdiArea().subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->widget()->objectName(), "frmvolextract");
    const QIcon icon = children[0]->windowIcon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_NE(icon.pixmap(32).toImage(), startup.mainWindow()->windowIcon().pixmap(32).toImage());

    // Closing the main window closes the preview, which turns the extractor's toggle off.
    auto* toggle = children[0]->widget()->findChild<QPushButton*>(QStringLiteral("Command1"));
    toggle->click();
    QString captionWhenPreviewClosed;
    auto* preview = startup.mainWindow()->findChild<ImagePreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    QObject::connect(preview, &ImagePreviewWindow::closed,
                     [&] { captionWhenPreviewClosed = toggle->text(); });
    startup.mainWindow()->close();
    test::settle();
    EXPECT_EQ(captionWhenPreviewClosed, "Image Preview: OFF");
}

// The part of the main window's area that the user sees holds the preview's frame: whole where the
// screen has room for it, else at least its top left corner.
void expectInView(const QMdiArea& area, const QMdiSubWindow& frame, const char* when) {
    const QRect view = area.viewport()->rect();
    EXPECT_TRUE(view.contains(frame.geometry().topLeft())) << when;
    const QRect screen = area.window()->screen()->availableGeometry();
    if (frame.width() + 2 * frame.x() <= screen.width() && frame.height() <= screen.height() / 2) {
        EXPECT_TRUE(view.contains(frame.geometry())) << when;
    }
}

TEST(VolExtractWindow, ThePreviewOfAFirstRunOpensAndGrowsInSight) {
    test::SettingsSandbox settings;
    test::TempFolder folder;
    filebuilders::VolFields fields;
    fields.members = {volMember("textures\\dunes.bmp", makePbmpOfSize(150, 90))};
    filebuilders::writeVol(folder.path() / "game.vol", fields);
    Startup startup;
    MainWindow& main = test::startToMainWindow(startup);
    test::menuEntry(main, QStringLiteral("mnuToolsvolextract"))->trigger();
    test::settle();
    QWidget* extractor = main.toolWindow(QStringLiteral("mnuToolsvolextract"))->widget();
    control<FolderList>(*extractor, "Dir1")->setFolder(toQString(folder.path()));
    control<FolderList>(*extractor, "Dir2")->setFolder(toQString(folder.path()));
    FileList* archives = control<FileList>(*extractor, "File1");
    QTest::mouseClick(archives->viewport(), Qt::LeftButton, {},
                      archives->visualItemRect(archives->item(0)).center());
    control<QPushButton>(*extractor, "Command1")->click();
    auto* members = control<QListWidget>(*extractor, "List1");
    QTest::mouseClick(members->viewport(), Qt::LeftButton, {},
                      members->visualItemRect(members->item(0)).center());
    test::settle();
    auto* preview = static_cast<VolExtractWindow*>(extractor)->previewWindow();
    ASSERT_NE(preview, nullptr);
    auto* frame = qobject_cast<QMdiSubWindow*>(preview->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(preview->size(), QSize(150, 90));
    expectInView(main.mdiArea(), *frame, "opened");

    control<QPushButton>(*extractor, "Command4")->click();
    test::settle();
    EXPECT_EQ(preview->size(), QSize(600, 360));
    expectInView(main.mdiArea(), *frame, "at X4");
}

// The member list's menu and drops change the archive itself: each asks once, naming the
// archive and its backup, keeps the previous archive beside it, and reloads the lists.
struct EditingRig : ExtractorRig {
    QStringList chosenFiles;
    EditingRig() {
        writeArchive("a.vol", {volMember("a.txt", {1, 2}), volMember("d\\b.txt", {3}),
                               volMember("d\\c.txt", {4})});
        pickArchive("a.vol");
        window->archiveEditor()->setFileChooser(
            [this](const QString&, bool) { return chosenFiles; });
    }
    ArchiveEditor& editor() { return *window->archiveEditor(); }
    fs::path archive() const { return rig.in / "a.vol"; }
    Bytes member(const std::string& name) {
        const VolDirectory directory = skarde::LoadVolDirectory(archive(), rig.prompts);
        for (const std::size_t index : directory.storedRows)
            if (directory.directoryEntries[index].name == name)
                return ReadMemberData(archive(), directory.directoryEntries[index]);
        ADD_FAILURE() << "no member " << name;
        return {};
    }
};

// The member list's viewport sends its last events while the list is being destroyed; the
// archive editor watching it must not call the half-destroyed list then (the sanitizer build
// reports such a call as a member call on an object of the wrong type).
TEST(VolExtractWindow, IsDestroyedWithItsArchiveEditorWatchingTheMemberList) {
    auto over = std::make_unique<EditingRig>();
    over->window->show();
    QListWidget* members = over->window->findChild<QListWidget*>(QStringLiteral("List1"));
    ASSERT_NE(members, nullptr);
    const QPointer<QObject> editor(over->window->archiveEditor());
    over.reset();
    EXPECT_TRUE(editor.isNull());
}

TEST(VolExtractWindow, TheMemberListsMenuOffersTheFourChangesFromTheKeyboard) {
    EditingRig over;
    over.clickMember(0);
    const QPoint inList(5, 5);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, inList,
                              over.storedMembers()->mapToGlobal(inList));
    QApplication::sendEvent(over.storedMembers(), &menuKey);
    QMenu* menu = over.editor().menu();
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    EXPECT_EQ(captions,
              (QStringList{ArchiveEditor::replaceCaption(), ArchiveEditor::addCaption(),
                           ArchiveEditor::removeCaption(), ArchiveEditor::putBackCaption()}));
    EXPECT_EQ(captions.front(), QString::fromUtf8("Replace with file\u2026"));
    menu->close();
}

TEST(VolExtractWindow, ReplacesAddsAndRemovesMembersKeepingTheOldArchive) {
    EditingRig over;
    const Bytes original = readFile(over.archive());
    writeFile(over.rig.in / "new.txt", Bytes{9, 9, 9});
    over.chosenFiles = {toQString(over.rig.in / "new.txt")};

    // No keeps everything as it was.
    over.clickMember(0);
    over.editor().replaceWithFile();
    ASSERT_EQ(over.rig.prompts.questions.size(), 1u);
    EXPECT_EQ(over.rig.prompts.questions[0],
              "Replace a.txt with " + displayPath(over.rig.in / "new.txt") + " in " +
                  displayPath(over.archive()) + "? The archive as it is now is kept as a.vol.bak.");
    EXPECT_EQ(readFile(over.archive()), original);
    EXPECT_FALSE(fs::exists(over.rig.in / "a.vol.bak"));

    over.rig.prompts.yesNoAnswers = {true, true, true};
    over.editor().replaceWithFile();
    EXPECT_EQ(over.member("a.txt"), (Bytes{9, 9, 9}));
    EXPECT_EQ(readFile(over.rig.in / "a.vol.bak"), original);
    EXPECT_EQ(over.rig.prompts.messages.back(),
              "1 member replaced in a.vol; the previous archive is kept as a.vol.bak.");

    // Added beside the current member; a second change keeps a second backup.
    over.clickMember(1);
    over.editor().addFiles();
    EXPECT_EQ(ExtractorRig::rows(over.storedMembers()),
              (QStringList{"a.txt", "d\\b.txt", "d\\c.txt", "d\\new.txt"}));
    EXPECT_EQ(over.member("d\\new.txt"), (Bytes{9, 9, 9}));
    EXPECT_TRUE(fs::exists(over.rig.in / "a.vol.2.bak"));

    // The marked members go.
    over.clickMember(1);
    over.clickMember(2, Qt::ControlModifier);
    over.editor().removeFromArchive();
    EXPECT_EQ(ExtractorRig::rows(over.storedMembers()), (QStringList{"a.txt", "d\\new.txt"}));
    EXPECT_TRUE(over.rig.prompts.problems.empty()) << over.rig.prompts.problems.front();
}

// The modder's round trip in the window: extract with "PBMP -> BMP", edit the picture, put it
// back, and the member shows the edit with its own palette and attributes.
TEST(VolExtractWindow, PutsBackEditedFilesFromTheOutputFolder) {
    ExtractorRig over;
    over.writeArchive(
        "g.vol", {volMember("textures\\dunes.bmp", makePbmpOfSize(4, 3)), volMember("r.txt", {5})});
    over.pickArchive("g.vol");
    over.get<QCheckBox>("Check2")->setChecked(true);
    over.markAll()->click();
    over.start()->click();
    const fs::path extracted = over.rig.out / "textures" / "dunes.bmp";
    Bytes edited = readFile(extracted);
    ASSERT_GT(edited.size(), 1078u);
    edited[1078] = static_cast<std::uint8_t>(edited[1078] + 1);
    writeFile(extracted, edited);

    over.rig.prompts.yesNoAnswers = {true};
    over.window->archiveEditor()->putBackEditedFiles();
    ASSERT_EQ(over.rig.prompts.questions.size(), 1u);
    EXPECT_NE(over.rig.prompts.questions[0].find("Put back 1 edited file"), std::string::npos);
    EXPECT_TRUE(over.rig.prompts.problems.empty()) << over.rig.prompts.problems.front();

    // Extracted again elsewhere, the member is the edited picture, byte for byte.
    const fs::path again = over.rig.root / "again";
    fs::create_directories(again);
    over.get<FolderList>("Dir2")->setFolder(toQString(again));
    over.markAll()->setChecked(false);
    over.markAll()->click();
    over.start()->click();
    EXPECT_EQ(readFile(again / "textures" / "dunes.bmp"), edited);
    EXPECT_EQ(readFile(again / "r.txt"), Bytes{5});
}

// A file dropped on the list replaces the member of its name; any other is added.
TEST(VolExtractWindow, DroppedFilesReplaceMembersOfTheirNamesOrAreAdded) {
    EditingRig over;
    writeFile(over.rig.in / "c.txt", Bytes{7});
    writeFile(over.rig.in / "z.txt", Bytes{8});
    over.rig.prompts.yesNoAnswers = {true};
    over.clickMember(1);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(toQString(over.rig.in / "c.txt")),
                  QUrl::fromLocalFile(toQString(over.rig.in / "z.txt"))});
    QWidget* viewport = over.storedMembers()->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
    ASSERT_EQ(over.rig.prompts.questions.size(), 1u);
    EXPECT_EQ(over.rig.prompts.questions[0].rfind(
                  "Put 2 dropped files into the archive (1 member replaced, 1 member added)", 0),
              0u)
        << over.rig.prompts.questions[0];
    EXPECT_EQ(over.member("d\\c.txt"), Bytes{7});
    EXPECT_EQ(over.member("d\\z.txt"), Bytes{8});
}

} // namespace
} // namespace skarde::gui
