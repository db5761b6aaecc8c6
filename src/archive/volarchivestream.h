#pragma once

// A planned archive turned into bytes, one buffer at a time, in file order: the header, each
// member's data block at its place (gaps filled with zeros), then the directory. Kept members'
// data blocks are copied from the old archive; replaced and added members' bytes are taken from
// their content and fingerprinted on the way, for the check after writing.

#include "volarchive.h"
#include "volrewriteplan.h"

#include "core/bytedigest.h"
#include "core/bytes.h"
#include "core/fileio.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skarde {

class VolArchiveStream {
public:
    // `source` is the archive the kept members come from; both it and the plan must outlive the
    // stream.
    VolArchiveStream(VolArchive& source, VolRewritePlan& plan, std::size_t bufferBytes);

    // The next bytes of the archive, at its end a piece at its end. Bytes stay valid until the
    // next call; a large range of the old archive comes as that range, to be copied as it is.
    // Throws Problem naming the source archive or a member's content when either cannot be read.
    FilePiece next();

    std::int64_t written() const { return position_; }
    // Fingerprint of the bytes taken for member i (replaced or added members only).
    std::uint64_t contentDigest(std::size_t member) const { return digests_[member].value(); }

private:
    struct Piece {
        enum class Kind { Zeros, Literal, OldArchive, Content } kind = Kind::Zeros;
        std::span<const std::uint8_t> literal;
        std::int64_t sourceOffset = 0;
        std::int64_t length = 0;
    };

    void queueNextPart();
    bool startsLargeRange() const;
    FilePiece takeOldArchiveRange();
    std::size_t fill(std::span<std::uint8_t> into);

    VolArchive& source_;
    VolRewritePlan& plan_;
    Bytes buffer_;
    std::vector<ByteDigest> digests_;
    std::vector<Piece> queue_; // the pieces of the current part, in reverse order
    std::size_t nextMember_ = 0;
    std::size_t currentMember_ = 0;
    bool headerQueued_ = false;
    bool directoryQueued_ = false;
    std::int64_t position_ = 0;
    std::int64_t pieceDone_ = 0;
};

} // namespace skarde
