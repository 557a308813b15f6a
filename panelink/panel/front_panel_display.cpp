#include "panelink/panel/front_panel_display.h"

#include <array>
#include <cstddef>
#include <initializer_list>

#include "panelink/panel/display_elements.h"
#include "panelink/panel/display_rules.h"

namespace panelink {

using platform::WM_APP;

enum class DisplayStep : int {
    Frequency,
    ClarifierOffset,
    VfoLetters,
    MeterNewReading,  // scale, the reading through the peak hold, bar with the peak
    MeterRedraw,      // scale, bar with the held peak; the reading is not a new one
    PeakResetAndBar,  // a transmit answer
    PeakResetIfNoLink,
    PeakResetIfOff,
    ComKey,    // released, lit by the link
    PowerKey,  // released, lit by the power state
    SelKeyCheck,
    TxLabel,
    BusyLabel,
    TunerLabel,
    ModeLabels,
    EncDecLabels,
    RepeaterShiftLabels,
    VoxLabel,
    PbackLabel,
    KeyerLabel,
    BkInLabel,
    FastLabel,
    LockLabel,
    AntSymbol,
    MenuBox,
    ClarLabel,
    SplitLabel,
    ShiftCaption,
    DspSelMarkers,
    AttBox,
    IpoBox,
    NbBox,
    AgcBox,
    ContourBar,
    NotchBar,
    DnrBar,
    WidthBar,
    ShiftBar,
    SqlRfKnob,
    AfGainKnob,
    ShiftKnob,
};

struct DisplayRoute {
    std::uint32_t message = 0;
    std::array<DisplayStep, 6> steps{};
    std::size_t stepCount = 0;
    std::optional<SideAction> action;
};

namespace {

using S = DisplayStep;
using A = SideAction;

constexpr DisplayRoute route(std::uint32_t offset, std::initializer_list<DisplayStep> steps,
                             std::optional<SideAction> action = std::nullopt) {
    DisplayRoute r;
    r.message = WM_APP + offset;
    for (DisplayStep step : steps)
        r.steps[r.stepCount++] = step;
    r.action = action;
    return r;
}

// Display-update messages of the answers (and of the link), with what each redraws.
constexpr std::array kRoutes{
    route(0x301, {}, A::ShowPendingBandPopup),
    route(0x302, {S::ClarLabel, S::Frequency}),
    route(0x304, {S::DspSelMarkers}),
    route(0x305, {S::NotchBar}, A::ForwardToNotchWindow),
    route(0x307, {S::ContourBar}, A::ForwardToContourWindow),
    route(0x308, {S::DnrBar}, A::ForwardToDnrWindow),
    route(0x30B, {S::SelKeyCheck}, A::MenuChangeNoticeIfMenuListOpen),
    route(0x30C, {S::LockLabel}),
    route(0x30D, {S::FastLabel}),
    route(0x30E, {S::Frequency, S::VfoLetters}),
    route(0x310, {S::NbBox}),
    route(0x312, {S::AgcBox}),
    route(0x313, {S::AttBox}),
    route(0x314, {S::IpoBox}),
    route(0x315, {S::KeyerLabel}),
    route(0x318, {S::TunerLabel}),
    route(0x31B, {S::VoxLabel}),
    route(0x31C, {S::BkInLabel}),
    route(0x321, {S::MeterNewReading}),
    route(0x32A, {S::SqlRfKnob}, A::StopReadBack),
    route(0x32B, {S::AfGainKnob}, A::StopReadBack),
    route(0x32C, {S::SqlRfKnob}, A::StopReadBack),
    route(0x32D, {S::ClarifierOffset, S::VfoLetters}),
    route(0x32F, {S::ShiftBar, S::ShiftKnob}, A::StopReadBack),
    route(0x331, {S::DnrBar}, A::ForwardToDnrWindow),
    route(0x332, {S::BusyLabel}),
    route(0x333, {S::Frequency}, A::StopReadBack),
    route(0x334, {S::Frequency}, A::StopReadBack),
    route(0x338, {S::TxLabel, S::Frequency, S::ClarifierOffset, S::VfoLetters, S::PeakResetAndBar}),
    route(0x33A, {S::ComKey, S::PeakResetIfNoLink}),
    route(0x33B, {}, A::ForwardToRepeaterWindow),
    route(0x33C, {S::EncDecLabels}, A::ForwardToRepeaterWindow),
    route(0x33D, {}, A::ForwardToCwWindow),
    route(0x340, {S::RepeaterShiftLabels}, A::ForwardToRepeaterWindow),
    route(0x343, {S::MenuBox}, A::MenuChangeNotice),  // only when the menu was left
    route(0x344, {S::MeterRedraw}),
    route(0x345, {S::ModeLabels, S::AgcBox, S::ShiftCaption, S::ShiftBar, S::NotchBar}),
    route(0x346, {S::MeterRedraw}),
    route(0x347, {S::PowerKey, S::PeakResetIfOff}),
    route(0x348, {S::PbackLabel, S::AntSymbol, S::SplitLabel}, A::ForwardToPlaybackWindow),
    route(0x34D, {S::WidthBar}),
    route(0x354, {S::EncDecLabels}),
    route(0x355, {}, A::ForwardToVccWindow),
    route(0x356, {}, A::ForwardToMemoryWriteWindow),
    route(0x359, {}, A::MenuChangeNoticeIfMenuListOpen),
    route(0x35B, {}, A::CloseStepLongPress),
    route(0x109, {}, A::ShowLinkFailure),
    route(0x10A, {}, A::CloseConnectingNotice),
};

constexpr bool routesUnique() {
    for (std::size_t i = 0; i < kRoutes.size(); ++i) {
        for (std::size_t j = i + 1; j < kRoutes.size(); ++j) {
            if (kRoutes[i].message == kRoutes[j].message) return false;
        }
    }
    return true;
}
static_assert(routesUnique(), "a display-update message is routed twice");

const DisplayRoute* findRoute(std::uint32_t message) {
    for (const auto& r : kRoutes) {
        if (r.message == message) return &r;
    }
    return nullptr;
}

// Answers the main window takes no notice of, and drawing messages the window sends itself
// that draw nothing.
constexpr std::array<std::uint32_t, 28> kIgnoredMessages{
    0x303, 0x306, 0x309, 0x30F, 0x311, 0x317, 0x319, 0x31D, 0x31E, 0x31F,
    0x322, 0x323, 0x325, 0x326, 0x327, 0x328, 0x329, 0x32E, 0x330, 0x337,
    0x33F, 0x342, 0x353, 0x587, 0x58D, 0x591, 0x592, 0x599};

// The first full redraw: every message as if it had arrived, in this order.
struct SentMessage {
    std::uint32_t offset;
    std::uintptr_t wparam;
};
constexpr std::array<SentMessage, 48> kFirstRedrawMessages{{
    {0x33A, 0}, {0x333, 0}, {0x334, 0},   {0x31B, 0},   {0x30F, 0},   {0x317, 0},   {0x313, 0},
    {0x311, 0}, {0x30A, 0}, {0x312, 0},   {0x310, 0},   {0x327, 0},   {0x314, 0},   {0x31E, 0},
    {0x315, 0}, {0x31C, 0}, {0x318, 0},   {0x309, 0},   {0x30C, 0},   {0x30D, 0},   {0x331, 0},
    {0x348, 0}, {0x306, 0}, {0x303, 0},   {0x302, 0},   {0x32D, 0},   {0x34A, 0},   {0x332, 0},
    {0x304, 0}, {0x323, 0}, {0x322, 0},   {0x32A, 0},   {0x326, 0},   {0x328, 0},   {0x32B, 0},
    {0x32F, 0}, {0x330, 0}, {0x305, 0},   {0x307, 0},   {0x346, 0},   {0x32E, 0},   {0x34D, 0},
    {0x321, 0}, {0x585, 0}, {0x588, 360}, {0x591, 360}, {0x592, 360}, {0x599, 360},
}};
constexpr std::array<std::uint32_t, 3> kFirstRedrawLastMessages{0x345, 0x30E, 0x337};

// The full redraw: the answers' handlers in this order ...
constexpr std::array<std::uint32_t, 32> kFullRedrawAnswers{
    0x333, 0x333, 0x33A, 0x313, 0x312, 0x310, 0x314, 0x315, 0x31C, 0x318, 0x30C,
    0x30D, 0x348, 0x302, 0x32D, 0x332, 0x304, 0x32A, 0x32B, 0x32F, 0x305, 0x308,
    0x307, 0x346, 0x321, 0x31B, 0x354, 0x338, 0x33C, 0x340, 0x355, 0x331};
// ... then the dials, then these.
constexpr std::array<std::uint32_t, 5> kFullRedrawAfterDials{0x345, 0x304, 0x30E, 0x34D, 0x347};

bool isForward(SideAction action) {
    switch (action) {
        case A::ForwardToNotchWindow:
        case A::ForwardToContourWindow:
        case A::ForwardToDnrWindow:
        case A::ForwardToRepeaterWindow:
        case A::ForwardToCwWindow:
        case A::ForwardToPlaybackWindow:
        case A::ForwardToVccWindow:
        case A::ForwardToMemoryWriteWindow:
            return true;
        default:
            return false;
    }
}

// Steps that draw from the reported state alone.
struct StateRule {
    DisplayStep step;
    DrawList (*draw)(const PanelSnapshot&);
};
constexpr std::array<StateRule, 28> kStateRules{{
    {S::ClarifierOffset, drawClarifierOffset},
    {S::VfoLetters, drawVfoLetters},
    {S::TxLabel, drawTxLabel},
    {S::BusyLabel, drawBusyLabel},
    {S::ModeLabels, drawModeLabels},
    {S::EncDecLabels, drawEncDecLabels},
    {S::RepeaterShiftLabels, drawRepeaterShiftLabels},
    {S::VoxLabel, drawVoxLabel},
    {S::KeyerLabel, drawKeyerLabel},
    {S::BkInLabel, drawBkInLabel},
    {S::FastLabel, drawFastLabel},
    {S::MenuBox, drawMenuBox},
    {S::ClarLabel, drawClarLabel},
    {S::SplitLabel, drawSplitLabel},
    {S::ShiftCaption, drawShiftCaption},
    {S::DspSelMarkers, drawDspSelMarkers},
    {S::AttBox, drawAttBox},
    {S::IpoBox, drawIpoBox},
    {S::NbBox, drawNbBox},
    {S::AgcBox, drawAgcBox},
    {S::ContourBar, drawContourBar},
    {S::NotchBar, drawNotchBar},
    {S::DnrBar, drawDnrBar},
    {S::WidthBar, drawWidthBar},
    {S::ShiftBar, drawShiftBar},
    {S::SqlRfKnob, drawSqlRfKnob},
    {S::AfGainKnob, drawAfGainKnob},
    {S::ShiftKnob, drawShiftKnob},
}};

bool selDialTunes(const PanelSnapshot& s) {
    return s.selDialSetting == 2 || s.selDialSetting == 3;
}

}  // namespace

FrontPanelDisplay::FrontPanelDisplay(const RadioState& radio, const MenuItemTable& menu,
                                     platform::TimerHost& timers)
    : radio_(radio), menu_(menu), timers_(timers), meter_(timers) {}

void FrontPanelDisplay::start() {
    using platform::Milliseconds;
    timers_.setTimer(kTimerFrequencyA, Milliseconds(30));
    timers_.setTimer(kTimerFrequencyB, Milliseconds(30));
    timers_.setTimer(kTimerFirstRedraw, Milliseconds(10));
    timers_.setTimer(kTimerBlink, Milliseconds(300));
}

void FrontPanelDisplay::requestFullRedraw() {
    timers_.setTimer(kTimerFullRedraw, platform::Milliseconds(30));
}

PanelSnapshot FrontPanelDisplay::snapshot() const {
    return readPanelSnapshot(radio_, menu_);
}

DrawList FrontPanelDisplay::meterBar(const PanelSnapshot& s) const {
    return drawMeterBar(meter_.value(), meter_.peak(), s.connected && s.poweredOn);
}

void FrontPanelDisplay::selKeyIndicator(std::uintptr_t wparam, const PanelSnapshot& s,
                                        DrawList& ops) {
    if (!selDialTunes(s)) {
        tuningFlag_ = false;
    } else if (wparam == 1) {
        tuningFlag_ = !tuningFlag_;
    }
    append(ops, drawDspSelKnob(kNoPointer, tuningFlag_));
    append(ops, drawKeyCap(id(WindowMessage::SelKey), wparam));
}

void FrontPanelDisplay::runStep(DisplayStep step, const PanelSnapshot& s, Mode mode,
                                DisplayResponse& out) {
    DrawList& ops = out.ops;
    const bool live = mode == Mode::Live;
    const bool meterLive = s.connected && s.poweredOn;
    switch (step) {
        case S::Frequency:
            append(ops, drawFrequency(s, selectedDigit_));
            break;
        case S::MeterNewReading:
        case S::MeterRedraw:
            append(ops, drawMeterScale(s));
            if (!meterSelectionKnown(s.meterSelection)) break;
            if (step == S::MeterNewReading && live) {
                const bool holdAllowed = meterLive && !s.transmitting && s.peakHoldSetting != 0;
                meter_.newReading(s.meterReading, holdAllowed);
            } else {
                meter_.setValue(s.meterReading);
            }
            append(ops, meterBar(s));
            break;
        case S::PeakResetAndBar:
            if (!live) break;
            meter_.reset();
            append(ops, meterBar(s));
            break;
        case S::PeakResetIfNoLink:
            if (!live || s.connected) break;
            meter_.reset();
            append(ops, meterBar(s));
            break;
        case S::PeakResetIfOff:
            if (!live || s.poweredOn) break;
            meter_.reset();
            append(ops, meterBar(s));
            break;
        case S::ComKey:
            append(ops, drawFourStateKey(FourStateKey::Com, false, s.connected));
            break;
        case S::PowerKey:
            append(ops, drawFourStateKey(FourStateKey::Power, false, s.poweredOn));
            break;
        case S::SelKeyCheck:
            selKeyIndicator(0, s, ops);
            break;
        case S::TunerLabel:
            append(ops, drawTunerLabel(s, blinkPhase_));
            break;
        case S::PbackLabel:
            append(ops, drawPbackLabel(s, blinkPhase_));
            break;
        case S::AntSymbol:
            append(ops, drawAntSymbol(s, blinkPhase_));
            break;
        case S::LockLabel:
            append(ops, drawLockLabel(s, menuListReady_));
            break;
        default:
            for (const auto& rule : kStateRules) {
                if (rule.step == step) append(ops, rule.draw(s));
            }
            break;
    }
}

void FrontPanelDisplay::runRoute(const DisplayRoute& route, const PanelSnapshot& s, Mode mode,
                                 DisplayResponse& out) {
    for (std::size_t i = 0; i < route.stepCount; ++i)
        runStep(route.steps[i], s, mode, out);
    if (!route.action) return;
    const SideAction action = *route.action;
    if (mode == Mode::Repaint && !isForward(action)) return;
    // The notice after "RS" is due only when the transceiver has left its menu.
    if (action == A::MenuChangeNotice && s.menuState != 0) return;
    out.actions.push_back(action);
}

bool FrontPanelDisplay::handleWindowMessage(const platform::Message& message,
                                            const PanelSnapshot& s, DisplayResponse& out) {
    const std::uintptr_t w = message.wparam;
    if (is(message, WindowMessage::ComKey) || is(message, WindowMessage::PowerKey)) {
        if (w <= 1) {
            const bool com = is(message, WindowMessage::ComKey);
            append(out.ops, drawFourStateKey(com ? FourStateKey::Com : FourStateKey::Power, w == 1,
                                             com ? s.connected : s.poweredOn));
        }
        return true;
    }
    if (is(message, WindowMessage::SelKey)) {
        selKeyIndicator(w, s, out.ops);
        return true;
    }
    if (keyCapIndex(message.id)) {
        append(out.ops, drawKeyCap(message.id, w));
        return true;
    }
    if (is(message, WindowMessage::DrawMainDial)) {
        mainDialAngle_ = static_cast<int>(w % 360);
        append(out.ops, drawMainDial(mainDialAngle_));
        return true;
    }
    if (is(message, WindowMessage::SelectDigit)) {
        // A digit index outside 0..8 is not a digit: the selection stays as it was.
        if (w <= 8) {
            selectedDigit_ = static_cast<int>(w);
            append(out.ops, drawFrequency(s, selectedDigit_));
        }
        return true;
    }
    if (is(message, WindowMessage::DrawDspSelKnob)) {
        const int angle =
            w < static_cast<std::uintptr_t>(kNoPointer) ? static_cast<int>(w) : kNoPointer;
        append(out.ops, drawDspSelKnob(angle, tuningFlag_));
        return true;
    }
    if (is(message, WindowMessage::KnobCaption)) {
        // Only a valid request is kept, to be repeated by the full redraw.
        if (w <= 1 && message.lparam >= 0 && message.lparam < kCaptionCount) {
            const CaptionRequest request{static_cast<int>(w), static_cast<int>(message.lparam)};
            caption_ = request;
            append(out.ops, drawCaptionHighlight(request.lit, request.index));
        }
        return true;
    }
    if (is(message, WindowMessage::Exit)) {
        out.actions.push_back(A::Exit);
        return true;
    }
    if (is(message, WindowMessage::MenuListReady) || is(message, WindowMessage::MenuListClosed)) {
        menuListReady_ = is(message, WindowMessage::MenuListReady);
        append(out.ops, drawLockLabel(s, menuListReady_));
        if (is(message, WindowMessage::MenuListClosed)) {
            selKeyIndicator(0, s, out.ops);
            out.actions.push_back(A::MenuListClosed);
        }
        return true;
    }
    for (std::uint32_t ignored : kIgnoredMessages) {
        if (message.id == WM_APP + ignored) return true;
    }
    return false;
}

DisplayResponse FrontPanelDisplay::handleMessage(const platform::Message& message) {
    DisplayResponse out;
    const PanelSnapshot s = snapshot();
    if (const DisplayRoute* r = findRoute(message.id)) {
        runRoute(*r, s, Mode::Live, out);
        out.handled = true;
        return out;
    }
    out.handled = handleWindowMessage(message, s, out);
    return out;
}

DisplayResponse FrontPanelDisplay::onTimer(int timerId) {
    DisplayResponse out;
    switch (timerId) {
        case kTimerFrequencyA:
        case kTimerFrequencyB: {
            out.ops = drawFrequency(snapshot(), selectedDigit_);
            break;
        }
        case kTimerFirstRedraw:
            timers_.killTimer(kTimerFirstRedraw);
            return firstFullRedraw();
        case kTimerFullRedraw:
            timers_.killTimer(kTimerFullRedraw);
            return fullRedraw();
        case kTimerPeakHold:
            meter_.dropPeak();
            out.ops = meterBar(snapshot());
            break;
        case kTimerBlink: {
            blinkPhase_ = !blinkPhase_;
            const PanelSnapshot s = snapshot();
            append(out.ops, drawPbackLabel(s, blinkPhase_));
            append(out.ops, drawAntSymbol(s, blinkPhase_));
            append(out.ops, drawTunerLabel(s, blinkPhase_));
            break;
        }
        default:
            return out;
    }
    out.handled = true;
    return out;
}

DisplayResponse FrontPanelDisplay::firstFullRedraw() {
    DisplayResponse out;
    out.handled = true;
    auto send = [&](std::uint32_t offset, std::uintptr_t wparam) {
        DisplayResponse one = handleMessage({WM_APP + offset, wparam, 0});
        append(out.ops, one.ops);
        out.actions.insert(out.actions.end(), one.actions.begin(), one.actions.end());
    };
    for (const auto& m : kFirstRedrawMessages)
        send(m.offset, m.wparam);
    append(out.ops, drawFourStateKey(FourStateKey::Com, false, false));
    append(out.ops, drawFourStateKey(FourStateKey::Power, false, false));
    for (std::uint32_t offset : kFirstRedrawLastMessages)
        send(offset, 0);
    return out;
}

DisplayResponse FrontPanelDisplay::fullRedraw() {
    DisplayResponse out;
    out.handled = true;
    const PanelSnapshot s = snapshot();
    auto repaint = [&](std::uint32_t offset) {
        if (const DisplayRoute* r = findRoute(WM_APP + offset)) runRoute(*r, s, Mode::Repaint, out);
    };
    for (std::uint32_t offset : kFullRedrawAnswers)
        repaint(offset);
    append(out.ops, drawMainDial(mainDialAngle_));
    append(out.ops, drawDspSelKnob(kNoPointer, tuningFlag_));
    for (std::uint32_t offset : kFullRedrawAfterDials)
        repaint(offset);
    append(out.ops, meterBar(s));
    if (caption_) append(out.ops, drawCaptionHighlight(caption_->lit, caption_->index));
    append(out.ops, drawMenuBox(s));
    return out;
}

}  // namespace panelink
