#pragma once

#include "panelink/core/messages.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class RadioState;
class CommandState;
class MenuItemTable;
class MessageQueue;
class ComPort;
struct LinkFlags;

// Where each worker thread receives its messages. Filled by the core context when it starts
// the threads; tests point them at recording sinks.
struct ThreadSinks {
    platform::MessageSink* anlSend = nullptr;  // Anl_Send_Thread
    platform::MessageSink* anlRecv = nullptr;  // Anl_Recv_Thread
    platform::MessageSink* sioSend = nullptr;  // Sio_Send_Thread
    platform::MessageSink* sioRecv = nullptr;  // Sio_Recv_Thread
    platform::MessageSink* menuDef = nullptr;  // File_MenuListDefFile
};

// The process-wide records and services every worker uses, handed to each by reference.
// The core context owns all of them; tests build their own.
struct CoreServices {
    RadioState& radio;
    CommandState& command;
    MenuItemTable& menu;
    LinkFlags& flags;
    commo::LinkSettings& settings;
    ComPort& port;
    MessageQueue& sendQueue;
    MessageQueue& receiveQueue;
    // Where display updates and window messages go: in the program the event hub, which fans
    // them out to the main window and the windows that subscribed; in tests a recorder.
    platform::MainWindowInterface& window;
    platform::TimerHost& timers;
    platform::Clock& clock;
    ThreadSinks& threads;
};

// Posts to a worker when its sink is set; a message to a thread that is not running is lost,
// as a posted message to an ended thread is.
template <class Name>
void postTo(platform::MessageSink* sink, Name name, std::uintptr_t wparam = 0,
            std::intptr_t lparam = 0) {
    if (sink != nullptr) sink->post(message(name, wparam, lparam));
}

}  // namespace panelink
