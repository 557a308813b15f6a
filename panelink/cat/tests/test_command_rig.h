#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "panelink/cat/command_sender.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/menu_setup.h"
#include "panelink/core/core_services.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/link/worker_timers.h"
#include "panelink/testing/core_rig.h"
#include "shared/platform/virtual_time.h"

namespace panelink::sendertest {

using namespace std::chrono_literals;
using platform::Message;
using platform::Milliseconds;

struct Sent {
    std::string text;
    Milliseconds at;  // virtual time when it was queued
};

// Sio_Send_Thread as the sender sees it: every wake pops one entry of the real send queue.
class WriterSink final : public platform::MessageSink {
  public:
    WriterSink(MessageQueue& queue, const platform::VirtualTime& time)
        : queue_(queue), time_(time) {}

    bool post(const Message& message) override {
        if (message.id != id(ThreadMessage::WriteCommand)) {
            ++otherMessages;
            return true;
        }
        std::array<char, MessageQueue::kSlotSize> slot{};
        const int length = queue_.pop(slot.data());
        if (length <= 0) {
            ++emptyWakes;
        } else {
            sent.push_back(
                {std::string(slot.data(), static_cast<std::size_t>(length)), time_.elapsed()});
        }
        return true;
    }

    std::vector<Sent> sent;
    int emptyWakes = 0;
    int otherMessages = 0;

  private:
    MessageQueue& queue_;
    const platform::VirtualTime& time_;
};

// The main window: records what the sender posts to it, with the virtual time of each post.
class TimedWindow final : public platform::MainWindowInterface {
  public:
    explicit TimedWindow(const platform::VirtualTime& time) : time_(time) {}
    bool post(const Message& message) override {
        posted.push_back({message, time_.elapsed()});
        return true;
    }
    void send(const Message& message) override { sent.push_back(message); }

    struct Timed {
        Message message;
        Milliseconds at;
    };
    std::vector<Timed> posted;
    std::vector<Message> sent;

  private:
    const platform::VirtualTime& time_;
};

// Anl_Send_Thread's own message queue: timer ticks and posts to the thread itself wait here
// until the running handler has returned, as on the real thread.
class InboxSink final : public platform::MessageSink {
  public:
    bool post(const Message& message) override {
        inbox.push_back(message);
        posted.push_back(message);
        return true;
    }
    std::deque<Message> inbox;
    std::vector<Message> posted;
};

class SenderTest : public ::testing::Test, protected rig::CoreRig<TimedWindow> {
  protected:
    SenderTest() {
        buildMenuItemTable(menu, radio);
        threads.anlSend = &inbox;
        threads.sioSend = &writer;
        time.setTickHandler([this](int timerId) {
            for (const WorkerTimerRoute& route : kWorkerTimerRoutes) {
                if (route.timerId == timerId && route.target == WorkerTimerTarget::AnlSend)
                    inbox.post({route.message, 0, 0});
            }
        });
    }

    // Handles one request, then whatever it (or the timers meanwhile) queued to the thread.
    void request(Request name, std::uintptr_t wparam = 0, std::intptr_t lparam = 0) {
        handleNumber(id(name), wparam, lparam);
    }
    void handleNumber(std::uint32_t number, std::uintptr_t wparam = 0, std::intptr_t lparam = 0) {
        sender.handle({number, wparam, lparam});
        drain();
    }

    void drain() {
        while (!inbox.inbox.empty()) {
            const Message next = inbox.inbox.front();
            inbox.inbox.pop_front();
            sender.handle(next);
        }
    }

    // Lets virtual time pass millisecond by millisecond, handling what the timers post.
    void run(Milliseconds duration) {
        for (Milliseconds passed{0}; passed < duration; passed += 1ms) {
            time.advance(1ms);
            drain();
        }
    }

    // The texts queued so far, in order. Checks what every test relies on: no NUL byte
    // ever queued, and exactly one wake per queued command.
    std::vector<std::string> texts() {
        std::vector<std::string> result;
        for (const Sent& sent : writer.sent) {
            EXPECT_EQ(sent.text.find('\0'), std::string::npos) << "NUL queued in " << sent.text;
            result.push_back(sent.text);
        }
        EXPECT_EQ(writer.emptyWakes, 0) << "a wake found nothing to write";
        EXPECT_EQ(sendQueue.pending(), 0) << "a command was queued without a wake";
        return result;
    }

    // Queue times relative to the first queued command.
    std::vector<Milliseconds> gaps() const {
        std::vector<Milliseconds> result;
        for (std::size_t i = 1; i < writer.sent.size(); ++i)
            result.push_back(writer.sent[i].at - writer.sent[i - 1].at);
        return result;
    }

    void clearSent() { writer.sent.clear(); }

    void storeCommand(CommandField field, std::int32_t value) {
        ASSERT_TRUE(command.store(field, value)) << commandFieldName(field) << " " << value;
    }

    WriterSink writer{sendQueue, time};
    InboxSink inbox;
    CommandSender sender{services};
};

}  // namespace panelink::sendertest
