// Writes the sample game files and the palettes they name.
// Usage: makesamples SAMPLES_FOLDER PALS_FOLDER

#include "samplefiles.h"

#include "core/problem.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: makesamples SAMPLES_FOLDER PALS_FOLDER\n";
        return 2;
    }
    try {
        skarde::samples::writeSamples(argv[1], argv[2]);
    } catch (const skarde::Problem& problem) {
        std::cerr << problem.subject() << ": " << problem.what() << '\n';
        return 1;
    } catch (const std::filesystem::filesystem_error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
