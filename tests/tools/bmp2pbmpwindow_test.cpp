#include "guifixtures/layoutchecks.h"
#include "guifixtures/toolwindowrig.h"

#include "converters/bmptopbmp.h"
#include "converters/pbmpchoices.h"
#include "converters/pbmpformat.h"
#include "png/pngsupport.h"
#include "testsupport/bmpbuilder.h"
#include "tools/bmp2pbmpwindow.h"

#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QStyleOptionSlider>

#include <algorithm>
#include <map>
#include <set>

namespace skarde::gui {
namespace {

namespace fs = std::filesystem;
using test::control;
using test::readFile;
using test::writeFile;
using WindowOverRig = test::ToolWindowOverRig<Bmp2PbmpWindow>;

// The height of the middle of the slider's handle, in the window, at `value`.
int handleCentre(QSlider& slider, int value) {
    slider.setValue(value);
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.value();
    option.sliderValue = slider.value();
    option.upsideDown = !slider.invertedAppearance(); // vertical sliders count from the bottom
    option.tickPosition = slider.tickPosition();
    const QRect handle = slider.style()->subControlRect(QStyle::CC_Slider, &option,
                                                        QStyle::SC_SliderHandle, &slider);
    return slider.mapTo(slider.window(), handle.center()).y();
}

TEST(Bmp2PbmpWindow, ShowsThePaletteListAndTheOptionSliderWithALabelBesideEachPosition) {
    test::ConverterRig rig;
    WindowOverRig over(rig);
    Bmp2PbmpWindow& window = over.window;
    EXPECT_EQ(window.objectName(), "frmbmp2pbmp");
    EXPECT_EQ(window.windowTitle(), "RuziRire+");
    EXPECT_EQ(window.size(), QSize(666, 460));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(over.files()->pattern(), "*.BMP");
    EXPECT_EQ(over.files()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(window.findChild<QWidget*>("Check1"), nullptr);

    auto* list1 = control<QListWidget>(window, "List1");
    ASSERT_EQ(list1->count(), 20);
    EXPECT_EQ(list1->item(0)->text(), " 500         Desert");
    for (int row = 0; row < list1->count(); ++row)
        EXPECT_EQ(list1->item(row)->text().toStdString(), paletteListEntryText(row));
    EXPECT_TRUE(list1->selectedItems().isEmpty());
    EXPECT_EQ(list1->selectionMode(), QAbstractItemView::SingleSelection);

    auto* slider1 = control<QSlider>(window, "Slider1");
    EXPECT_EQ(slider1->orientation(), Qt::Vertical);
    EXPECT_EQ(slider1->minimum(), 1);
    EXPECT_EQ(slider1->maximum(), 5);
    EXPECT_EQ(slider1->value(), 1);
    // Each option's label stands level with the handle at that option's value.
    std::map<int, const QLabel*> labelOfIndex;
    for (const QLabel* label : window.findChildren<QLabel*>("Label5"))
        labelOfIndex[label->property("index").toInt()] = label;
    ASSERT_EQ(labelOfIndex.size(), kDrawingOptionChoices.size());
    std::set<int> labelIndices;
    int sliderValue = 0;
    for (const OptionLabel& option : kOptionLabels) {
        labelIndices.insert(option.labelIndex);
        EXPECT_EQ(option.sliderValue, ++sliderValue);
        const QLabel* label = labelOfIndex[option.labelIndex];
        EXPECT_EQ(label->text().toStdString(), option.caption);
        const int labelCentre = label->mapTo(&window, label->rect().center()).y();
        EXPECT_LE(std::abs(handleCentre(*slider1, option.sliderValue) - labelCentre), 12)
            << option.caption;
    }
    EXPECT_EQ(labelIndices, (std::set<int>{0, 1, 2, 3, 4}));
    slider1->setValue(1);

    window.show();
    EXPECT_EQ(test::clippedTexts(window), std::vector<std::string>{});
    EXPECT_EQ(test::controlsOutsideTheirContainer(window), std::vector<std::string>{});
    test::saveScreenshot(window, "frmbmp2pbmp");
}

// Runs START over the marked a.bmp and B.bmp and reads the palette number and attributes of
// each output, or nothing when the run wrote no file.
std::vector<std::pair<std::int32_t, std::uint32_t>> runAndReadChoices(WindowOverRig& over,
                                                                      const fs::path& out) {
    for (const fs::path& file : fs::directory_iterator(out))
        fs::remove(file);
    over.start()->click();
    std::vector<std::pair<std::int32_t, std::uint32_t>> written;
    for (const std::string& name : test::folderEntries(out)) {
        const Bytes pbmp = readFile(out / name);
        const ByteReader reader(pbmp);
        written.emplace_back(readPbmpTrailer(reader, pbmp.size() - kPbmpTrailerSize).paletteNumber,
                             readPbmpHeader(reader, 0).attributes);
    }
    return written;
}

TEST(Bmp2PbmpWindow, RefusesToRunUntilAPaletteIsChosenThenReadsTheSliderAtEveryStart) {
    test::ConverterRig rig;
    for (const char* name : {"a.bmp", "B.bmp"})
        writeFile(rig.in / name, filebuilders::makeBmp(filebuilders::BmpFields{}));
    WindowOverRig over(rig);
    over.files()->selectAll();
    auto* list1 = control<QListWidget>(over.window, "List1");
    auto* slider1 = control<QSlider>(over.window, "Slider1");
    constexpr int kKeep = -1;
    constexpr int kClear = -2;
    struct Step {
        int paletteRow;
        int slider;
        std::int32_t paletteNumber; // 0: refused, nothing written
        std::uint32_t attributes;
    };
    for (const Step& step : {Step{kKeep, 3, 0, 0}, Step{15, 2, 1975, 24}, Step{kKeep, 5, 1975, 9},
                             Step{kClear, 4, 1975, 12}, Step{19, 1, 5150, 8}}) {
        if (step.paletteRow == kClear)
            list1->clearSelection();
        else if (step.paletteRow != kKeep)
            list1->item(step.paletteRow)->setSelected(true);
        slider1->setValue(step.slider);
        rig.progress.calls.clear();
        const auto written = runAndReadChoices(over, rig.out);
        if (step.paletteNumber == 0) {
            EXPECT_TRUE(written.empty());
            EXPECT_TRUE(rig.progress.calls.empty());
            EXPECT_FALSE(over.window.paluse);
            EXPECT_FALSE(over.window.newpica);
        } else {
            ASSERT_TRUE(over.window.paluse && over.window.newpica);
            EXPECT_EQ(over.window.paluse->paletteNumber(), step.paletteNumber);
            EXPECT_EQ(over.window.newpica->attributes(), step.attributes);
            EXPECT_EQ(written, (std::vector<std::pair<std::int32_t, std::uint32_t>>(
                                   2, {step.paletteNumber, step.attributes})));
        }
    }
    ASSERT_EQ(rig.prompts.messages.size(), 1u);
    EXPECT_NE(rig.prompts.messages[0].find("palette"), std::string::npos);
}

TEST(Bmp2PbmpWindow, CaptionsNameEachFileAndAnOutputInTheSourceFolderReplacesItsSource) {
    test::ConverterRig rig;
    for (const char* name : {"a.bmp", "B.bmp", "c.bmp"})
        writeFile(rig.in / name, filebuilders::makeBmp(filebuilders::BmpFields{}));
    const Bytes source = readFile(rig.in / "a.bmp");
    WindowOverRig over(rig);
    control<QListWidget>(over.window, "List1")->item(0)->setSelected(true);
    over.files()->item(0)->setSelected(true);
    over.files()->item(1)->setSelected(true);
    over.start()->click();
    std::vector<std::string> captions;
    for (const std::string& call : rig.progress.calls)
        if (call.rfind("caption ", 0) == 0)
            captions.push_back(call.substr(8));
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Progress - a.bmp", "Progress - B.bmp", "Progress"}));
    EXPECT_FALSE(rig.progress.visible);

    over.output()->setFolder(over.source()->folder());
    over.start()->click();
    EXPECT_EQ(test::folderEntries(rig.in), (std::vector<std::string>{"B.bmp", "a.bmp", "c.bmp"}));
    EXPECT_EQ(readFile(rig.in / "a.bmp"), readFile(rig.out / "a.bmp"));
    EXPECT_NE(readFile(rig.in / "a.bmp"), source);
    EXPECT_EQ(readFile(rig.in / "c.bmp"), source);
}

const BmpColourTable kEmptyColours{};

// Where the program reads PNG, the 8-bit indexed PNG files are listed and converted beside the
// bitmaps, each into a game bitmap named .bmp.
TEST(Bmp2PbmpWindow, ListsAndConvertsIndexedPngFilesBesideBitmaps) {
    const PngCodec* png = pngSupport();
    if (png == nullptr)
        GTEST_SKIP() << "this build reads no PNG files";
    test::ConverterRig rig;
    rig.context.png = png;
    const Bytes bmp = filebuilders::makeBmp(filebuilders::BmpFields{});
    writeFile(rig.in / "b.bmp", bmp);
    writeFile(rig.in / "a.png", png->encode(IndexedImageView{
                                    2, 2, 4, std::span(bmp).subspan(1078, 8), &kEmptyColours}));
    writeFile(rig.in / "c.txt", Bytes{1});
    WindowOverRig over(rig);
    EXPECT_EQ(matchingFileNames(toQString(rig.in), over.files()->pattern()),
              (QStringList{QStringLiteral("a.png"), QStringLiteral("b.bmp")}));
    over.files()->selectAll();
    control<QListWidget>(over.window, "List1")->item(0)->setSelected(true);
    over.start()->click();
    EXPECT_EQ(rig.prompts.problems, std::vector<std::string>{});
    EXPECT_EQ(test::folderEntries(rig.out), (std::vector<std::string>{"a.bmp", "b.bmp"}));
}

} // namespace
} // namespace skarde::gui
