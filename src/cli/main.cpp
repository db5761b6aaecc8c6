// skardetools-cli: the converters of SkardeTools for scripts and batch jobs.

#include "clicommand.h"
#include "converters/palsfolder.h"
#include "core/guardedstep.h"
#include "invocation.h"
#include "programversion.h"
#include "standardstreams.h"

#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace skarde::cli;

void printHelp(std::ostream& out) {
    out << "Usage: skardetools-cli COMMAND [OPTIONS] FILE...\n"
           "       skardetools-cli help [COMMAND]\n"
           "       skardetools-cli --version\n\n"
           "Converts the game's files as the SkardeTools windows do. Messages about a file go\n"
           "to standard error, prefixed with its path; closing counts go to standard output.\n"
           "Exit status: 0 when every file was handled, 1 when any was refused or failed\n"
           "or the output could not be written, 2 for a mistake in the command line (then\n"
           "nothing is written).\n"
           "The output folder OUTDIR is created, with its parents, when it does not exist.\n"
           "Palettes come from the folder given with --pals, else from pals beside this\n"
           "program, else from ../share/skardetools/pals beside it.\n"
           "--version prints the program's version; COMMAND --help or help COMMAND prints\n"
           "that command's help. On a terminal, runs over a second show their progress.\n"
           "See also man skardetools-cli.\n\nCommands:\n";
    for (const CliCommand& command : allCommands())
        out << "  " << command.help << '\n';
}

const CliCommand* findCommand(const std::string& name) {
    for (const CliCommand& command : allCommands())
        if (command.name == name)
            return &command;
    return nullptr;
}

void printCommandHelp(const CliCommand& command) {
    std::cout << "Usage: skardetools-cli " << command.help;
}

int runCommand(const CliCommand& command, std::span<const std::string> rest, const char* argv0) {
    for (const std::string& argument : rest) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            printCommandHelp(command);
            return kExitSuccess;
        }
    }
    try {
        return command.run(rest,
                           CommandEnvironment{skarde::findPalsFolder(executableFolder(argv0))});
    } catch (const UsageError& error) {
        std::cerr << "skardetools-cli " << command.name << ": " << error.what() << '\n';
        return kExitUsage;
    } catch (const CommandFailure& error) {
        std::cerr << "skardetools-cli " << command.name << ": " << error.what() << '\n';
        return kExitSomeFailed;
    } catch (const std::exception& error) {
        // Each file has its own boundary; this one only keeps a fault outside them from
        // ending the program without a word.
        std::cerr << "skardetools-cli " << command.name << ": " << skarde::escapedFailureText(error)
                  << '\n';
        return kExitSomeFailed;
    }
}

// "help" alone or "help COMMAND".
int runHelp(std::span<const std::string> rest) {
    if (rest.empty()) {
        printHelp(std::cout);
        return kExitSuccess;
    }
    const CliCommand* command = rest.size() == 1 ? findCommand(rest[0]) : nullptr;
    if (!command) {
        std::cerr << "skardetools-cli help: "
                  << (rest.size() == 1 ? "unknown command " + rest[0] : "help takes one command")
                  << "; see skardetools-cli --help\n";
        return kExitUsage;
    }
    printCommandHelp(*command);
    return kExitSuccess;
}

int runProgram(const std::vector<std::string>& arguments, const char* argv0) {
    if (arguments.empty()) {
        std::cerr << "skardetools-cli: no command given; see skardetools-cli --help\n";
        return kExitUsage;
    }
    const std::span<const std::string> rest = std::span(arguments).subspan(1);
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help")
        return runHelp(rest);
    if (arguments[0] == "--version") {
        if (!rest.empty()) {
            std::cerr << "skardetools-cli: --version takes no other argument\n";
            return kExitUsage;
        }
        std::cout << "skardetools-cli " << skarde::kVersionText << '\n';
        return kExitSuccess;
    }
    const CliCommand* command = findCommand(arguments[0]);
    if (!command) {
        std::cerr << "skardetools-cli: unknown command " << arguments[0]
                  << "; see skardetools-cli --help\n";
        return kExitUsage;
    }
    return runCommand(*command, rest, argv0);
}

} // namespace

int main(int argc, char** argv) {
    endQuietlyOnBrokenPipe();
    const int status = runProgram(utf8Arguments(argc, argv), argv[0]);
    return exitStatusAfterFlush(status);
}
