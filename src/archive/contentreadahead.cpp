#include "contentreadahead.h"

#include "membercontent.h"

namespace skarde {

namespace {

// Enough to keep the reader ahead of the writer, little enough to hold.
constexpr std::size_t kMaxReadyContents = 64;
constexpr std::size_t kMaxReadyBytes = std::size_t{8} << 20;

} // namespace

ContentReadAhead::ContentReadAhead(const std::vector<PlannedMember>& members,
                                   std::size_t maxMemberBytes, bool useThread)
    : members_(members), maxMemberBytes_(maxMemberBytes), enabled_(useThread) {
    if (enabled_)
        reader_ = std::thread([this] { readInOrder(); });
}

ContentReadAhead::~ContentReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (reader_.joinable())
        reader_.join();
}

bool ContentReadAhead::isReadAhead(std::size_t member) const {
    const PlannedMember& planned = members_[member];
    return enabled_ && planned.origin != MemberOrigin::Kept && planned.content &&
           planned.size >= 0 && static_cast<std::uint64_t>(planned.size) <= maxMemberBytes_;
}

std::optional<Bytes> ContentReadAhead::take(std::size_t member) {
    if (!isReadAhead(member))
        return std::nullopt;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !ready_.empty(); });
    ReadContent read = std::move(ready_.front());
    ready_.pop_front();
    readyBytes_ -= read.bytes.size();
    lock.unlock();
    changed_.notify_all();
    if (read.failure)
        std::rethrow_exception(read.failure);
    return std::move(read.bytes);
}

// The member's content read as the stream would read it: its planned size, then its end.
void ContentReadAhead::readInOrder() {
    for (std::size_t member = 0; member < members_.size(); ++member) {
        if (!isReadAhead(member))
            continue;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return stopping_ ||
                       (ready_.size() < kMaxReadyContents && readyBytes_ < kMaxReadyBytes);
            });
            if (stopping_)
                return;
        }
        ReadContent read;
        try {
            read.bytes.resize(static_cast<std::size_t>(members_[member].size));
            members_[member].content->readNext(read.bytes);
            members_[member].content->finish();
        } catch (...) {
            read.bytes = {};
            read.failure = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            readyBytes_ += read.bytes.size();
            ready_.push_back(std::move(read));
        }
        changed_.notify_all();
    }
}

} // namespace skarde
