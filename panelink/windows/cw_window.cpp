#include "panelink/windows/cw_window.h"

#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"

namespace panelink {

namespace {

struct PlayButton {
    int control;
    Request request;
};

constexpr std::array<PlayButton, 4> kPlayButtons{{
    {kCwPlayText1, Request::PlayKeyerText1},
    {kCwPlayText2, Request::PlayKeyerText2},
    {kCwPlayText3, Request::PlayKeyerText3},
    {kCwStop, Request::StopKeyerPlay},
}};

constexpr std::array<int, CwWindow::kMemoryCount> kWriteButtons{kCwWrite1, kCwWrite2, kCwWrite3};

bool printableAscii(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x20 && code <= 0x7E;
}

char memoryDigit(int memory) {
    return static_cast<char>('0' + memory);
}

}  // namespace

KeyerTextProblem keyerTextProblem(std::string_view text) {
    for (const char c : text) {
        if (c == ';') return KeyerTextProblem::Semicolon;
        if (!printableAscii(c)) return KeyerTextProblem::NotPrintable;
    }
    return KeyerTextProblem::None;
}

CwWindow::CwWindow(Ports ports) : ports_(ports) {}

void CwWindow::open() {
    ports_.link.postRequest(Request::StartKeyerRead, 0, 0);
    usable_ = false;
    for (int memory = 1; memory <= kMemoryCount; ++memory)
        checkWrite(memory);
    state_ = CwState::Reading1;
    startGuard();
}

bool CwWindow::press(int control) {
    if (closed_) return false;
    for (const PlayButton& button : kPlayButtons) {
        if (button.control != control) continue;
        if (!usable_) return false;
        ports_.link.postRequest(button.request, 0, 0);
        return true;
    }
    if (control == kCwSpotOn || control == kCwSpotOff) {
        if (!usable_) return false;
        ports_.link.postRequest(Request::SetCwSpot, kReadBackBit, control == kCwSpotOn ? 1 : 0);
        return true;
    }
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
        if (kWriteButtons[static_cast<std::size_t>(memory - 1)] != control) continue;
        if (!box(memory).writeEnabled) return false;
        write(memory);
        return true;
    }
    return false;
}

void CwWindow::edit(int memory, std::string_view text) {
    if (closed_ || !isMemory(memory) || !usable_) return;
    box(memory).text = text;
    checkWrite(memory);
}

void CwWindow::onMessage(const platform::Message& message) {
    if (closed_ || !is(message, DisplayUpdate::KM)) return;
    onKeyerAnswer();
}

void CwWindow::onTimer(int timerId) {
    if (closed_ || timerId != kGuardTimer) return;
    switch (state_) {
        case CwState::Reading1:
        case CwState::Reading2:
        case CwState::Reading3:
            // The radio did not answer every read: show what the records hold.
            for (int memory = 1; memory <= kMemoryCount; ++memory)
                showStored(memory);
            finishReading();
            break;
        default:
            // No read-back came; the box keeps what was typed.
            stopGuard();
            break;
    }
    state_ = CwState::Idle;
}

void CwWindow::close() {
    if (closed_) return;
    closed_ = true;
    stopGuard();
    ports_.mainWindow.post(message(WindowMessage::CwClosed));
}

const std::string& CwWindow::text(int memory) const {
    static const std::string kNone;
    return isMemory(memory) ? box(memory).text : kNone;
}

bool CwWindow::writeEnabled(int memory) const {
    return isMemory(memory) && box(memory).writeEnabled;
}

KeyerTextProblem CwWindow::problem(int memory) const {
    return isMemory(memory) ? keyerTextProblem(box(memory).text) : KeyerTextProblem::None;
}

std::string CwWindow::storedText(int memory) const {
    std::string text = ports_.radio.keyerText(memory);
    if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
    const auto end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

void CwWindow::showStored(int memory) {
    box(memory).text = storedText(memory);
    checkWrite(memory);
}

// The write button offers itself only for a text that can go on the wire and differs from
// what the radio holds, as shown.
void CwWindow::checkWrite(int memory) {
    Box& b = box(memory);
    b.writeEnabled = usable_ && !b.text.empty() && b.text.size() <= kMaxTextLength &&
                     keyerTextProblem(b.text) == KeyerTextProblem::None &&
                     b.text != storedText(memory);
}

void CwWindow::finishReading() {
    stopGuard();
    usable_ = true;
    for (int memory = 1; memory <= kMemoryCount; ++memory)
        checkWrite(memory);
    ++focusRequests_;
}

void CwWindow::write(int memory) {
    const std::string& text = box(memory).text;
    if (text.empty() || text.size() > kMaxTextLength ||
        keyerTextProblem(text) != KeyerTextProblem::None)
        return;
    const std::string letters = std::string("KM") + memoryDigit(memory);
    ports_.link.queueCommand(letters + text + ";");
    ports_.link.queueCommand(letters + ";");
    state_ = static_cast<CwState>(static_cast<int>(CwState::Reading3) + memory);
    startGuard();
}

// The radio state's keyer index says which memory the answer was for; while reading and
// waiting for a read-back the window's state says which memory it expects.
void CwWindow::onKeyerAnswer() {
    const int step = static_cast<int>(state_);
    switch (state_) {
        case CwState::Idle: {
            const int memory = ports_.radio.get(RadioField::KM_index);
            if (isMemory(memory)) showStored(memory);
            break;
        }
        case CwState::Reading1:
        case CwState::Reading2:
            showStored(step);
            state_ = static_cast<CwState>(step + 1);
            break;
        case CwState::Reading3:
            showStored(step);
            finishReading();
            state_ = CwState::Idle;
            break;
        case CwState::ReadBack1:
        case CwState::ReadBack2:
        case CwState::ReadBack3:
            showStored(step - static_cast<int>(CwState::Reading3));
            ++focusRequests_;
            stopGuard();
            state_ = CwState::Idle;
            break;
    }
}

void CwWindow::startGuard() {
    ports_.timers.setTimer(kGuardTimer, kGuardPeriod);
}

void CwWindow::stopGuard() {
    ports_.timers.killTimer(kGuardTimer);
}

}  // namespace panelink
