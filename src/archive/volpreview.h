#pragma once

// The image preview's conversion of one stored member into a Windows bitmap to show. It happens
// in memory: no file is written for it, so no file of the user's is ever replaced or deleted.

#include "volformat.h"

#include "core/bytes.h"
#include "core/convertercontext.h"

#include <filesystem>
#include <optional>

namespace skarde {

// Creates the folders the member's name carries under the output folder, as the extraction
// does; a failure to create them is not reported, as nothing is being extracted. A member whose
// name ends in "bmp" is then read (the archive open for that read only) and converted, and the
// converted bitmap's bytes are returned. Nothing is returned for any other member, for a member
// the conversion refused (it said so), or for one that could not be read (reported by name).
std::optional<Bytes> ConvertMemberForPreview(ConverterContext& context,
                                             const std::filesystem::path& archivePath,
                                             const VolEntry& entry,
                                             const std::filesystem::path& outputFolder);

} // namespace skarde
