#include "core/serial_link.h"
#include "core/shared_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <vector>

using namespace meter;

namespace {
std::vector<std::uint8_t> bytes(std::size_t n, std::uint8_t first = 0) {
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}
using Steady = CommBuffer::Clock;
using std::chrono::milliseconds;
const Steady::time_point t0{};
void put(CommBuffer& b, const std::vector<std::uint8_t>& v, Steady::time_point at = t0) {
    b.arrive(v.data(), v.size(), at);
}
} // namespace

TEST(CommBuffer, KeepsAtMost1024BytesAndReportsOverrun) {
    CommBuffer b;
    const auto big = bytes(1000);
    EXPECT_FALSE(b.arrive(big.data(), big.size(), t0).overrun);
    const auto more = bytes(30);
    EXPECT_TRUE(b.arrive(more.data(), more.size(), t0).overrun);
    EXPECT_EQ(b.InBufferCount(), 1024);
    const auto taken = b.take();
    ASSERT_EQ(taken.size(), 1024u);
    EXPECT_EQ(taken[999], big[999]);
    EXPECT_EQ(taken[1000], more[0]);
    EXPECT_EQ(b.InBufferCount(), 0);
}

TEST(CommBuffer, ReceiveEventOnlyWhileArmedAndReached) {
    CommBuffer b;
    const auto chunk = bytes(39);
    EXPECT_FALSE(b.arrive(chunk.data(), chunk.size(), t0).receiveEventDue); // threshold 0: never
    b.clear();
    b.setRThreshold(40);
    EXPECT_FALSE(b.arrive(chunk.data(), chunk.size(), t0).receiveEventDue);
    const std::uint8_t one = 7;
    EXPECT_TRUE(b.arrive(&one, 1, t0).receiveEventDue);
}

TEST(CommBuffer, RemembersTheLongestSilenceBetweenWaitingBytes) {
    CommBuffer b;
    put(b, bytes(10), t0);
    put(b, bytes(10), t0 + milliseconds(4));
    put(b, bytes(10), t0 + milliseconds(34));
    put(b, bytes(10), t0 + milliseconds(36));
    EXPECT_EQ(b.longestGap(), milliseconds(30));
    b.clear();
    EXPECT_EQ(b.longestGap(), Steady::duration::zero());
    put(b, bytes(1), t0 + milliseconds(500)); // the silence before the first waiting byte does not count
    EXPECT_EQ(b.longestGap(), Steady::duration::zero());
    put(b, bytes(1), t0 + milliseconds(560));
    b.take();
    EXPECT_EQ(b.longestGap(), Steady::duration::zero());
    put(b, bytes(1024), t0 + milliseconds(600));
    put(b, bytes(1), t0 + milliseconds(700)); // lost: no byte of it waits
    EXPECT_EQ(b.longestGap(), Steady::duration::zero());
}

TEST(SerialLink, SyncEndsOnFirstTickThatFindsTheBufferEmpty) {
    CommBuffer b;
    put(b, bytes(5));
    EXPECT_FALSE(syncTick(b));
    EXPECT_EQ(b.InBufferCount(), 0);
    EXPECT_EQ(b.RThreshold(), 0);
    EXPECT_TRUE(syncTick(b));
    EXPECT_EQ(b.RThreshold(), 40);
}

TEST(SerialLink, GateAcceptsExactly40BytesThatCameWithoutAPause) {
    // The first byte waits alone; the others follow after `gapMs`.
    struct Case {
        std::size_t waiting;
        int gapMs;
        int event;
        std::int32_t count;
        GateResult result;
        int left;
    };
    const Case cases[] = {
        {40, 0, comEvReceive, 0, GateResult::Accepted, 0},
        {40, frameGapMs - 1, comEvReceive, 0, GateResult::Accepted, 0},
        {41, 0, comEvReceive, 0, GateResult::Discarded, 0},
        {39, 0, comEvReceive, 0, GateResult::Discarded, 0},
        {80, 0, comEvReceive, 0, GateResult::Discarded, 0},
        // A stray byte before 39 bytes of a frame, or the rest of a broken one.
        {40, frameGapMs, comEvReceive, 0, GateResult::Misaligned, 0},
        {41, 120, comEvReceive, 0, GateResult::Misaligned, 0},
        {40, 0, comEventRxOver, 0, GateResult::Ignored, 40},
        {40, 120, comEventRxOver, 0, GateResult::Ignored, 40},
        {40, 0, comEvReceive, 49999, GateResult::Accepted, 0},
        {40, 0, comEvReceive, 50000, GateResult::Ignored, 40}, // full store: nothing read
        {40, 120, comEvReceive, 50000, GateResult::Ignored, 40},
    };
    for (const Case& c : cases) {
        CommBuffer b;
        const auto data = bytes(c.waiting, 1);
        b.arrive(data.data(), 1, t0);
        b.arrive(data.data() + 1, data.size() - 1, t0 + milliseconds(c.gapMs));
        FrameBytes frame{};
        EXPECT_EQ(frameGate(b, c.event, c.count, frame), c.result) << c.waiting << " " << c.gapMs << " " << c.event;
        EXPECT_EQ(b.InBufferCount(), c.left);
        EXPECT_EQ(b.longestGap(), c.left ? milliseconds(c.gapMs) : Steady::duration::zero());
        if (c.result == GateResult::Accepted) {
            EXPECT_EQ(frame[0], 1);
            EXPECT_EQ(frame[39], 40);
        }
    }
}

TEST(SharedState, StartValuesAndEmptyStore) {
    auto s = std::make_unique<SharedState>();
    s->liveRecords[50000].no = 5;
    s->liveRecords[1].velocity = 3;
    initSharedState(*s);
    EXPECT_EQ(s->liveRecordCount, 0);
    EXPECT_EQ(s->liveRecords[50000].no, 0);
    EXPECT_EQ(s->liveRecords[1].velocity, 0);
    EXPECT_TRUE(s->liveRecords[1].dateText.empty());
    EXPECT_EQ(s->liveRecords[1].timeText, TimeOfDay{});
    EXPECT_EQ(unitText(s->liveRecords[1].velocityUnit), "");
    EXPECT_EQ(s->maxVelocity, -90000);
    EXPECT_EQ(s->minVelocity, 90000);
    EXPECT_EQ(s->maxTemperature, -9000);
    EXPECT_EQ(s->minTemperature, 9000);
    EXPECT_EQ(s->maxFlow, -90000);
    EXPECT_EQ(s->minFlow, 900000);
    EXPECT_EQ(s->maxArea, -900000);
    EXPECT_EQ(s->minArea, 900000);
    EXPECT_EQ(s->graphRange, 6000.0);
    EXPECT_TRUE(s->showVelocity && s->showTemperature && s->showFlow && s->showArea);
    EXPECT_FALSE(s->historyView);
}

TEST(SharedState, RecordTextsStayInsideTheRecord) {
    LiveRecord r;
    r.dateText.assign("10-12-2026-and-more");
    EXPECT_EQ(r.dateText.view(), "10-12-2026"); // cut at its capacity, never overrun
    EXPECT_LE(sizeof(LiveRecord), 120u);
    EXPECT_LE(sizeof(FileRecord), 64u);
}
