#pragma once

// What one monkey run does: its seed, how long it goes on, the bounds it checks and, for the
// monkey's own tests, a fault to plant in the program.

#include <cstdint>
#include <optional>
#include <string>

namespace skarde::monkey {

struct MonkeyOptions {
    std::uint64_t seed = 1;
    long events = 1000;
    // Stops sending events after this many seconds, whatever `events` says; 0: no limit.
    double seconds = 0;
    long memoryLimitMb = 500;
    // A single event (a whole batch run included) that takes longer counts as a hang.
    int hangSeconds = 120;
    // How many of the last events a failure report shows.
    int reportedEvents = 25;
    // Empty, or one of PlantedFault's names.
    std::string plantedFault;
    // Every event on the terminal as it is sent.
    bool verbose = false;
};

// Reads "--seed N --events N --seconds S --memory-mb N --hang-seconds N --plant NAME
// --verbose"; an unknown or malformed argument gives nothing, after saying why on stderr.
std::optional<MonkeyOptions> parseMonkeyOptions(int argc, char** argv);

} // namespace skarde::monkey
