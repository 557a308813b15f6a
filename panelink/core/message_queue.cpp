#include "panelink/core/message_queue.h"

#include <algorithm>
#include <cstring>

namespace panelink {

MessageQueue::MessageQueue() : lengths_(kSlotCount), slots_(kSlotCount) {
    init();
}

bool MessageQueue::init() {
    std::lock_guard lock(mutex_);
    writeIndex_ = -1;
    readIndex_ = -1;
    sameLap_ = 1;
    pending_ = 0;
    std::fill(lengths_.begin(), lengths_.end(), std::int16_t{0});
    for (auto& slot : slots_)
        slot.fill(0);
    return true;
}

int MessageQueue::push(int length, const char* bytes) {
    if (length < 0 || length > kMaxLength) return 0;
    if (length > 0 && bytes == nullptr) return 0;

    std::lock_guard lock(mutex_);
    if (writeIndex_ == kSlotCount - 1) {
        writeIndex_ = 0;
        sameLap_ = 0;
    } else {
        ++writeIndex_;
    }
    if (readIndex_ == -1) readIndex_ = 0;
    // More than two laps behind, a whole lap of the reader's way is slots it has already read
    // (empty entries); dropping that lap keeps the count bounded without losing an entry.
    if (++pending_ > 2 * kSlotCount) pending_ -= kSlotCount;

    lengths_[writeIndex_] = static_cast<std::int16_t>(length);
    // Clear the whole slot: an entry overwriting a longer unread one must not keep its tail.
    auto& slot = slots_[writeIndex_];
    slot.fill(0);
    if (length > 0) std::memcpy(slot.data(), bytes, static_cast<std::size_t>(length));
    return length;
}

int MessageQueue::pop(char* destination) {
    if (destination == nullptr) return kNoDestination;

    std::lock_guard lock(mutex_);
    if (pending_ == 0) {
        // Nothing announced is left (a refused push was announced anyway): nothing to do.
        std::memset(destination, 0, kSlotSize);
        return 0;
    }
    --pending_;
    auto& slot = slots_[readIndex_];
    std::memcpy(destination, slot.data(), kSlotSize);
    const int length = lengths_[readIndex_];
    slot.fill(0);
    lengths_[readIndex_] = 0;
    if (readIndex_ == kSlotCount - 1) {
        readIndex_ = 0;
        sameLap_ = 1;
    } else {
        ++readIndex_;
    }
    return length;
}

std::int16_t MessageQueue::writeIndex() const {
    std::lock_guard lock(mutex_);
    return writeIndex_;
}

std::int16_t MessageQueue::readIndex() const {
    std::lock_guard lock(mutex_);
    return readIndex_;
}

bool MessageQueue::sameLap() const {
    std::lock_guard lock(mutex_);
    return sameLap_ != 0;
}

int MessageQueue::pending() const {
    std::lock_guard lock(mutex_);
    return pending_;
}

}  // namespace panelink
