#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "panelink/core/core_services.h"
#include "panelink/core/requests.h"
#include "shared/platform/message.h"

namespace panelink {

struct PlainRequest;

// Anl_Send_Thread's work: turns every request posted to the thread into CAT commands and
// queues each through queueCommand (one push, one wake of Sio_Send_Thread), and runs the
// timed sequences: the connection read-out (timer 4), the menu read-out (timer 5), the keyer
// memory read (timer 25) and the power switch (timers 23 and 24). Timer ticks arrive as the
// step messages; waits inside a handler go through the clock and block the thread, so
// requests posted meanwhile are handled afterwards, in order.
//
// handle() runs on one thread only. The accessors may be called from any thread.
class CommandSender {
  public:
    static constexpr int kReadoutEnd = 69;  // read-out indexes run 0..68

    explicit CommandSender(CoreServices& services);
    CommandSender(const CommandSender&) = delete;
    CommandSender& operator=(const CommandSender&) = delete;

    // Every request of the thread. A number that names no request is ignored, among them the
    // end message, which belongs to the thread's loop.
    void handle(const platform::Message& message);

    // Whether `request` is built by a rule of the sender's own rather than by a row of the
    // request tables.
    static bool hasOwnRule(Request request);

    bool readoutRunning() const { return readoutRunning_.load(); }
    int readoutIndex() const { return readoutIndex_.load(); }
    bool menuReadoutRunning() const { return menuRunning_.load(); }
    int menuReadoutIndex() const { return menuIndex_.load(); }
    // Next keyer memory (1..3) the keyer read asks for; the main window reads it too.
    int keyerReadCounter() const { return keyerCounter_.load(); }
    void resetKeyerReadCounter() { keyerCounter_.store(1); }

  private:
    struct OwnRule;
    static const OwnRule* findOwnRule(Request request);

    bool send(std::string_view command);
    void sleep(int milliseconds);
    void wakeWriter();

    void handleFromTables(Request request, const platform::Message& message);
    bool guardAllows(const PlainRequest& row, std::intptr_t value) const;

    // Connection read-out.
    void startReadout();
    void readoutStep();
    void readRecord(int index);
    void readExItems();
    // Menu read-out.
    void startMenuReadout();
    void menuReadoutStep();
    void endMenuReadout();
    void stopReadouts();
    // Keyer memories 1..3.
    void startKeyerRead();
    void keyerReadStep();
    // Power and auto-information.
    void switchPower();
    void powerOnTick();
    void powerOffTick();
    void switchAutoInformation(std::uintptr_t wparam);
    void statusPoll();
    void infoPoll();
    // Requests with a rule of their own.
    void toggleNarrow(std::uintptr_t wparam);
    void toggleNotch();
    void setContourLevel(std::intptr_t value);
    void setIfShift(std::intptr_t value);
    void stepEncoder(char selector, std::intptr_t value);
    void stepClarifier(std::intptr_t value);
    void setVoxAndBreakInDelay(std::intptr_t value);
    void readStepLater();
    void readSideInformation(std::uintptr_t wparam);
    void setPanelLock(std::intptr_t value);
    void writeMemory(std::intptr_t channel);
    void writeMenu();

    CoreServices& services_;

    std::atomic<int> readoutIndex_{0};
    std::atomic<bool> readoutRunning_{false};
    std::atomic<int> menuIndex_{1};
    std::atomic<bool> menuRunning_{false};
    std::atomic<int> keyerCounter_{1};
    std::atomic<bool> keyerRunning_{false};
    int powerOffTicks_ = 0;
};

}  // namespace panelink
