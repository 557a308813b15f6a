#include "panelink/core/message_queue.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "shared/platform/message_thread.h"

namespace panelink {
namespace {

using Buffer = std::array<char, MessageQueue::kSlotSize>;
constexpr int kSlots = MessageQueue::kSlotCount;

int push(MessageQueue& queue, const std::string& text) {
    return queue.push(static_cast<int>(text.size()), text.data());
}

// Pops one entry and returns the text up to the first NUL, as a decoder reads it.
std::string pop(MessageQueue& queue, int* length = nullptr) {
    Buffer buffer;
    buffer.fill('\x7f');
    const int result = queue.pop(buffer.data());
    if (length != nullptr) *length = result;
    return std::string(buffer.data());
}

std::string entry(int n) {
    return "E" + std::to_string(n);
}

TEST(MessageQueue, PopsInPushOrderAndAnEmptyPopReturnsAtOnce) {
    MessageQueue queue;
    EXPECT_EQ(queue.writeIndex(), -1);
    EXPECT_EQ(queue.readIndex(), -1);
    EXPECT_TRUE(queue.sameLap());
    Buffer buffer;
    buffer.fill('x');
    EXPECT_EQ(queue.pop(buffer.data()), 0);  // never pushed: nothing, not a hang
    EXPECT_EQ(buffer, Buffer{});
    EXPECT_EQ(queue.pop(nullptr), MessageQueue::kNoDestination);

    EXPECT_EQ(push(queue, "FA14250000"), 10);
    EXPECT_EQ(push(queue, "LK1"), 3);
    EXPECT_EQ(queue.writeIndex(), 1);
    EXPECT_EQ(queue.readIndex(), 0);
    int length = -1;
    EXPECT_EQ(pop(queue, &length), "FA14250000");
    EXPECT_EQ(length, 10);
    EXPECT_EQ(pop(queue, &length), "LK1");
    EXPECT_EQ(length, 3);
    EXPECT_EQ(pop(queue, &length), "");
    EXPECT_EQ(length, 0);
    EXPECT_EQ(queue.readIndex(), 2);

    push(queue, "PS;");
    EXPECT_TRUE(queue.init());
    EXPECT_EQ(queue.writeIndex(), -1);
    EXPECT_EQ(pop(queue), "");
}

TEST(MessageQueue, Accepts511BytesAndRefusesMoreWithoutDisturbingTheReader) {
    MessageQueue queue;
    const std::string longest(511, 'K');
    EXPECT_EQ(push(queue, longest), 511);
    EXPECT_EQ(push(queue, std::string(512, 'K')), 0);
    EXPECT_EQ(queue.push(-1, "x"), 0);
    EXPECT_EQ(queue.push(3, nullptr), 0);
    EXPECT_EQ(queue.writeIndex(), 0);

    EXPECT_EQ(pop(queue), longest);
    // The refused pushes were announced anyway: their pops find nothing and leave the reader
    // where it is.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pop(queue), "");
    EXPECT_EQ(queue.readIndex(), 1);
    push(queue, "ID0650");
    EXPECT_EQ(pop(queue), "ID0650");
}

TEST(MessageQueue, WrapsAroundInStepWithTheSameLapFlag) {
    MessageQueue queue;
    for (int n = 0; n < kSlots; ++n) {
        ASSERT_GT(push(queue, entry(n)), 0);
        ASSERT_EQ(pop(queue), entry(n));
    }
    // The reader wrapped right behind the writer: nothing is unread, although the read index
    // (0) is not ahead of the write index (2047) and the flag says "same lap".
    EXPECT_EQ(queue.writeIndex(), kSlots - 1);
    EXPECT_EQ(queue.readIndex(), 0);
    EXPECT_TRUE(queue.sameLap());
    EXPECT_EQ(pop(queue), "");

    push(queue, "writer wrapped");
    EXPECT_EQ(queue.writeIndex(), 0);
    EXPECT_FALSE(queue.sameLap());
    EXPECT_EQ(pop(queue), "writer wrapped");
    EXPECT_EQ(pop(queue), "");  // empty with the flag clear: still nothing
    EXPECT_EQ(queue.readIndex(), 1);

    for (int n = 1; n < kSlots; ++n)
        push(queue, entry(n));
    for (int n = 1; n < kSlots; ++n)
        ASSERT_EQ(pop(queue), entry(n));
    EXPECT_EQ(queue.readIndex(), 0);
    EXPECT_TRUE(queue.sameLap());
}

TEST(MessageQueue, LappingWriterOverwritesTheOldestAndTheReaderContinuesFromItsIndex) {
    MessageQueue queue;
    push(queue, std::string(400, 'L'));  // later overwritten by a shorter entry
    for (int n = 1; n < kSlots + 2; ++n)
        push(queue, entry(n));

    std::vector<std::string> popped;  // one pop per announced push
    popped.reserve(kSlots + 2);
    for (int n = 0; n < kSlots + 2; ++n)
        popped.push_back(pop(queue));
    // Slots 0 and 1 hold the two newest entries, then come the older ones behind them, then
    // the reader's own already-read slots as empty entries.
    EXPECT_EQ(popped[0], entry(2048));  // no tail of the long entry it replaced
    EXPECT_EQ(popped[1], entry(2049));
    for (int n = 2; n < kSlots; ++n)
        ASSERT_EQ(popped[n], entry(n));
    EXPECT_EQ(popped[2048] + popped[2049], "");
    EXPECT_EQ(queue.readIndex(), 2);
    push(queue, "after the lap");
    EXPECT_EQ(pop(queue), "after the lap");

    // Many laps behind: the newest 2048 entries arrive, each once, and the reader catches up.
    const int pushes = 5 * kSlots + 7;
    for (int n = 0; n < pushes; ++n)
        push(queue, entry(n));
    std::set<std::string> seen;
    for (int n = 0; n < pushes; ++n)
        seen.insert(pop(queue));
    seen.erase("");
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kSlots));
    EXPECT_TRUE(seen.contains(entry(pushes - kSlots)));
    EXPECT_FALSE(seen.contains(entry(pushes - kSlots - 1)));
    EXPECT_EQ(queue.pending(), 0);
    push(queue, "next");
    EXPECT_EQ(pop(queue), "next");
}

