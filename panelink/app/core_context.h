#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/core/event_hub.h"
#include "panelink/core/requests.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace commo {
class LinkSettings;
}

namespace panelink {

class RadioState;
class CommandState;
class MenuItemTable;
class ComPort;
class MessageQueue;
class CommandSender;
struct LinkFlags;
struct CoreServices;

// The start-up and shut-down steps, in the order the context runs them, as told to
// CoreContext::Options::onStep.
enum class CoreStep {
    // beginStart()
    RecordsReset,       // read-out flags cleared, RadioState reset
    MenuThreadStarted,  // File_MenuListDefFile runs
    MenuBuildPosted,    // 10 ms later: asked to build the menu item table
    CommandStateReset,
    SettingsRead,
    // finishStart()
    PortOpened,  // the open was tried; it may have failed
    AnlRecvStarted,
    SioRecvStarted,  // waiting on the port
    SioSendStarted,
    AnlSendStarted,  // with the 1000 ms status and information polls
    StartCommandQueued,
    // shutdown()
    PortClosed,
    SettingsWritten,
    WorkerTimersKilled,
    SioRecvStopped,
    AnlRecvStopped,
    AnlSendStopped,
    SioSendStopped,
    MenuThreadEnded,
};

// A readable name of the step ("SioRecvStarted").
std::string_view coreStepName(CoreStep step);

// Panelink without its window: the process-wide records, the event hub, the two queues, the
// port and the five worker threads, with the order in which they come to life and go away.
// Everything the workers tell the windows goes through the hub (events()); the main window
// and the other windows subscribe there. The timer host runs the worker timers (those for
// which isWorkerTimer() holds) off the user-interface thread and routes their ticks to
// onWorkerTimer().
class CoreContext {
  public:
    struct Options {
        std::filesystem::path workingDirectory;  // CommoFiles lives below it
        bool secondInstance = false;             // use CommSettingTmp.csv
        // Told each start-up and shut-down step once it is done, on the calling thread.
        std::function<void(CoreStep)> onStep;
    };

    // Windows subscribe to events() once they exist.
    CoreContext(platform::TimerHost& timers, platform::Clock& clock, Options options);
    // With `window` subscribed as the main window for the context's whole life.
    CoreContext(platform::MainWindowInterface& window, platform::TimerHost& timers,
                platform::Clock& clock, Options options);
    // Without shutdown() first (an aborted start, a test) the threads are stopped quietly
    // and the settings file is left alone.
    ~CoreContext();
    CoreContext(const CoreContext&) = delete;
    CoreContext& operator=(const CoreContext&) = delete;

    // Start-up, first half: read-out flags cleared, RadioState reset, the menu-definition
    // thread started and asked to build the menu table, CommandState reset, link settings
    // prepared and read. False when the settings file could not be read: the window then
    // shows its message before calling finishStart().
    bool beginStart();
    // Start-up, second half: the port opened, the worker threads and their timers started,
    // "PS;" queued.
    void finishStart();
    // Shut-down: the port closed for good, the settings written, every worker stopped within
    // its bound. False when a thread did not end; the caller must then end the process
    // without destroying this object. A second call only repeats the result.
    bool shutdown();
    // Names of the threads that did not end within their bound at shut-down.
    std::vector<std::string> stuckThreads() const;
    // False when shut-down could not write the settings file: the port and speed of this run
    // are not kept.
    bool settingsSaved() const;

    // A tick of a worker timer (4, 5, 8, 10, 17, 23, 24, 25, 43), on whatever thread runs them.
    void onWorkerTimer(int timerId);
    // Suspend, resume and other power events: the port is closed; the next write reopens it.
    void onPowerEvent();

    // A request to Anl_Send_Thread, with its wparam and lparam. One posted before
    // finishStart() waits for the thread; false once the thread has ended.
    bool postRequest(Request request, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);
    // A command text put on the send queue directly, then the writer woken through
    // Anl_Send_Thread. False for text the queue refuses (empty, 512 bytes or more, holding a
    // NUL byte); nothing is queued or posted then. Meant for after finishStart(), which
    // empties the send queue.
    bool queueRawCommand(std::string_view text);

    // Where display updates and window messages fan out to the windows.
    EventHub& events();
    RadioState& radio();
    CommandState& command();
    MenuItemTable& menu();
    LinkFlags& flags();
    commo::LinkSettings& settings();
    ComPort& port();
    CoreServices& services();
    // Anl_Send_Thread's worker: the read-out state and the keyer-memory counter the window
    // shares with it.
    CommandSender& sender();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace panelink
