#pragma once

// A seeded monkey over the whole program: starts it as a user meets it (the splash, then
// "Continue"), sends random user actions and, after each one, checks that the program is alive
// and has answered, that no file outside the output folders of the tool windows changed, that no
// scratch file lies anywhere, that no modal window is left waiting and that memory stays under
// its bound. The first broken promise ends the run with the seed, the event and the last events.

#include "app/startup.h"
#include "eventlog.h"
#include "monkeyoptions.h"
#include "treewatch.h"

#include <QString>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace skarde::gui {
class MainWindow;
}

namespace skarde::monkey {

class ModalResponder;
class UserActions;

class Monkey {
public:
    Monkey(const MonkeyOptions& options, std::filesystem::path treeRoot);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Runs the events and leaves the program by File > Exit; 0 when every check held. After a
    // failure the program is left as it failed: end the process without destroying this.
    int run();

private:
    gui::MainWindow& startProgram();
    bool sendEvent(long number, UserActions& actions, ModalResponder& responder);
    void settle();
    std::vector<TreeWatch::OutputFolder> outputFolders() const;
    void keepFoldersInTree();
    std::string brokenPromise(ModalResponder& responder,
                              const std::vector<TreeWatch::OutputFolder>& outputs);
    bool leaveProgram();
    void printSummary(long events, double seconds, long answered) const;

    MonkeyOptions options_;
    gui::Startup startupOwner_;
    long pendingEvent_ = 0;
    std::filesystem::path treeRoot_;
    std::mt19937_64 random_;
    EventLog log_;
    TreeWatch tree_;
    gui::MainWindow* mainWindow_ = nullptr;
    long peakMemoryMb_ = 0;
    double slowestSeconds_ = 0;
    std::string slowestEvent_;
};

// The memory this process uses, in MB: resident, or its heap under AddressSanitizer.
long programMemoryMb();

} // namespace skarde::monkey