// Producers on several threads push and announce; one consumer thread pops per
// announcement. Every entry arrives whole, once, and in its producer's order.
TEST(MessageQueue, ConcurrentProducersNeverInterleave) {
    constexpr int kProducers = 4;
    constexpr int kPerProducer = 500;  // all fit in the ring
    MessageQueue queue;
    std::map<char, std::vector<int>> received;
    int broken = 0;
    platform::MessageThread consumer("consumer", [&](const platform::Message&) {
        Buffer buffer{};
        const int length = queue.pop(buffer.data());  // "<letter repeated>:<sequence>"
        int sequence = -1;
        if (length < 6 || std::sscanf(buffer.data() + length - 5, ":%d", &sequence) != 1) {
            ++broken;
            return;
        }
        for (int i = 0; i < length - 5; ++i)
            broken += buffer[i] != buffer[0] ? 1 : 0;
        received[buffer[0]].push_back(sequence);
    });
    ASSERT_TRUE(consumer.start());

    std::vector<std::thread> producers;
    producers.reserve(kProducers);
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back([&, p] {
            for (int n = 0; n < kPerProducer; ++n) {
                char sequence[16];
                std::snprintf(sequence, sizeof sequence, ":%04d", n);
                const std::string text = std::string(100 + n % 300, 'A' + p) + sequence;
                if (push(queue, text) > 0) consumer.post({platform::WM_APP + 0x103, 0, 0});
            }
        });
    }
    for (auto& producer : producers)
        producer.join();
    consumer.post({platform::kQuitThreadMessage, 0, 0});
    ASSERT_TRUE(consumer.waitForEnd(std::chrono::seconds(30)));

    EXPECT_EQ(broken, 0);
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kProducers));
    std::vector<int> inOrder(kPerProducer);
    for (int n = 0; n < kPerProducer; ++n)
        inOrder[n] = n;
    for (const auto& [who, sequences] : received)
        EXPECT_EQ(sequences, inOrder) << who;
}

}  // namespace
}  // namespace panelink
