// The VOL extractor window over an archive of 30,000 stored members, on Qt's offscreen platform:
//   LoadArchiveIntoLists      picking the archive until both lists are filled  (target < 500 ms)
//   MarkAllMembers            "Mark All Files" over them                       (target < 200 ms)
//   PreviewMember/zoom        a 640 x 480 member, from the key release in List1 until the
//                             picture is painted, at zoom 1 to 4                 (target < 30 ms)
//   ExtractAll/window         START with every member marked, the real progress window
//   ExtractAll/cli            skardetools-cli vol extract of the same members
//                             (target: the window within 1.2 x the command line)
// Archives and outputs live in memory (/dev/shm) where there is such a folder, so that the
// figures compare the programs rather than the disk; SKARDE_BENCH_DIR names another folder.

#include "app/prompts/progresswindow.h"
#include "fixtures/palfixture.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"
#include "testsupport/volbuilder.h"
#include "tools/imagepreviewwindow.h"
#include "tools/volextractwindow.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace skarde;
using skarde::gui::VolExtractWindow;

constexpr int kMembers = 30000;

class QuietPrompts : public UserPrompts {
public:
    void showMessage(std::string_view, MessageKind) override { ++said; }
    void reportProblem(std::string_view, std::string_view) override { ++said; }
    bool askYesNo(std::string_view) override { return false; }
    std::string ChooseWorldPalette() override { return "grey"; }
    int said = 0;
};

fs::path benchFolder() {
    if (const char* chosen = std::getenv("SKARDE_BENCH_DIR"))
        return chosen;
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

// Archives written once: 30,000 small members in 100 folders, and two 640 x 480 game bitmaps.
struct Archives {
    test::TempFolder root{benchFolder()};
    fs::path pals = root / "pals";
    fs::path many = root / "many.vol";
    fs::path pictures = root / "pictures.vol";

    Archives() {
        fs::create_directories(pals);
        test::writeGreyPal(pals);
        filebuilders::VolFields fields;
        for (int i = 0; i < kMembers; ++i) {
            filebuilders::VolMemberFields member;
            member.name =
                "folder" + std::to_string(i % 100) + "\\member" + std::to_string(i) + ".txt";
            member.data = Bytes(100 + i % 50, static_cast<std::uint8_t>(i));
            fields.members.push_back(std::move(member));
        }
        filebuilders::writeVol(many, fields);
        filebuilders::VolFields bitmaps;
        for (int seed = 0; seed < 2; ++seed) {
            filebuilders::PbmpFields pbmp;
            pbmp.width = 640;
            pbmp.height = 480;
            pbmp.rows = filebuilders::patternRows(640, 480, static_cast<std::uint8_t>(seed));
            filebuilders::VolMemberFields member;
            member.name = "textures\\picture" + std::to_string(seed) + ".bmp";
            member.data = filebuilders::makePbmp(pbmp);
            bitmaps.members.push_back(std::move(member));
        }
        filebuilders::writeVol(pictures, bitmaps);
    }
};

Archives& archives() {
    static Archives written;
    return written;
}

// The window inside an MDI area, as the main window holds it, with the real progress window,
// its members ready and the "Mark All Files" box unticked.
struct Extractor {
    gui::ProgressWindow progress;
    QuietPrompts prompts;
    ConverterContext context{progress, prompts, archives().pals};
    test::TempFolder out{benchFolder()};
    QMdiArea area;
    VolExtractWindow* window = new VolExtractWindow(context);

    explicit Extractor(const fs::path& archive) {
        area.resize(1280, 900);
        area.addSubWindow(window)->show();
        area.show();
        window->findChild<gui::FolderList*>(QStringLiteral("Dir2"))
            ->setFolder(gui::toQString(out.path()));
        window->LoadVolDirectory(archive);
        QApplication::processEvents();
    }
    template <typename Control> Control* get(const char* name) {
        return window->findChild<Control*>(QString::fromLatin1(name));
    }
    void emptyOutput() {
        for (const auto& entry : fs::directory_iterator(out.path()))
            fs::remove_all(entry.path());
    }
};

void LoadArchiveIntoLists(benchmark::State& state) {
    Extractor extractor(archives().pictures);
    for (auto _ : state) {
        extractor.window->LoadVolDirectory(archives().many);
        QApplication::processEvents();
    }
    if (extractor.get<QListWidget>("List1")->count() != kMembers)
        state.SkipWithError("the archive did not load");
}

void MarkAllMembers(benchmark::State& state) {
    Extractor extractor(archives().many);
    auto* markAll = extractor.get<QCheckBox>("Check1");
    for (auto _ : state) {
        markAll->click();
        QApplication::processEvents();
        state.PauseTiming();
        markAll->setChecked(false);
        state.ResumeTiming();
    }
}

void PreviewMember(benchmark::State& state) {
    Extractor extractor(archives().pictures);
    extractor.get<QPushButton>("Command1")->click();
    const int zoom = static_cast<int>(state.range(0));
    if (zoom > 1)
        extractor.get<QPushButton>(("Command" + std::to_string(zoom)).c_str())->click();
    auto* list = extractor.get<QListWidget>("List1");
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        row = 1 - row;
        list->setCurrentRow(row);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
        QApplication::sendEvent(list, &press);
        QApplication::processEvents();
        state.ResumeTiming();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(list, &release);
        extractor.window->previewWindow()->repaint();
    }
    if (extractor.window->previewWindow()->size() != QSize(640 * zoom, 480 * zoom))
        state.SkipWithError("the picture was not shown");
}

void ExtractAllFromWindow(benchmark::State& state) {
    Extractor extractor(archives().many);
    for (auto _ : state) {
        state.PauseTiming();
        extractor.emptyOutput();
        extractor.get<QListWidget>("List1")->selectAll();
        state.ResumeTiming();
        extractor.get<QPushButton>("cmdconvert")->click();
    }
    if (extractor.prompts.said != 0)
        state.SkipWithError("the extraction reported problems");
}

void ExtractAllWithCli(benchmark::State& state) {
    test::TempFolder out{benchFolder()};
    const std::string command = std::string(SKARDE_CLI) + " vol extract -o '" +
                                out.path().string() + "' '" + archives().many.string() +
                                "' >/dev/null 2>&1";
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& entry : fs::directory_iterator(out.path()))
            fs::remove_all(entry.path());
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("skardetools-cli failed");
    }
}

} // namespace

BENCHMARK(LoadArchiveIntoLists)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(MarkAllMembers)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(PreviewMember)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ExtractAllFromWindow)
    ->Name("ExtractAll/window")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(ExtractAllWithCli)
    ->Name("ExtractAll/cli")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
