#pragma once

// Small copied members read and queued for writing ahead of their turn, so that a second core
// writes files while the extraction prepares the next ones. Each member is still finished, and
// any failure told, in its own turn; a member the queue cannot take as it is (one to convert,
// one too large for one piece, one whose name or data is refused, one whose file exists when
// existing files are kept, one whose file or folder
// would meet a file still queued) stops the queueing until its turn has come and gone, so
// members are placed and folders made in directory order as before.

#include "voldirectory.h"
#include "volmember.h"

#include "core/filewritequeue.h"
#include "core/textset.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace skarde {

class MemberWriteAhead {
public:
    struct Rows {
        std::function<bool(std::size_t row)> isSelected;
        bool convertBitmaps = false;    // members named "bmp" are converted in their turn
        bool keepExistingFiles = false; // a member whose file exists is left out in its turn
    };

    MemberWriteAhead(VolArchive& archive, const VolDirectory& directory, MemberFolders& folders,
                     const MemberTransfer& transfer, Rows rows);

    // Queues selected rows from the first one not yet queued, while the queue has room.
    void queueAhead();
    // True when the row is next in the queue; finishHeldRow() then waits for its file and throws
    // what its write threw.
    bool holds(std::size_t row) const;
    void finishHeldRow();
    // The row that stopped the queueing was handled in its turn; queueing goes on after it.
    void handledInTurn(std::size_t row);

private:
    struct QueuedRow {
        std::size_t row = 0;
        std::string pathKey; // the member's path in one letter case, parts joined by "\"
    };

    bool tryToQueue(std::size_t row);
    bool meetsAQueuedFile(const std::string& pathKey) const;

    VolArchive& archive_;
    const VolDirectory& directory_;
    MemberFolders& folders_;
    const MemberTransfer& transfer_;
    Rows rows_;
    const FileWriteSteps diskSteps_;
    FileWriteQueue queue_;
    std::deque<QueuedRow> queued_;
    TextSet queuedKeys_;      // the path keys of queued_, to look up folders and files alike
    std::size_t nextRow_ = 0; // the first row not yet queued nor handled
    bool stopped_ = false;    // nextRow_ waits for its turn
};

} // namespace skarde
