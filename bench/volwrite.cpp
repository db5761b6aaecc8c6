// Drives the archive writer from the command line for bench/volwrite.sh, until skardetools-cli
// has commands of its own for it.
// Usage: volwrite pack MODEL FOLDER OUT
//        volwrite add|replace ARCHIVE MEMBER FILE [OUT]

#include "archive/membercontent.h"
#include "archive/volfolderupdate.h"
#include "archive/volwriter.h"
#include "core/problem.h"

#include <iostream>
#include <string>

namespace {

using namespace skarde;

int usage() {
    std::cerr << "usage: volwrite pack MODEL FOLDER OUT\n"
                 "       volwrite add|replace ARCHIVE MEMBER FILE [OUT]\n";
    return 2;
}

void print(const VolWriteReport& report) {
    std::cout << displayPath(report.archivePath) << ": " << report.length << " bytes, "
              << report.replaced.size() << " replaced, " << report.added.size() << " added\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    try {
        if (command == "pack" && argc == 5) {
            print(packVolArchive(argv[2], folderAdditions(argv[3]), argv[4]));
        } else if ((command == "add" || command == "replace") && (argc == 5 || argc == 6)) {
            const auto content = memberFile(argv[4]);
            const VolChange change = command == "add" ? addMember(argv[3], content)
                                                      : replaceMember(argv[3], content);
            print(updateVolArchive(argv[2], {change}, argc == 6 ? argv[5] : ""));
        } else {
            return usage();
        }
    } catch (const Problem& problem) {
        std::cerr << problem.subject() << ": " << problem.what() << '\n';
        return 1;
    }
    return 0;
}
