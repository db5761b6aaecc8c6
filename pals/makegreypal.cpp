// Writes grey.pal, the fallback palette and template shipped with the program.
// Usage: makegreypal OUTPUT

#include "converters/palfile.h"
#include "core/fileio.h"
#include "core/problem.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makegreypal OUTPUT\n";
        return 2;
    }
    skarde::Bytes bytes;
    skarde::ByteWriter writer(bytes);
    skarde::writePalFile(writer, skarde::makeGreyPalette());
    try {
        skarde::writeFileWhole(argv[1], bytes);
    } catch (const skarde::Problem& problem) {
        std::cerr << problem.subject() << ": " << problem.what() << '\n';
        return 1;
    }
    return 0;
}
