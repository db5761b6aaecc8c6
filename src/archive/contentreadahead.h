#pragma once

// The contents of small replaced or added members read ahead on a second thread while the
// archive is written, so that opening and reading thousands of small files overlaps with the
// writing. Each content is still taken in the archive's order, and a failure to read it is told
// when the writing reaches that member, as if it had been read then; nothing else reads a
// content that is read ahead.

#include "volrewriteplan.h"

#include "core/bytes.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace skarde {

class ContentReadAhead {
public:
    // Reads the contents of members up to `maxMemberBytes` long; none at all without a thread
    // to spare (one core).
    ContentReadAhead(const std::vector<PlannedMember>& members, std::size_t maxMemberBytes,
                     bool useThread = std::thread::hardware_concurrency() > 1);
    ~ContentReadAhead();
    ContentReadAhead(const ContentReadAhead&) = delete;
    ContentReadAhead& operator=(const ContentReadAhead&) = delete;

    // The member's bytes when they are read ahead, waiting for them if need be, or nothing when
    // the member's content is left to the caller. Throws what reading threw. Members are taken
    // in their order.
    std::optional<Bytes> take(std::size_t member);

private:
    struct ReadContent {
        Bytes bytes;
        std::exception_ptr failure;
    };

    bool isReadAhead(std::size_t member) const;
    void readInOrder();

    const std::vector<PlannedMember>& members_;
    const std::size_t maxMemberBytes_;
    const bool enabled_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ReadContent> ready_;
    std::size_t readyBytes_ = 0;
    bool stopping_ = false;
    std::thread reader_;
};

} // namespace skarde
