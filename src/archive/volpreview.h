#pragma once

// The image preview's conversion of one stored member into a Windows bitmap to show. The
// scratch files live in a folder of the caller's (a private temporary folder of the program),
// never in the user's output folder, so no file of the user's is ever replaced or deleted.

#include "volformat.h"

#include "core/bytes.h"
#include "core/convertercontext.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace skarde {

// The raw member and the converted bitmap, in the scratch folder.
inline constexpr std::string_view kPreviewMemberScratchName = "temp1.bmp";
inline constexpr std::string_view kPreviewBitmapScratchName = "temp2.bmp";

// Creates the folders the member's name carries under the output folder, as the extraction
// does; a failure to create them is not reported, as nothing is being extracted. A member whose
// name ends in "bmp" is then read (the archive open for that read only) and converted through
// the scratch folder, and the converted bitmap's bytes are returned. Nothing is
// returned for any other member, for a member the conversion refused (it said so), or for one
// that could not be read (reported by name). Both scratch files are gone when it returns,
// whatever happened.
std::optional<Bytes> ConvertMemberForPreview(ConverterContext& context,
                                             const std::filesystem::path& archivePath,
                                             const VolEntry& entry,
                                             const std::filesystem::path& outputFolder,
                                             const std::filesystem::path& scratchFolder);

} // namespace skarde
