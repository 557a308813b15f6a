#include "panelink/app/core_context.h"

#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <utility>

#include "panelink/cat/answer_parser.h"
#include "panelink/cat/command_sender.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/command_queue.h"
#include "panelink/core/core_services.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/port_failure.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/anl_recv_thread.h"
#include "panelink/link/com_port.h"
#include "panelink/link/device_watch.h"
#include "panelink/link/link_watchdog.h"
#include "panelink/link/menu_definition_thread.h"
#include "panelink/link/sio_recv_thread.h"
#include "panelink/link/sio_send_thread.h"
#include "panelink/link/worker_timers.h"
#include "panelink/menu/menu_item_table.h"
#include "shared/formats/link_settings.h"
#include "shared/formats/port_map.h"
#include "shared/platform/message_thread.h"

namespace panelink {

namespace {

using namespace std::chrono_literals;
using platform::Message;
using platform::MessageThread;

constexpr platform::Milliseconds kMenuThreadSettle = 10ms;
constexpr platform::Milliseconds kPollPeriod = 1000ms;

constexpr std::array<std::string_view, 19> kStepNames{
    "RecordsReset",    "MenuThreadStarted",  "MenuBuildPosted",    "CommandStateReset",
    "SettingsRead",    "PortOpened",         "AnlRecvStarted",     "SioRecvStarted",
    "SioSendStarted",  "AnlSendStarted",     "StartCommandQueued", "PortClosed",
    "SettingsWritten", "WorkerTimersKilled", "SioRecvStopped",     "AnlRecvStopped",
    "AnlSendStopped",  "SioSendStopped",     "MenuThreadEnded",
};
static_assert(kStepNames.size() == static_cast<std::size_t>(CoreStep::MenuThreadEnded) + 1);

bool acceptableCommand(std::string_view text) {
    return !text.empty() && text.size() <= static_cast<std::size_t>(MessageQueue::kMaxLength) &&
           text.find('\0') == std::string_view::npos;
}

}  // namespace

std::string_view coreStepName(CoreStep step) {
    const auto index = static_cast<std::size_t>(step);
    return index < kStepNames.size() ? kStepNames[index] : std::string_view{};
}

struct CoreContext::Parts {
    Parts(platform::TimerHost& timers, platform::Clock& clock, Options opts)
        : options(std::move(opts)),
          port(events, flags,
               [dir = options.workingDirectory](int number) {
                   return commo::devicePathFor(dir, number);
               }),
          services{radio,     command,      menu,   flags,  settings, port,
                   sendQueue, receiveQueue, events, timers, clock,    sinks},
          parser(services),
          sender(services),
          sioSend(services),
          sioRecv(services),
          anlRecv(services, [this](std::string_view answer) { parser.analyse(answer); }),
          watchdog(services),
          deviceWatch(services),
          menuDef(services),
          menuDefThread("File_MenuListDefFile", [this](const Message& m) { menuDef.handle(m); }),
          anlRecvThread("Anl_Recv_Thread", [this](const Message& m) { anlRecv.handle(m); }),
          sioRecvThread(
              "Sio_Recv_Thread", [this](const Message& m) { sioRecv.handle(m); }, &sioRecv),
          sioSendThread("Sio_Send_Thread", [this](const Message& m) { sioSend.handle(m); }),
          anlSendThread("Anl_Send_Thread", [this](const Message& m) { sender.handle(m); }) {
        // The sinks never change, so no worker ever reads a half-set pointer. A message
        // thread keeps what is posted to it before it starts, so a wake sent to a thread
        // that is started a moment later is handled, not lost.
        sinks.anlSend = &anlSendThread;
        sinks.anlRecv = &anlRecvThread;
        sinks.sioSend = &sioSendThread;
        sinks.sioRecv = &sioRecvThread;
        sinks.menuDef = &menuDefThread;
        port.onDeviceGone([this] { deviceWatch.start(); });
    }

    void step(CoreStep done) const {
        if (options.onStep) options.onStep(done);
    }

    void killWorkerTimers() {
        for (const WorkerTimerRoute& route : kWorkerTimerRoutes)
            services.timers.killTimer(route.timerId);
    }

    // Every thread is told to end and joined, before any of them is destroyed: a worker
    // still running may post to any other.
    void endAllThreads() {
        std::array<MessageThread*, 5> all{&sioRecvThread, &anlRecvThread, &anlSendThread,
                                          &sioSendThread, &menuDefThread};
        for (MessageThread* thread : all)
            thread->post(Message{platform::kQuitThreadMessage, 0, 0});
        for (MessageThread* thread : all)
            thread->join();
    }

