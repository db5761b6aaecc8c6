// Writes one game image of the given size, for bench/thumbnailer.sh.
// Usage: makegameimage WIDTH HEIGHT FILE

#include "fixtures/tempfolder.h"
#include "testsupport/pbmpbuilder.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: makegameimage WIDTH HEIGHT FILE\n";
        return 2;
    }
    skarde::filebuilders::PbmpFields fields;
    fields.width = std::stoi(argv[1]);
    fields.height = std::stoi(argv[2]);
    skarde::test::writeFile(argv[3], skarde::filebuilders::makePbmp(fields));
    return 0;
}
