#include "volarchivestream.h"

#include <algorithm>

namespace skarde {

VolArchiveStream::VolArchiveStream(VolArchive& source, VolRewritePlan& plan,
                                   std::size_t bufferBytes)
    : source_(source), plan_(plan), buffer_(std::max<std::size_t>(bufferBytes, 64)),
      digests_(plan.members.size()) {}

// One member at a time, so that the queue never grows with the archive.
void VolArchiveStream::queueNextPart() {
    if (!headerQueued_) {
        headerQueued_ = true;
        queue_.push_back({Piece::Kind::Literal, plan_.fileHeader, 0,
                          static_cast<std::int64_t>(plan_.fileHeader.size())});
        return;
    }
    if (nextMember_ < plan_.members.size()) {
        currentMember_ = nextMember_++;
        const PlannedMember& member = plan_.members[currentMember_];
        // Pushed last piece first: the queue is taken from its back.
        if (member.origin == MemberOrigin::Kept) {
            queue_.push_back({Piece::Kind::OldArchive,
                              {},
                              member.sourceDataOffset,
                              static_cast<std::int64_t>(kVolBlockHeaderSize) + member.size});
        } else {
            queue_.push_back({Piece::Kind::Content, {}, 0, member.size});
            queue_.push_back({Piece::Kind::Literal, member.dataHeader, 0,
                              static_cast<std::int64_t>(kVolBlockHeaderSize)});
        }
        queue_.push_back({Piece::Kind::Zeros, {}, 0, member.dataOffset - position_});
        return;
    }
    if (!directoryQueued_) {
        directoryQueued_ = true;
        queue_.push_back({Piece::Kind::Literal, plan_.directory, 0,
                          static_cast<std::int64_t>(plan_.directory.size())});
        queue_.push_back({Piece::Kind::Zeros, {}, 0, plan_.directoryPosition - position_});
    }
}

std::size_t VolArchiveStream::fill(std::span<std::uint8_t> into) {
    Piece& piece = queue_.back();
    const auto count = static_cast<std::size_t>(
        std::min<std::int64_t>(piece.length - pieceDone_, static_cast<std::int64_t>(into.size())));
    const std::span<std::uint8_t> part = into.first(count);
    switch (piece.kind) {
    case Piece::Kind::Zeros:
        std::fill(part.begin(), part.end(), std::uint8_t{0});
        break;
    case Piece::Kind::Literal:
        std::copy_n(piece.literal.begin() + pieceDone_, count, part.begin());
        break;
    case Piece::Kind::OldArchive:
        source_.read(piece.sourceOffset + pieceDone_, part);
        break;
    case Piece::Kind::Content: {
        MemberContent& content = *plan_.members[currentMember_].content;
        content.readNext(part);
        digests_[currentMember_].add(part);
        break;
    }
    }
    pieceDone_ += static_cast<std::int64_t>(count);
    position_ += static_cast<std::int64_t>(count);
    if (pieceDone_ == piece.length) {
        if (piece.kind == Piece::Kind::Content)
            plan_.members[currentMember_].content->finish();
        queue_.pop_back();
        pieceDone_ = 0;
    }
    return count;
}

bool VolArchiveStream::startsLargeRange() const {
    const Piece& piece = queue_.back();
    const bool large = piece.kind == Piece::Kind::OldArchive || piece.kind == Piece::Kind::Content;
    return large && piece.length - pieceDone_ >= static_cast<std::int64_t>(buffer_.size());
}

// Handed on in slices, so that progress moves while a large member is copied.
FilePiece VolArchiveStream::takeOldArchiveRange() {
    constexpr std::int64_t kSliceBytes = std::int64_t{64} << 20;
    Piece& piece = queue_.back();
    const std::int64_t count = std::min(piece.length - pieceDone_, kSliceBytes);
    FilePiece range{{}, source_.descriptor(), piece.sourceOffset + pieceDone_, count};
    pieceDone_ += count;
    position_ += count;
    if (pieceDone_ == piece.length) {
        queue_.pop_back();
        pieceDone_ = 0;
    }
    return range;
}

FilePiece VolArchiveStream::next() {
    std::size_t used = 0;
    while (used < buffer_.size()) {
        if (queue_.empty())
            queueNextPart();
        if (queue_.empty())
            break;
        // A large member starts a buffer of its own: read in whole buffers straight from the
        // disk rather than in odd sizes through the archive's read window, or, for a kept one,
        // copied by the system without passing through here at all.
        if (startsLargeRange()) {
            if (used > 0)
                break;
            if (queue_.back().kind == Piece::Kind::OldArchive && source_.descriptor() >= 0)
                return takeOldArchiveRange();
        }
        used += fill(std::span(buffer_).subspan(used));
    }
    return FilePiece{{buffer_.data(), used}};
}

} // namespace skarde
