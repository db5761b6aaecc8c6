#pragma once

// The check a written archive passes before it may take the destination's place: read back by
// the program's own directory reader, it must hold exactly the planned members (names, sizes,
// places, compression, none damaged) and, for every replaced or added member, the very bytes
// that were taken from its content.

#include "volarchivestream.h"
#include "volrewriteplan.h"

#include <filesystem>
#include <string>

namespace skarde {

// Throws Problem about `subject` (the destination) saying what differs.
void checkWrittenArchive(const std::filesystem::path& written, const VolRewritePlan& plan,
                         const VolArchiveStream& stream, const std::string& subject,
                         std::size_t bufferBytes);

} // namespace skarde
