#pragma once

// Waiting in real time for something another thread or process does.

#include <chrono>
#include <functional>
#include <thread>

namespace platform {

// Polls `condition` every `interval` until it holds (true) or `timeout` has passed (false).
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(5),
                      std::chrono::milliseconds interval = std::chrono::milliseconds(1)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
    return true;
}

}  // namespace platform
