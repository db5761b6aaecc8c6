// Times a run of the PBMP -> BMP window against `skardetools-cli pbmp2bmp` on the same game
// bitmaps, and prints both times and their ratio. The window is driven by its controls' object
// names on Qt's offscreen platform (unless QT_QPA_PLATFORM names another), as a user would drive
// it: source and output folders, "Mark All Files", START. The images name a palette that needs no
// question, so no dialog opens.
//
// Usage: gui_vs_cli [FILES [REPEATS]]   (2000 images of 256 x 256, best of 5 runs each)
// The files go to a temporary folder under TMPDIR (/tmp by default).

#include "app/prompts/guiprompts.h"
#include "app/prompts/progresswindow.h"
#include "core/convertercontext.h"
#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"
#include "tools/pbmp2bmpwindow.h"
#include "widgets/folderlist.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using skarde::Bytes;

constexpr int kImageSide = 256;
// Any palette but the world palette: the shipped grey.pal stands in, without a question.
constexpr int kPaletteNumber = 500;
constexpr double kGoal = 1.2;

QString qtPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::vector<fs::path> writeImages(const fs::path& folder, int count) {
    fs::create_directories(folder);
    std::vector<fs::path> paths;
    for (int i = 0; i < count; ++i) {
        skarde::filebuilders::PbmpFields fields;
        fields.width = kImageSide;
        fields.height = kImageSide;
        fields.paletteNumber = kPaletteNumber;
        fields.rows =
            skarde::filebuilders::patternRows(kImageSide, kImageSide, static_cast<uint8_t>(i));
        char name[32];
        std::snprintf(name, sizeof name, "image%04d.bmp", i);
        paths.push_back(folder / name);
        skarde::test::writeFile(paths.back(), skarde::filebuilders::makePbmp(fields));
    }
    return paths;
}

// A fresh output folder for every run, so each run writes the same files anew. Nothing is
// deleted between runs: a file system that has just freed thousands of files allocates new ones
// markedly slower, which would time the file system rather than the programs.
fs::path freshFolder(const fs::path& root, const std::string& name, int run) {
    const fs::path folder = root / (name + "-" + std::to_string(run));
    fs::create_directories(folder);
    return folder;
}

template <typename Control> Control& control(QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("the window has no control ") + name);
    return *found;
}

double timeCli(const std::vector<fs::path>& images, const fs::path& pals, const fs::path& out) {
    QStringList arguments{QStringLiteral("pbmp2bmp"), QStringLiteral("--pals"), qtPath(pals),
                          QStringLiteral("-o"), qtPath(out)};
    for (const fs::path& image : images)
        arguments << qtPath(image);
    // Its messages are captured, not shown on a terminal, so it draws no progress of its own.
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(SKARDE_CLI), arguments);
    cli.waitForFinished(-1);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        throw std::runtime_error("skardetools-cli pbmp2bmp failed: " +
                                 cli.readAllStandardError().toStdString());
    return seconds;
}

// The window and the program's own progress window and message boxes, as start-up makes them.
struct WindowRig {
    skarde::gui::ProgressWindow progress;
    skarde::gui::GuiPrompts prompts;
    skarde::ConverterContext context;
    skarde::gui::Pbmp2BmpWindow window;
    int modalsSeen = 0;

    WindowRig(const fs::path& pals, const fs::path& in)
        : context{progress, prompts, pals}, window(context) {
        progress.show();
        progress.hide();
        window.show();
        control<skarde::gui::FolderList>(window, "Dir1").setFolder(qtPath(in));
        control<QCheckBox>(window, "Check1").setChecked(true);
    }

    double timeRun(const fs::path& out) {
        control<skarde::gui::FolderList>(window, "Dir2").setFolder(qtPath(out));
        QCoreApplication::processEvents();
        // No dialog should open; should one do so anyway, close it and fail rather than hang.
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++modalsSeen;
                modal->close();
            }
        });
        watchdog.start(1000);
        QElapsedTimer clock;
        clock.start();
        control<QPushButton>(window, "cmdconvert").click();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        if (modalsSeen > 0)
            throw std::runtime_error("the window's run opened a dialog");
        return seconds;
    }
};

// Both runs must have written the same files, or the times compare different work.
void checkSameOutput(const fs::path& a, const fs::path& b, int count) {
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(a)) {
        const fs::path other = b / entry.path().filename();
        if (!fs::exists(other) ||
            skarde::test::readFile(entry.path()) != skarde::test::readFile(other))
            throw std::runtime_error("the window and the CLI wrote different " +
                                     entry.path().filename().string());
        ++compared;
    }
    if (compared != count)
        throw std::runtime_error("expected " + std::to_string(count) + " converted files, found " +
                                 std::to_string(compared));
}

int run(int count, int repeats) {
    skarde::test::TempFolder root;
    const fs::path in = root / "in";
    const fs::path pals = SKARDE_PALS_DIR;
    std::printf("writing %d game bitmaps of %d x %d...\n", count, kImageSide, kImageSide);
    const std::vector<fs::path> images = writeImages(in, count);
    WindowRig rig(pals, in);

    std::vector<double> cliTimes;
    std::vector<double> windowTimes;
    for (int i = 1; i <= repeats; ++i) {
        const fs::path cliOut = freshFolder(root.path(), "out-cli", i);
        cliTimes.push_back(timeCli(images, pals, cliOut));
        const fs::path windowOut = freshFolder(root.path(), "out-window", i);
        windowTimes.push_back(rig.timeRun(windowOut));
        std::printf("run %d: window %.3f s, CLI %.3f s\n", i, windowTimes.back(), cliTimes.back());
        checkSameOutput(windowOut, cliOut, count);
    }

    const double cli = *std::min_element(cliTimes.begin(), cliTimes.end());
    const double window = *std::min_element(windowTimes.begin(), windowTimes.end());
    const double ratio = window / cli;
    std::printf("PBMP -> BMP, %d images of %d x %d, best of %d:\n", count, kImageSide, kImageSide,
                repeats);
    std::printf("  window %.3f s\n  CLI    %.3f s\n  ratio  %.2f x (goal: at most %.1f x) %s\n",
                window, cli, ratio, kGoal, ratio <= kGoal ? "met" : "NOT MET");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (count < 1 || repeats < 1) {
        std::fprintf(stderr, "usage: gui_vs_cli [FILES [REPEATS]]\n");
        return 2;
    }
    try {
        return run(count, repeats);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "gui_vs_cli: %s\n", failure.what());
        return 1;
    }
}
