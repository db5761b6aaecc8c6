#pragma once

// Extracting the selected stored members of an archive into a folder, recreating the folders
// their names carry, optionally turning game bitmaps into Windows bitmaps on the way. The caller
// keeps the selection and the folders; this keeps the loop.

#include "voldirectory.h"
#include "volmember.h"

#include "core/convertercontext.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

namespace skarde {

struct ExtractionRequest {
    // One flag per stored row (row r of VolDirectory::storedRows); missing rows are unselected.
    std::vector<bool> selectedRows;
    std::filesystem::path outputFolder;
    // The "PBMP -> BMP" box: members whose name ends in "bmp" are converted.
    bool convertBitmaps = false;
    // With convertBitmaps: a member that is a Windows bitmap already is written as it is. The
    // window refuses it as not a game bitmap; the command line keeps it.
    bool keepWindowsBitmaps = false;
    // A member whose file exists already is left alone and counted as skipped (the command
    // line's --no-clobber); the window replaces it.
    bool keepExistingFiles = false;
};

struct ExtractionHooks {
    // Before a selected row is handled (the command line names the member in its messages).
    std::function<void(std::size_t row)> rowStarting;
    // After a selected row is handled, whatever came of it (the extractor deselects the row).
    std::function<void(std::size_t row)> rowHandled;
    // A member written as it is because it is a Windows bitmap already (keepWindowsBitmaps).
    std::function<void(std::size_t row)> keptAsWindowsBitmap;
    // A member left out because its file exists (keepExistingFiles).
    std::function<void(std::size_t row, const std::filesystem::path& file)> existingFileKept;
};

struct ExtractionSummary {
    int selected = 0;
    int extracted = 0; // written (and converted, where asked) under the member's name
    int failed = 0;    // refused or not written; each was reported
    int skipped = 0;   // left out because their file exists (keepExistingFiles)
};

// Drives the progress: shown, the files bar from 0 to the number of selected rows with
// its position set after every row, the caption "Progress - " and the member's name, then
// "Progress" and hidden. A member that cannot be extracted is reported by name and the run
// goes on. Members that are not converted are copied a buffer at a time, so their size is
// bounded only by the archive format; `transfer` is for tests.
ExtractionSummary ExtractSelectedMembers(ConverterContext& context, const VolDirectory& directory,
                                         const ExtractionRequest& request,
                                         const ExtractionHooks& hooks = {},
                                         const MemberTransfer& transfer = {});

} // namespace skarde
