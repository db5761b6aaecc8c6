#include "monkey.h"

#include "crashreporter.h"
#include "hangwatchdog.h"
#include "modalresponder.h"
#include "plantedfault.h"
#include "useractions.h"

#include "app/mainwindow.h"
#include "app/pictures/splashwindow.h"
#include "app/startup.h"
#include "widgets/folderlist.h"
#include "widgets/qtpaths.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>

#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer runtime; not every compiler ships the header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace skarde::monkey {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// How long a modal window may stay up after its event before it counts as left waiting: the
// About box's collapse takes a few hundred steps through the event loop.
constexpr auto kModalGrace = std::chrono::seconds(5);

bool isInside(const fs::path& path, const fs::path& folder) {
    const fs::path inside = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !inside.empty() && *inside.begin() != "..";
}

std::vector<gui::FolderList*> folderLists(const gui::MainWindow& mainWindow, const char* name) {
    std::vector<gui::FolderList*> lists;
    for (QMdiSubWindow* window : mainWindow.mdiArea().subWindowList(QMdiArea::CreationOrder))
        for (gui::FolderList* list :
             window->findChildren<gui::FolderList*>(QString::fromLatin1(name)))
            lists.push_back(list);
    return lists;
}

std::string joined(const std::vector<std::string>& lines, std::size_t most = 8) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < most; ++i)
        text += (i ? ", " : "") + lines[i];
    if (lines.size() > most)
        text += " and " + std::to_string(lines.size() - most) + " more";
    return text;
}

} // namespace

// Under AddressSanitizer the resident size holds its shadow memory and the quarantine of freed
// blocks, several times the program's own; there the heap the program holds is what counts.
long programMemoryMb() {
#ifdef __SANITIZE_ADDRESS__
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() >> 20);
#else
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024) / 1024;
#endif
}

Monkey::Monkey(const MonkeyOptions& options, fs::path treeRoot)
    : options_(options), treeRoot_(std::move(treeRoot)), random_(options.seed),
      log_(options.seed, options.reportedEvents), tree_(treeRoot_) {}

Monkey::~Monkey() = default;

gui::MainWindow& Monkey::startProgram() {
    log_.begin(0, "start the program, press Continue on the splash");
    // Every click is a click: two in a row on one spot are not taken for a double-click, which
    // would depend on how fast the machine is and break replays.
    QApplication::setDoubleClickInterval(0);
    auto* splash = startupOwner_.splashWindow();
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return *startupOwner_.mainWindow();
}

