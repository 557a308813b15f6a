#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "panelink/core/core_services.h"
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

    // Every request of the thread. The end message (WM_APP + 0x105) belongs to the thread's
    // loop and is ignored here, as is any message the thread does not know.
    void handle(const platform::Message& message);

    bool readoutRunning() const { return readoutRunning_.load(); }
    int readoutIndex() const { return readoutIndex_.load(); }
    bool menuReadoutRunning() const { return menuRunning_.load(); }
    int menuReadoutIndex() const { return menuIndex_.load(); }
    // Next keyer memory (1..3) the keyer read asks for; the main window reads it too.
    int keyerReadCounter() const { return keyerCounter_.load(); }
    void resetKeyerReadCounter() { keyerCounter_.store(1); }

  private:
    bool send(std::string_view command);
    void sleep(int milliseconds);

    bool handleSequence(const platform::Message& message);
    bool handleSpecial(const platform::Message& message);
    bool handleFromTables(const platform::Message& message);
    bool guardAllows(const PlainRequest& request, std::intptr_t value) const;

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
    void switchAutoInformation();
    void statusPoll();
    void infoPoll();
    // Requests with a rule of their own.
    void toggleNa(std::uintptr_t wparam);
    void toggleBpOnOff();
    void setContour(std::intptr_t value);
    void setShift(std::intptr_t value);
    void stepEncoder(char selector, std::intptr_t value);
    void stepClarifier(std::intptr_t value);
    void setVdAndSd(std::intptr_t value);
    void readStepLater();
    void readInformation(std::uintptr_t wparam);
    void lockPanel(std::intptr_t value);
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
