#pragma once

// Every record and service of the core, assembled for tests, benchmarks and fuzz targets that
// call the workers' handlers themselves: fresh records, a window, a port, the two message
// queues, virtual time, a recording sink for each worker thread, and CoreServices over all.
// Header-only.

#include <memory>
#include <type_traits>
#include <utility>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/core_services.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/link/com_port.h"
#include "panelink/menu/menu_item_table.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/clock.h"
#include "shared/platform/testing/recording_window.h"
#include "shared/platform/timer_host.h"
#include "shared/platform/virtual_time.h"

namespace panelink::rig {

// The send and receive queues, a megabyte each.
struct MessageQueues {
    MessageQueue sendQueue;
    MessageQueue receiveQueue;
};

// Where a rig departs from the default: fresh queues, virtual time, /dev/ttyS<n-1> ports.
struct RigOptions {
    // Names the device the port opens; without one COMn maps to /dev/ttyS<n-1>.
    ComPort::PathResolver resolver = {};
    // Real timers and clock in place of the rig's virtual time (for tests on real threads).
    platform::TimerHost* timers = nullptr;
    platform::Clock* clock = nullptr;
    // Queues that outlive the rig, for callers that build many rigs and cannot afford two
    // fresh megabytes each time.
    MessageQueues* queues = nullptr;
};

// A window that stamps what it receives is built on the rig's virtual time.
template <class Window>
Window makeWindow(const platform::VirtualTime& time) {
    if constexpr (std::is_constructible_v<Window, const platform::VirtualTime&>) {
        return Window(time);
    } else {
        return Window();
    }
}

template <class Window = platform::RecordingWindow>
class CoreRig {
    // First, so that the queue references below can bind to it.
    std::unique_ptr<MessageQueues> ownQueues_;

  public:
    explicit CoreRig(RigOptions options = {})
        : ownQueues_(options.queues == nullptr ? std::make_unique<MessageQueues>() : nullptr),
          port(window, flags, std::move(options.resolver)),
          sendQueue(options.queues != nullptr ? options.queues->sendQueue : ownQueues_->sendQueue),
          receiveQueue(options.queues != nullptr ? options.queues->receiveQueue
                                                 : ownQueues_->receiveQueue),
          services{radio,
                   command,
                   menu,
                   flags,
                   settings,
                   port,
                   sendQueue,
                   receiveQueue,
                   window,
                   options.timers != nullptr ? *options.timers : time,
                   options.clock != nullptr ? *options.clock : time,
                   threads} {}
    CoreRig(const CoreRig&) = delete;
    CoreRig& operator=(const CoreRig&) = delete;

    RadioState radio;
    CommandState command;
    MenuItemTable menu;
    LinkFlags flags;
    commo::LinkSettings settings;
    platform::VirtualTime time;
    Window window = makeWindow<Window>(time);
    ComPort port;
    MessageQueue& sendQueue;
    MessageQueue& receiveQueue;
    // Tests point a sink elsewhere, or clear it to drop what is posted to that thread.
    platform::RecordingSink anlSend, anlRecv, sioSend, sioRecv, menuDef;
    ThreadSinks threads{&anlSend, &anlRecv, &sioSend, &sioRecv, &menuDef};
    CoreServices services;
};

}  // namespace panelink::rig