int Monkey::run() {
    CrashReporter crashes(log_);
    HangWatchdog watchdog(log_, std::chrono::seconds(options_.hangSeconds));
    startupOwner_.Main();
    mainWindow_ = &startProgram();
    ModalResponder responder(random_, [this](const std::string& text) { log_.note(text); });
    std::unique_ptr<PlantedFault> fault;
    if (const auto kind = PlantedFault::named(options_.plantedFault)) {
        fault = std::make_unique<PlantedFault>(*kind);
        qApp->installEventFilter(fault.get());
    }
    UserActions actions(*mainWindow_, random_, [this](const std::string& what) {
        log_.begin(pendingEvent_, what);
        if (options_.verbose)
            std::fprintf(stderr, "#%ld %s\n", pendingEvent_, what.c_str());
    });
    const auto started = Clock::now();
    long sent = 0;
    while (sent < options_.events) {
        const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
        if (options_.seconds > 0 && elapsed >= options_.seconds)
            break;
        if (!sendEvent(++sent, actions, responder))
            return 1;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    printSummary(sent, seconds, responder.answered());
    pendingEvent_ = sent + 1;
    log_.begin(pendingEvent_, "File > Exit");
    if (!leaveProgram()) {
        log_.printFailure("File > Exit left windows open");
        return 1;
    }
    return 0;
}

bool Monkey::sendEvent(long number, UserActions& actions, ModalResponder& responder) {
    std::vector<TreeWatch::OutputFolder> outputs = outputFolders();
    pendingEvent_ = number;
    const auto started = Clock::now();
    actions.act();
    settle();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (seconds > slowestSeconds_) {
        slowestSeconds_ = seconds;
        slowestEvent_ = "#" + std::to_string(number);
    }
    // A run writes into the output folder its window showed when START was pressed.
    for (TreeWatch::OutputFolder& folder : outputFolders())
        outputs.push_back(std::move(folder));
    const std::string broken = brokenPromise(responder, outputs);
    keepFoldersInTree();
    if (broken.empty())
        return true;
    log_.printFailure(broken.c_str());
    return false;
}

// Runs what the event left pending, and gives a modal window it opened time to be answered.
void Monkey::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    const auto deadline = Clock::now() + kModalGrace;
    while (QApplication::activeModalWidget() && Clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The VOL extractor writes members into their own folders under its output folder.
std::vector<TreeWatch::OutputFolder> Monkey::outputFolders() const {
    std::vector<TreeWatch::OutputFolder> folders;
    for (const gui::FolderList* list : folderLists(*mainWindow_, "Dir2")) {
        bool extractor = false;
        for (const QWidget* widget = list; widget; widget = widget->parentWidget())
            extractor = extractor || widget->objectName() == QLatin1String("frmvolextract");
        folders.push_back({gui::toPath(list->folder()), extractor});
    }
    return folders;
}

// A user may browse anywhere; the monkey's runs stay in its own tree. A folder list that left
// it (a drive chosen, an ancestor opened) goes back to the last folder it had in the tree
// before the next event, as a user who wandered off would, so that exploring goes on from there.
void Monkey::keepFoldersInTree() {
    static constexpr const char* kLastInTree = "monkeyLastFolderInTree";
    for (const char* name : {"Dir1", "Dir2"}) {
        for (gui::FolderList* list : folderLists(*mainWindow_, name)) {
            if (isInside(gui::toPath(list->folder()), treeRoot_)) {
                list->setProperty(kLastInTree, list->folder());
                continue;
            }
            const QString back = list->property(kLastInTree).toString();
            log_.note(std::string("(") + name + " left the tree: back to " +
                      (back.isEmpty() ? "its root" : back.toStdString()) + ")");
            list->setFolder(back.isEmpty() ? gui::toQString(treeRoot_) : back);
        }
    }
}

std::string Monkey::brokenPromise(ModalResponder& responder,
                                  const std::vector<TreeWatch::OutputFolder>& outputs) {
    if (const auto unanswerable = responder.takeUnanswerable(); !unanswerable.empty())
        return "a modal window nobody can answer: " + joined(unanswerable);
    if (QWidget* modal = QApplication::activeModalWidget())
        return "a modal window is left waiting: " + modal->windowTitle().toStdString();
    if (!mainWindow_->isVisible())
        return "the main window is gone";
    if (const auto changed = tree_.update(outputs); !changed.empty())
        return "files outside the output folders changed: " + joined(changed);
    if (const auto scratch = tree_.scratchFiles(); !scratch.empty())
        return "scratch files left behind: " + joined(scratch);
    const long memory = programMemoryMb();
    peakMemoryMb_ = std::max(peakMemoryMb_, memory);
    if (memory > options_.memoryLimitMb)
        return "memory " + std::to_string(memory) + " MB is over the bound of " +
               std::to_string(options_.memoryLimitMb) + " MB";
    return {};
}

bool Monkey::leaveProgram() {
    if (auto* exit = mainWindow_->findChild<QAction*>(QStringLiteral("mnuFileExit")))
        exit->trigger();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            return false;
    return true;
}

void Monkey::printSummary(long events, double seconds, long answered) const {
    std::fprintf(stderr,
                 "skardetools-monkey: seed %llu: %ld events in %.1f s (%.0f/s), %ld dialogs "
                 "answered, %zu entries in the tree, peak memory %ld MB, slowest event %s "
                 "(%.2f s)\n",
                 static_cast<unsigned long long>(options_.seed), events, seconds,
                 seconds > 0 ? events / seconds : 0.0, answered, tree_.entries(), peakMemoryMb_,
                 slowestEvent_.c_str(), slowestSeconds_);
}

} // namespace skarde::monkey