    Options options;
    EventHub events;
    EventHub::Subscription mainWindow;  // the window given at construction, if any
    RadioState radio;
    CommandState command;
    MenuItemTable menu;
    LinkFlags flags;
    commo::LinkSettings settings;
    ComPort port;
    MessageQueue sendQueue;
    MessageQueue receiveQueue;
    ThreadSinks sinks;
    CoreServices services;

    AnswerParser parser;
    CommandSender sender;
    SioSendThread sioSend;
    SioRecvThread sioRecv;
    AnlRecvThread anlRecv;
    LinkWatchdog watchdog;
    DeviceWatch deviceWatch;
    MenuDefinitionThread menuDef;

    // Worker timer ticks are passed on until shut-down stops the workers.
    std::atomic<bool> ticksAllowed{true};

    // Start-up and shut-down run on the user interface thread; the lock only keeps
    // stuckThreads() safe from anywhere.
    mutable std::mutex phaseMutex;
    bool begun = false;
    bool settingsRead = false;
    bool finished = false;
    bool shutDown = false;
    bool shutdownResult = true;
    bool settingsSaved = true;
    std::vector<std::string> stuck;

    // Last: the threads end before the workers and records above go.
    MessageThread menuDefThread;
    MessageThread anlRecvThread;
    MessageThread sioRecvThread;
    MessageThread sioSendThread;
    MessageThread anlSendThread;
};

CoreContext::CoreContext(platform::TimerHost& timers, platform::Clock& clock, Options options)
    : parts_(std::make_unique<Parts>(timers, clock, std::move(options))) {}

CoreContext::CoreContext(platform::MainWindowInterface& window, platform::TimerHost& timers,
                         platform::Clock& clock, Options options)
    : CoreContext(timers, clock, std::move(options)) {
    parts_->mainWindow = parts_->events.subscribeMainWindow(window);
}

CoreContext::~CoreContext() {
    Parts& p = *parts_;
    bool shutDown = false;
    {
        const std::lock_guard lock(p.phaseMutex);
        shutDown = p.shutDown;
    }
    if (!shutDown) {
        // Destroyed without an orderly shut-down (a test, an aborted start): stop quietly,
        // without touching the settings file.
        p.flags.shuttingDown.store(true);
        p.port.refuseFurtherOpens();
        p.ticksAllowed.store(false);
        p.killWorkerTimers();
        p.port.close();
    }
    p.endAllThreads();
    // Workers may have set their timers again until they ended.
    p.killWorkerTimers();
}

bool CoreContext::beginStart() {
    Parts& p = *parts_;
    {
        const std::lock_guard lock(p.phaseMutex);
        if (p.begun) return p.settingsRead;
        p.begun = true;
    }
    p.flags.readoutBusy.store(false);
    p.flags.readingDialogShown.store(false);
    p.radio.reset();
    p.step(CoreStep::RecordsReset);

    p.menuDefThread.start();
    p.step(CoreStep::MenuThreadStarted);
    p.services.clock.sleep(kMenuThreadSettle);
    p.menuDefThread.post(message(ThreadMessage::BuildMenuTable));
    p.step(CoreStep::MenuBuildPosted);

    p.command.reset();
    p.step(CoreStep::CommandStateReset);

    p.settings.resetToDefaults();
    const bool read = p.settings.readFile(p.options.workingDirectory, p.options.secondInstance);
    {
        const std::lock_guard lock(p.phaseMutex);
        p.settingsRead = read;
    }
    p.step(CoreStep::SettingsRead);
    return read;
}

void CoreContext::finishStart() {
    Parts& p = *parts_;
    {
        const std::lock_guard lock(p.phaseMutex);
        if (p.finished || p.shutDown) return;
    }
    beginStart();  // does nothing when the window ran it already
    {
        const std::lock_guard lock(p.phaseMutex);
        p.finished = true;
    }

    // A failed open has posted the link failure message; the first write tries again. A
    // missing adapter is looked for until it is plugged in.
    const PortOpenResult opened =
        p.port.open(p.settings.port(), p.settings.baud(), p.command.get(CommandField::AI) != 0);
    if (!opened && opened.failure && meansDeviceAbsent(*opened.failure))
        p.deviceWatch.startForAbsentDevice();
    p.step(CoreStep::PortOpened);

    p.anlRecvThread.start();
    p.step(CoreStep::AnlRecvStarted);

    if (p.receiveQueue.init()) {
        // It waits on the port itself: no timer drives it.
        p.sioRecvThread.start();
        p.step(CoreStep::SioRecvStarted);
    }
    if (p.sendQueue.init()) {
        p.sioSendThread.start();
        p.step(CoreStep::SioSendStarted);
    }

    // The sender's read-out flags are clear from its construction; the keyer-memory
    // counter is shared with the window and starts at 1.
    p.sender.resetKeyerReadCounter();
    p.anlSendThread.start();
    p.services.timers.setTimer(kTimerInfoPoll, kPollPeriod);
    p.services.timers.setTimer(kTimerStatusPoll, kPollPeriod);
    p.step(CoreStep::AnlSendStarted);

    p.flags.messageBox.store(false);
    queueRawCommand(kPowerStatusQuery);
    p.step(CoreStep::StartCommandQueued);
}

bool CoreContext::shutdown() {
    Parts& p = *parts_;
    {
        const std::lock_guard lock(p.phaseMutex);
        if (p.shutDown) return p.shutdownResult;
        p.shutDown = true;
    }

    // From here on no thread reopens the port, whatever it still has queued.
    p.flags.shuttingDown.store(true);
    p.port.refuseFurtherOpens();
    p.port.close();
    p.step(CoreStep::PortClosed);

    // A file that cannot be written does not hold up the shut-down; the caller may say so.
    const bool saved = p.settings.writeFile(p.options.workingDirectory, p.options.secondInstance);
    {
        const std::lock_guard lock(p.phaseMutex);
        p.settingsSaved = saved;
    }
    p.step(CoreStep::SettingsWritten);

    p.ticksAllowed.store(false);
    p.killWorkerTimers();
    p.step(CoreStep::WorkerTimersKilled);

    struct Stop {
        MessageThread& thread;
        CoreStep done;
    };
    const std::array<Stop, 4> order{{
        {p.sioRecvThread, CoreStep::SioRecvStopped},
        {p.anlRecvThread, CoreStep::AnlRecvStopped},
        {p.anlSendThread, CoreStep::AnlSendStopped},
        {p.sioSendThread, CoreStep::SioSendStopped},
    }};
    std::vector<std::string> stuck;
    for (const Stop& stop : order) {
        if (!platform::stopThread(stop.thread, p.services.clock))
            stuck.push_back(stop.thread.name());
        p.step(stop.done);
    }
    // The menu-definition thread ends itself after the build; one that has not yet got
    // there is stopped by the same rule (the end message queues behind the build).
    if (!platform::stopThread(p.menuDefThread, p.services.clock))
        stuck.push_back(p.menuDefThread.name());
    p.step(CoreStep::MenuThreadEnded);

    // The workers may have set their timers again before they ended.
    p.killWorkerTimers();

    const std::lock_guard lock(p.phaseMutex);
    p.stuck = std::move(stuck);
    p.shutdownResult = p.stuck.empty();
    return p.shutdownResult;
}

std::vector<std::string> CoreContext::stuckThreads() const {
    const std::lock_guard lock(parts_->phaseMutex);
    return parts_->stuck;
}

bool CoreContext::settingsSaved() const {
    const std::lock_guard lock(parts_->phaseMutex);
    return parts_->settingsSaved;
}

void CoreContext::onWorkerTimer(int timerId) {
    Parts& p = *parts_;
    if (!p.ticksAllowed.load()) return;
    dispatchWorkerTimer(p.services, p.watchdog, p.deviceWatch, timerId);
}

void CoreContext::onPowerEvent() {
    parts_->port.close();
}

bool CoreContext::postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) {
    return parts_->anlSendThread.post(message(request, wparam, lparam));
}

bool CoreContext::queueRawCommand(std::string_view text) {
    Parts& p = *parts_;
    if (!acceptableCommand(text)) return false;
    const int length = static_cast<int>(text.size());
    if (p.sendQueue.push(length, text.data()) != length) return false;
    p.anlSendThread.post(message(Request::WakeWriter));
    return true;
}

EventHub& CoreContext::events() {
    return parts_->events;
}

RadioState& CoreContext::radio() {
    return parts_->radio;
}

CommandState& CoreContext::command() {
    return parts_->command;
}

MenuItemTable& CoreContext::menu() {
    return parts_->menu;
}

LinkFlags& CoreContext::flags() {
    return parts_->flags;
}

commo::LinkSettings& CoreContext::settings() {
    return parts_->settings;
}

ComPort& CoreContext::port() {
    return parts_->port;
}

CoreServices& CoreContext::services() {
    return parts_->services;
}

CommandSender& CoreContext::sender() {
    return parts_->sender;
}

}  // namespace panelink
