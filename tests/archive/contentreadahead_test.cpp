#include "archive/contentreadahead.h"
#include "archive/membercontent.h"

#include "core/problem.h"

#include <gtest/gtest.h>

namespace skarde {
namespace {

// A content whose reading fails, as a file that shrank since the archive was planned does.
struct ShrunkContent : MemberContent {
    std::string subject() const override { return "shrunk.txt"; }
    std::uint64_t size() const override { return 4; }
    void readNext(std::span<std::uint8_t>) override {
        throw Problem("shrunk.txt", "The file is shorter than it was.");
    }
    void finish() override {}
};

PlannedMember added(std::shared_ptr<MemberContent> content, std::int64_t size) {
    PlannedMember member;
    member.origin = MemberOrigin::Added;
    member.size = size;
    member.content = std::move(content);
    return member;
}

// Small contents come in the members' order, each failure at its own member; kept members and
// contents too large to hold are left to the caller, who reads them in turn.
TEST(ContentReadAhead, GivesEachSmallContentInTurnWithItsOwnFailure) {
    for (const bool useThread : {true, false}) {
        std::vector<PlannedMember> members;
        for (int i = 0; i < 100; ++i) {
            const Bytes bytes(static_cast<std::size_t>(i % 7), static_cast<std::uint8_t>(i));
            members.push_back(i == 40   ? added(std::make_shared<ShrunkContent>(), 4)
                              : i == 41 ? added(memberBytes("big", Bytes(100, 1)), 100)
                                        : added(memberBytes("m" + std::to_string(i), bytes),
                                                static_cast<std::int64_t>(bytes.size())));
        }
        members[50].origin = MemberOrigin::Kept;
        ContentReadAhead readAhead(members, 64, useThread);
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (i == 40 && useThread) {
                EXPECT_THROW(readAhead.take(i), Problem);
                continue;
            }
            const std::optional<Bytes> bytes = readAhead.take(i);
            if (!useThread || i == 40 || i == 41 || i == 50) {
                EXPECT_FALSE(bytes) << i;
                continue;
            }
            ASSERT_TRUE(bytes) << i;
            EXPECT_EQ(*bytes, Bytes(i % 7, static_cast<std::uint8_t>(i))) << i;
        }
    }
}

// A write abandoned half-way stops the reader, however much is left to read.
TEST(ContentReadAhead, StopsWhenTheWritingIsAbandoned) {
    std::vector<PlannedMember> members;
    for (int i = 0; i < 1000; ++i)
        members.push_back(added(memberBytes("m", Bytes(10, 1)), 10));
    ContentReadAhead readAhead(members, 64, true);
    EXPECT_TRUE(readAhead.take(0));
} // leaving the scope must join the reader, not hang

} // namespace
} // namespace skarde
