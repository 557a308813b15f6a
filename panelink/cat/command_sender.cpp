#include "panelink/cat/command_sender.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <optional>
#include <string>

#include "panelink/cat/command_state.h"
#include "panelink/cat/command_tables.h"
#include "panelink/cat/radio_state.h"
#include "panelink/cat/request_table.h"
#include "panelink/core/command_buffer.h"
#include "panelink/core/command_queue.h"
#include "panelink/core/decimal_field.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_command.h"
#include "panelink/menu/menu_item_table.h"

namespace panelink {
namespace {

using platform::Message;
using platform::Milliseconds;

constexpr Milliseconds kReadoutPeriod{30};
constexpr Milliseconds kMenuReadoutPeriod{30};
constexpr Milliseconds kKeyerReadPeriod{30};
constexpr Milliseconds kPowerOnPeriod{100};
constexpr Milliseconds kPowerOffPeriod{600};

// ReadCommandTable indexes the read-out treats by themselves. "ID" and "AI" were read by the
// connection that started the read-out and are not read again.
constexpr int kReadIndexId = 0;
constexpr int kReadIndexEx = 1;
constexpr int kReadIndexAi = 49;

constexpr int kMaxEncoderStep = 99;
constexpr int kMaxClarifierStep = 9999;

char sideDigit(std::uintptr_t wparam) {
    return (wparam & kSubSideBit) != 0 ? '1' : '0';
}

// The digit a toggle sends: the opposite of a known state, nothing while it is unknown.
std::optional<char> toggledDigit(std::int32_t state) {
    if (state == 1) return '0';
    if (state == 0) return '1';
    return std::nullopt;
}

char hexDigit(std::int32_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return value >= 0 && value < 16 ? kDigits[static_cast<std::size_t>(value)] : '0';
}

std::string buildPlain(const PlainRequest& request, std::uintptr_t wparam, std::intptr_t value) {
    const int length = static_cast<int>(request.prefix.size() + request.suffix.size()) +
                       (request.sideDigit ? 1 : 0) + request.width;
    CommandBuffer command(length);
    int position = 0;
    command.put(position, request.prefix);
    position += static_cast<int>(request.prefix.size());
    if (request.sideDigit) command.put(position++, sideDigit(wparam));
    if (request.width > 0) {
        command.putDecimal(position, request.width, value);
        position += request.width;
    }
    command.put(position, request.suffix);
    return command.text();
}

}  // namespace

// A request built by code of its own: run on this thread with the whole message.
struct CommandSender::OwnRule {
    Request request;
    void (*run)(CommandSender& sender, const Message& message);
};

const CommandSender::OwnRule* CommandSender::findOwnRule(Request request) {
    using S = CommandSender&;
    using M = const Message&;
    static constexpr std::array kRules{
        OwnRule{Request::ReadoutStep, [](S s, M) { s.readoutStep(); }},
        OwnRule{Request::MenuReadoutStep, [](S s, M) { s.menuReadoutStep(); }},
        OwnRule{Request::KeyerReadStep, [](S s, M) { s.keyerReadStep(); }},
        OwnRule{Request::StartReadout, [](S s, M) { s.startReadout(); }},
        OwnRule{Request::StopReadouts, [](S s, M) { s.stopReadouts(); }},
        OwnRule{Request::StartMenuReadout, [](S s, M) { s.startMenuReadout(); }},
        OwnRule{Request::PowerOnTick, [](S s, M) { s.powerOnTick(); }},
        OwnRule{Request::PowerOffTick, [](S s, M) { s.powerOffTick(); }},
        OwnRule{Request::ReadStepLater, [](S s, M) { s.readStepLater(); }},
        OwnRule{Request::SwitchAutoInfo, [](S s, M m) { s.switchAutoInformation(m.wparam); }},
        OwnRule{Request::SwitchPower, [](S s, M) { s.switchPower(); }},
        OwnRule{Request::ToggleNarrow, [](S s, M m) { s.toggleNarrow(m.wparam); }},
        OwnRule{Request::WriteMenu, [](S s, M) { s.writeMenu(); }},
        OwnRule{Request::ToggleNotch, [](S s, M) { s.toggleNotch(); }},
        OwnRule{Request::SetContourLevel, [](S s, M m) { s.setContourLevel(m.lparam); }},
        OwnRule{Request::StepMainDial, [](S s, M m) { s.stepEncoder('0', m.lparam); }},
        OwnRule{Request::StepDspKnob, [](S s, M m) { s.stepEncoder('1', m.lparam); }},
        OwnRule{Request::StepClarifier, [](S s, M m) { s.stepClarifier(m.lparam); }},
        OwnRule{Request::SetVoxAndBreakInDelay,
                [](S s, M m) { s.setVoxAndBreakInDelay(m.lparam); }},
        OwnRule{Request::SetIfShift, [](S s, M m) { s.setIfShift(m.lparam); }},
        OwnRule{Request::StatusPoll, [](S s, M) { s.statusPoll(); }},
        OwnRule{Request::WakeWriter, [](S s, M) { s.wakeWriter(); }},
        OwnRule{Request::ReadSideInformation, [](S s, M m) { s.readSideInformation(m.wparam); }},
        OwnRule{Request::StartKeyerRead, [](S s, M) { s.startKeyerRead(); }},
        OwnRule{Request::StepThirdEncoder, [](S s, M m) { s.stepEncoder('2', m.lparam); }},
        OwnRule{Request::WriteMemory, [](S s, M m) { s.writeMemory(m.lparam); }},
        OwnRule{Request::SetPanelLock, [](S s, M m) { s.setPanelLock(m.lparam); }},
        OwnRule{Request::InfoPoll, [](S s, M) { s.infoPoll(); }},
    };
    static_assert(inRequestOrder(kRules));
    const auto found = std::find_if(kRules.begin(), kRules.end(), [request](const OwnRule& rule) {
        return rule.request == request;
    });
    return found == kRules.end() ? nullptr : &*found;
}

bool CommandSender::hasOwnRule(Request request) {
    return findOwnRule(request) != nullptr;
}

CommandSender::CommandSender(CoreServices& services) : services_(services) {}

void CommandSender::handle(const Message& message) {
    const auto request = static_cast<Request>(message.id);
    if (const OwnRule* rule = findOwnRule(request)) {
        rule->run(*this, message);
        return;
    }
    handleFromTables(request, message);
}

bool CommandSender::send(std::string_view command) {
    if (command.empty()) return false;
    return queueCommand(services_, command);
}

void CommandSender::sleep(int milliseconds) {
    services_.clock.sleep(Milliseconds{milliseconds});
}

void CommandSender::wakeWriter() {
    postTo(services_.threads.sioSend, ThreadMessage::WriteCommand);
}

// One row, one rule: the plain text, the toggled digit or the chosen ending.
void CommandSender::handleFromTables(Request request, const Message& message) {
    if (const PlainRequest* row = findPlainRequest(request)) {
        if (guardAllows(*row, message.lparam))
            send(buildPlain(*row, message.wparam, message.lparam));
        return;
    }
    if (const ToggleRequest* toggle = findToggleRequest(request)) {
        if (const auto digit = toggledDigit(services_.command.get(toggle->field)))
            send(std::string(toggle->prefix) + *digit + ';');
        return;
    }
    if (const ChoiceRequest* choice = findChoiceRequest(request)) {
        const std::intptr_t pick = message.lparam;
        if (pick < 0 || pick >= static_cast<std::intptr_t>(ChoiceRequest::kMaxChoices)) return;
        const std::string_view ending = choice->endings[static_cast<std::size_t>(pick)];
        if (ending.empty()) return;
        std::string command(choice->prefix);
        if (choice->sideDigit) command += sideDigit(message.wparam);
        command += ending;
        send(command);
    }
}

bool CommandSender::guardAllows(const PlainRequest& row, std::intptr_t value) const {
    switch (row.guard) {
        case RequestGuard::None:
            return true;
        case RequestGuard::ValueRange:
            return value >= row.minimum && value <= row.maximum;
        case RequestGuard::VfoSelectKnown: {
            const std::int32_t vs = services_.command.get(CommandField::VS);
            return vs == 0 || vs == 1;
        }
        case RequestGuard::VfoChannel: {
            const std::int32_t mode = services_.radio.get(RadioField::IF_memoryState);
            return mode == 0 || mode == 1 || mode == 4 || mode == 5;
        }
    }
    return false;
}

// --- Connection read-out: every ReadCommandTable record, one per 30 ms step. ---

void CommandSender::startReadout() {
    readoutIndex_.store(0);
    if (readoutRunning_.load()) return;
    readoutRunning_.store(true);
    services_.flags.readoutBusy.store(true);
    services_.timers.setTimer(kTimerReadout, kReadoutPeriod);
}

void CommandSender::readoutStep() {
    // A tick that was already queued when the read-out stopped finds nothing to do.
    if (!readoutRunning_.load()) return;
    int index = readoutIndex_.load();
    if (index < 0 || index >= kReadoutEnd) index = 0;
    readRecord(index);
    ++index;
    if (index < kReadoutEnd) {
        readoutIndex_.store(index);
        return;
    }
    readoutIndex_.store(0);
    readoutRunning_.store(false);
    services_.timers.killTimer(kTimerReadout);
    startMenuReadout();
}

void CommandSender::readRecord(int index) {
    if (index == kReadIndexId || index == kReadIndexAi) return;
    const CommandRecord& record = ReadCommandTable[static_cast<std::size_t>(index)];
    const std::string_view letters(record.letters.data(), record.letters.size());
    switch (record.kind) {
        case kReadPlain:
        case kReadSelectorZero: {
            // Letters, then selector "0" in every parameter byte of the record ("SS" has
            // one although it is a plain read), then ";".
            CommandBuffer command(record.length);
            command.put(0, letters);
            for (int position = 2; position < record.length - 1; ++position)
                command.put(position, '0');
            send(command.text());
            return;
        }
        case kReadBothSides:
            send(std::string(letters) + "0;");
            sleep(25);
            send(std::string(letters) + "1;");
            return;
        case kReadSpecial:
            if (index == kReadIndexEx) {
                readExItems();
            } else if (const SpecialRead* special = findSpecialRead(index)) {
                for (std::string_view command : special->commands)
                    send(command);
            }
            return;
        default:
            return;
    }
}

// The menu items the panel shows itself (the CW BFO setting) are read with the state.
void CommandSender::readExItems() {
    const int count = services_.menu.itemCount();
    MenuItem item;
    for (int index = 1; index <= count; ++index) {
        if (services_.menu.copyOut(index, item) && item.kind == kKindCwBfo)
            send(menuReadCommand(index, item));
    }
}

// --- Menu read-out: one item per 30 ms step, blank records skipped within the step. ---

void CommandSender::startMenuReadout() {
    menuIndex_.store(1);
    if (menuRunning_.load()) return;
    menuRunning_.store(true);
    services_.flags.readoutBusy.store(true);
    services_.timers.setTimer(kTimerMenuReadout, kMenuReadoutPeriod);
}

void CommandSender::menuReadoutStep() {
    if (!menuRunning_.load()) return;
    const int count = services_.menu.itemCount();
    int index = std::max(menuIndex_.load(), 1);
    MenuItem item;
    while (index <= count) {
        const bool known = services_.menu.copyOut(index, item);
        ++index;
        if (!known || item.kind == kKindBlank) continue;
        send(menuReadCommand(index - 1, item));
        // The dimmer answer takes the radio longer.
        if (item.kind == kKindDimmer) sleep(100);
        break;
    }
    if (index > count) {
        services_.flags.menuSettingsRead.store(true);
        endMenuReadout();
    } else {
        menuIndex_.store(index);
    }
}

void CommandSender::endMenuReadout() {
    menuIndex_.store(1);
    menuRunning_.store(false);
    services_.timers.killTimer(kTimerMenuReadout);
    services_.flags.readoutBusy.store(false);
    if (services_.flags.readingDialogShown.load()) {
        sleep(100);
        services_.window.post(message(WindowMessage::MenuReadoutDone));
    }
}

void CommandSender::stopReadouts() {
    // Stopped or lost: the settings may change before the next connection.
    services_.flags.menuSettingsRead.store(false);
    services_.timers.killTimer(kTimerReadout);
    readoutRunning_.store(false);
    readoutIndex_.store(0);
    endMenuReadout();
    services_.timers.killTimer(kTimerKeyerRead);
    keyerRunning_.store(false);
    keyerCounter_.store(1);
}

// --- Keyer memories 1..3, one per 30 ms step. ---

void CommandSender::startKeyerRead() {
    keyerRunning_.store(true);
    services_.timers.setTimer(kTimerKeyerRead, kKeyerReadPeriod);
}

void CommandSender::keyerReadStep() {
    if (!keyerRunning_.load()) return;
    const int counter = keyerCounter_.load();
    if (counter >= 1 && counter <= 3) {
        send(std::string("KM") + static_cast<char>('0' + counter) + ';');
        keyerCounter_.store(counter + 1);
        return;
    }
    services_.timers.killTimer(kTimerKeyerRead);
    keyerRunning_.store(false);
    keyerCounter_.store(1);
}

// --- Power and auto-information. ---

void CommandSender::switchPower() {
    if (services_.command.get(CommandField::PS) == 0) {
        // The first "PS1;" wakes the radio, the second switches it on.
        send("PS1;");
        sleep(800);
        send("PS1;");
        services_.timers.setTimer(kTimerPowerOn, kPowerOnPeriod);
        return;
    }
    // Switched off with auto-information on and not yet restored: the power-on restore is
    // still under way, so the radio is left alone.
    if (services_.radio.restoreAutoInformation() && services_.radio.get(RadioField::AI) != 0 &&
        services_.command.get(CommandField::AI) == 0)
        return;
    send("PS0;");
    powerOffTicks_ = 0;
    services_.timers.setTimer(kTimerPowerOff, kPowerOffPeriod);
}

void CommandSender::powerOnTick() {
    services_.timers.killTimer(kTimerPowerOn);
    send("PS;");
}

// "PS0;" is followed by two power reads 600 ms apart.
void CommandSender::powerOffTick() {
    send("PS;");
    if (powerOffTicks_ == 0) {
        powerOffTicks_ = 1;
        return;
    }
    services_.timers.killTimer(kTimerPowerOff);
    powerOffTicks_ = 0;
}

void CommandSender::switchAutoInformation(std::uintptr_t wparam) {
    const std::int32_t current = services_.command.get(CommandField::AI);
    if ((wparam & kAutoInfoOnOnlyBit) != 0 && current == 1) return;
    if ((wparam & kAutoInfoOffOnlyBit) != 0 && current == 0) return;
    const auto digit = toggledDigit(current);
    if (!digit) return;
    send(std::string("AI") + *digit + ';');
    sleep(20);
    send("AI;");
    if (services_.command.get(CommandField::AI) != 1) return;
    // Switching off: the radio stops reporting, so act as if it had reported "AI0".
    sleep(25);
    postTo(services_.threads.anlSend, Request::StopReadouts);
    services_.flags.aiCommanded.store(false);
    if (services_.command.get(CommandField::PS) == 0)
        services_.radio.setRestoreAutoInformation(false);
    constexpr std::string_view kMadeUpAnswer = "AI0";
    if (services_.receiveQueue.push(static_cast<int>(kMadeUpAnswer.size()), kMadeUpAnswer.data()) >
        0)
        postTo(services_.threads.anlRecv, ThreadMessage::AnalyseAnswer);
}

void CommandSender::statusPoll() {
    const bool autoInformation = services_.command.get(CommandField::AI) != 0;
    if (!autoInformation) return;
    send("PS;");
    if (services_.command.get(CommandField::PS) != 0) {
        sleep(30);
        send("AI;");
    }
}

void CommandSender::infoPoll() {
    if (services_.command.get(CommandField::AI) != 0) send("IF;");
}

// --- Requests with a rule of their own. ---

void CommandSender::toggleNarrow(std::uintptr_t wparam) {
    const char side = sideDigit(wparam);
    const CommandField field = side == '1' ? CommandField::NA_1 : CommandField::NA_0;
    if (const auto digit = toggledDigit(services_.command.get(field)))
        send(std::string("NA") + side + *digit + ';');
}

void CommandSender::toggleNotch() {
    const char on = services_.command.get(CommandField::BP_0) == 0 ? '1' : '0';
    send(std::string("BP0000") + on + ';');
}

void CommandSender::setContourLevel(std::intptr_t value) {
    CommandBuffer command(7);
    command.put(0, "CO00");
    command.put(4, value < 0 ? '-' : '0');
    command.putDecimal(5, 1, magnitude(value).value_or(-1));
    send(command.text());
}

void CommandSender::setIfShift(std::intptr_t value) {
    CommandBuffer command(9);
    command.put(0, "IS0");
    command.put(3, value < 0 ? '-' : '+');
    command.putDecimal(4, 4, magnitude(value).value_or(-1));
    send(command.text());
}

void CommandSender::stepEncoder(char selector, std::intptr_t value) {
    const auto steps = magnitude(value);
    if (value == 0 || !steps || *steps > kMaxEncoderStep) return;
    CommandBuffer command(6);
    command.put(0, value < 0 ? "ED" : "EU");
    command.put(2, selector);
    command.putDecimal(3, 2, *steps);
    send(command.text());
}

void CommandSender::stepClarifier(std::intptr_t value) {
    const auto steps = magnitude(value);
    if (!steps || *steps > kMaxClarifierStep) return;
    CommandBuffer command(7);
    command.put(0, value < 0 ? "RD" : "RU");
    command.putDecimal(2, 4, *steps);
    send(command.text());
}

void CommandSender::setVoxAndBreakInDelay(std::intptr_t value) {
    for (std::string_view letters : {std::string_view("VD"), std::string_view("SD")}) {
        if (letters == "SD") sleep(20);
        CommandBuffer command(7);
        command.put(0, letters);
        command.putDecimal(2, 4, value);
        send(command.text());
    }
}

// The mode answer asks for the step setting, which the radio has ready a little later.
void CommandSender::readStepLater() {
    sleep(100);
    send("ST;");
}

void CommandSender::readSideInformation(std::uintptr_t wparam) {
    send(sideDigit(wparam) == '1' ? "OI;" : "IF;");
}

void CommandSender::setPanelLock(std::intptr_t value) {
    if (value == 2) {
        send("LK2;");
    } else if (value == 3) {
        for (int i = 0; i < 3; ++i) {
            if (i > 0) sleep(100);
            send("LK3;");
        }
    }
}

// "MW" with the channel and the state of the last "IF" answer, at the answer's byte positions.
void CommandSender::writeMemory(std::intptr_t channel) {
    const RadioState& radio = services_.radio;
    const double offset = radio.get(RadioReal::IF_offset);
    const auto offsetHz = integerPart(std::round(offset));
    CommandBuffer command(27);
    command.put(0, "MW");
    command.putDecimal(2, 3, channel);
    command.putDecimal(5, 8, radio.get(RadioField::IF_frequency));
    command.put(13, offset < 0.0 ? '-' : '+');
    command.putDecimal(14, 4, offsetHz ? magnitude(*offsetHz).value_or(-1) : -1);
    command.putDecimal(18, 1, radio.get(RadioField::IF_rxClarifier));
    command.putDecimal(19, 1, radio.get(RadioField::IF_txClarifier));
    // The mode is one hex digit, as in the answer: modes 10..12 are "A".."C".
    command.put(20, hexDigit(radio.get(RadioField::IF_mode)));
    command.put(21, '0');
    command.putDecimal(22, 1, radio.get(RadioField::IF_toneMode));
    command.putDecimal(23, 2, radio.get(RadioField::IF_toneNumber));
    command.putDecimal(25, 1, radio.get(RadioField::IF_shift));
    send(command.text());
}

// Every item with the changed mark, 10 ms apart. The mark is cleared under the table's lock
// before the command is queued, so an edit made meanwhile sets it again and is not lost.
void CommandSender::writeMenu() {
    const int count = services_.menu.itemCount();
    bool first = true;
    for (int index = 1; index <= count; ++index) {
        std::string command;
        bool changed = false;
        services_.menu.withItem(index, [&](MenuItem& item) {
            if (item.changed == 0) return;
            changed = true;
            item.changed = 0;
            command = menuWriteCommand(index, item);
        });
        if (!changed) continue;
        if (!first) sleep(10);
        first = false;
        send(command);
    }
}

}  // namespace panelink
