#include "core/serial_link.h"
#include "core/shared_state.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace meter;

namespace {
std::vector<std::uint8_t> bytes(std::size_t n, std::uint8_t first = 0) {
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}
void put(CommBuffer& b, const std::vector<std::uint8_t>& v) { b.arrive(v.data(), v.size()); }
} // namespace

TEST(CommBuffer, KeepsAtMost1024BytesAndReportsOverrun) {
    CommBuffer b;
    const auto big = bytes(1000);
    EXPECT_FALSE(b.arrive(big.data(), big.size()).overrun);
    const auto more = bytes(30);
    EXPECT_TRUE(b.arrive(more.data(), more.size()).overrun);
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
    EXPECT_FALSE(b.arrive(chunk.data(), chunk.size()).receiveEventDue); // threshold 0: never
    b.clear();
    b.setRThreshold(40);
    EXPECT_FALSE(b.arrive(chunk.data(), chunk.size()).receiveEventDue);
    const std::uint8_t one = 7;
    EXPECT_TRUE(b.arrive(&one, 1).receiveEventDue);
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

TEST(SerialLink, GateAcceptsExactly40Bytes) {
    struct Case { std::size_t waiting; int event; std::int32_t count; GateResult result; int left; };
    const Case cases[] = {
        {40, comEvReceive, 0, GateResult::Accepted, 0},
        {41, comEvReceive, 0, GateResult::Discarded, 0},
        {39, comEvReceive, 0, GateResult::Discarded, 0},
        {80, comEvReceive, 0, GateResult::Discarded, 0},
        {40, comEventRxOver, 0, GateResult::Ignored, 40},
        {40, comEvReceive, 49999, GateResult::Accepted, 0},
        {40, comEvReceive, 50000, GateResult::Ignored, 40}, // full store: nothing read
    };
    for (const Case& c : cases) {
        CommBuffer b;
        put(b, bytes(c.waiting, 1));
        FrameBytes frame{};
        EXPECT_EQ(frameGate(b, c.event, c.count, frame), c.result) << c.waiting << " " << c.event;
        EXPECT_EQ(b.InBufferCount(), c.left);
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
