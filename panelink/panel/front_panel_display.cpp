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
    bool refillsWindows = false;
};

namespace {

using S = DisplayStep;
using A = SideAction;

template <class Name>
constexpr DisplayRoute route(Name name, std::initializer_list<DisplayStep> steps,
                             std::optional<SideAction> action = std::nullopt) {
    DisplayRoute r;
    r.message = id(name);
    for (DisplayStep step : steps)
        r.steps[r.stepCount++] = step;
    r.action = action;
    return r;
}

// A route whose message other windows listen to as well: a full redraw passes it on to them,
// so that a freshly opened window is filled.
template <class Name>
constexpr DisplayRoute shared(Name name, std::initializer_list<DisplayStep> steps) {
    DisplayRoute r = route(name, steps);
    r.refillsWindows = true;
    return r;
}

// Display-update messages of the answers (and of the link), with what each redraws.
constexpr std::array kRoutes{
    route(DisplayUpdate::BS, {}, A::ShowPendingBandPopup),
    route(DisplayUpdate::RT, {S::ClarLabel, S::Frequency}),
    route(DisplayUpdate::SF, {S::DspSelMarkers}),
    shared(DisplayUpdate::BP, {S::NotchBar}),
    shared(DisplayUpdate::CO, {S::ContourBar}),
    shared(DisplayUpdate::NR, {S::DnrBar}),
    route(DisplayUpdate::MenuValueChanged, {S::SelKeyCheck}, A::MenuChangeNoticeIfMenuListOpen),
    route(DisplayUpdate::LK, {S::LockLabel}),
    route(DisplayUpdate::FS, {S::FastLabel}),
    route(DisplayUpdate::VS, {S::Frequency, S::VfoLetters}),
    route(DisplayUpdate::NB, {S::NbBox}),
    route(DisplayUpdate::GT, {S::AgcBox}),
    route(DisplayUpdate::RA, {S::AttBox}),
    route(DisplayUpdate::PA, {S::IpoBox}),
    route(DisplayUpdate::KR, {S::KeyerLabel}),
    route(DisplayUpdate::AC, {S::TunerLabel}),
    route(DisplayUpdate::VX, {S::VoxLabel}),
    route(DisplayUpdate::BI, {S::BkInLabel}),
    route(DisplayUpdate::RM, {S::MeterNewReading}),
    route(DisplayUpdate::SQ, {S::SqlRfKnob}, A::StopReadBack),
    route(DisplayUpdate::AG, {S::AfGainKnob}, A::StopReadBack),
    route(DisplayUpdate::RG, {S::SqlRfKnob}, A::StopReadBack),
    route(DisplayUpdate::IF, {S::ClarifierOffset, S::VfoLetters}),
    route(DisplayUpdate::IS, {S::ShiftBar, S::ShiftKnob}, A::StopReadBack),
    shared(DisplayUpdate::RL, {S::DnrBar}),
    route(DisplayUpdate::BY, {S::BusyLabel}),
    route(DisplayUpdate::FA, {S::Frequency}, A::StopReadBack),
    route(DisplayUpdate::FB, {S::Frequency}, A::StopReadBack),
    route(DisplayUpdate::TX,
          {S::TxLabel, S::Frequency, S::ClarifierOffset, S::VfoLetters, S::PeakResetAndBar}),
    route(DisplayUpdate::AI, {S::ComKey, S::PeakResetIfNoLink}),
    shared(DisplayUpdate::CN, {}),
    shared(DisplayUpdate::CT, {S::EncDecLabels}),
    shared(DisplayUpdate::KM, {}),
    shared(DisplayUpdate::OS, {S::RepeaterShiftLabels}),
    route(DisplayUpdate::RS, {S::MenuBox}, A::MenuChangeNotice),  // only when the menu was left
    route(DisplayUpdate::ID, {S::MeterRedraw}),
    route(DisplayUpdate::MD, {S::ModeLabels, S::AgcBox, S::ShiftCaption, S::ShiftBar, S::NotchBar}),
    route(DisplayUpdate::MS, {S::MeterRedraw}),
    route(DisplayUpdate::PS, {S::PowerKey, S::PeakResetIfOff}),
    shared(DisplayUpdate::RI, {S::PbackLabel, S::AntSymbol, S::SplitLabel}),
    route(DisplayUpdate::BG, {S::WidthBar}),
    route(DisplayUpdate::DQ, {S::EncDecLabels}),
    shared(DisplayUpdate::VC, {}),
    shared(DisplayUpdate::MR, {}),
    route(DisplayUpdate::DA, {}, A::MenuChangeNoticeIfMenuListOpen),
    route(DisplayUpdate::ST, {}, A::CloseStepLongPress),
    route(WindowMessage::LinkFailure, {}, A::ShowLinkFailure),
    route(WindowMessage::Connected, {}, A::CloseConnectingNotice),
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
    id(DisplayUpdate::Reserved303), id(DisplayUpdate::Reserved306), id(DisplayUpdate::FT),
    id(DisplayUpdate::NA),          id(DisplayUpdate::Reserved311), id(DisplayUpdate::Reserved317),
    id(DisplayUpdate::DS),          id(DisplayUpdate::PR),          id(DisplayUpdate::ML),
    id(DisplayUpdate::CS),          id(DisplayUpdate::KP),          id(DisplayUpdate::KS),
    id(DisplayUpdate::Reserved325), id(DisplayUpdate::MG),          id(DisplayUpdate::PL),
    id(DisplayUpdate::VG),          id(DisplayUpdate::VD),          id(DisplayUpdate::Reserved32E),
    id(DisplayUpdate::SH),          id(DisplayUpdate::SM),          id(DisplayUpdate::OI),
    id(DisplayUpdate::PC),          id(DisplayUpdate::Reserved353), id(WindowMessage::Reserved587),
    id(WindowMessage::Reserved58D), id(WindowMessage::Reserved591), id(WindowMessage::Reserved592),
    id(WindowMessage::Reserved599)};

// The first full redraw: every message as if it had arrived, in this order.
struct SentMessage {
    std::uint32_t message;
    std::uintptr_t wparam;
};
constexpr std::array<SentMessage, 48> kFirstRedrawMessages{{
    {id(DisplayUpdate::AI), 0},
    {id(DisplayUpdate::FA), 0},
    {id(DisplayUpdate::FB), 0},
    {id(DisplayUpdate::VX), 0},
    {id(DisplayUpdate::NA), 0},
    {id(DisplayUpdate::Reserved317), 0},
    {id(DisplayUpdate::RA), 0},
    {id(DisplayUpdate::Reserved311), 0},
    {id(DisplayUpdate::Reserved30A), 0},
    {id(DisplayUpdate::GT), 0},
    {id(DisplayUpdate::NB), 0},
    {id(DisplayUpdate::PL), 0},
    {id(DisplayUpdate::PA), 0},
    {id(DisplayUpdate::ML), 0},
    {id(DisplayUpdate::KR), 0},
    {id(DisplayUpdate::BI), 0},
    {id(DisplayUpdate::AC), 0},
    {id(DisplayUpdate::FT), 0},
    {id(DisplayUpdate::LK), 0},
    {id(DisplayUpdate::FS), 0},
    {id(DisplayUpdate::RL), 0},
    {id(DisplayUpdate::RI), 0},
    {id(DisplayUpdate::Reserved306), 0},
    {id(DisplayUpdate::Reserved303), 0},
    {id(DisplayUpdate::RT), 0},
    {id(DisplayUpdate::IF), 0},
    {id(DisplayUpdate::Reserved34A), 0},
    {id(DisplayUpdate::BY), 0},
    {id(DisplayUpdate::SF), 0},
    {id(DisplayUpdate::KS), 0},
    {id(DisplayUpdate::KP), 0},
    {id(DisplayUpdate::SQ), 0},
    {id(DisplayUpdate::MG), 0},
    {id(DisplayUpdate::VG), 0},
    {id(DisplayUpdate::AG), 0},
    {id(DisplayUpdate::IS), 0},
    {id(DisplayUpdate::SH), 0},
    {id(DisplayUpdate::BP), 0},
    {id(DisplayUpdate::CO), 0},
    {id(DisplayUpdate::MS), 0},
    {id(DisplayUpdate::Reserved32E), 0},
    {id(DisplayUpdate::BG), 0},
    {id(DisplayUpdate::RM), 0},
    {id(WindowMessage::DrawMainDial), 0},
    {id(WindowMessage::DrawDspSelKnob), 360},
    {id(WindowMessage::Reserved591), 360},
    {id(WindowMessage::Reserved592), 360},
    {id(WindowMessage::Reserved599), 360},
}};
constexpr std::array<std::uint32_t, 3> kFirstRedrawLastMessages{
    id(DisplayUpdate::MD), id(DisplayUpdate::VS), id(DisplayUpdate::SM)};

// The full redraw: the answers' handlers in this order ...
constexpr std::array<std::uint32_t, 32> kFullRedrawAnswers{
    id(DisplayUpdate::FA), id(DisplayUpdate::FA), id(DisplayUpdate::AI), id(DisplayUpdate::RA),
    id(DisplayUpdate::GT), id(DisplayUpdate::NB), id(DisplayUpdate::PA), id(DisplayUpdate::KR),
    id(DisplayUpdate::BI), id(DisplayUpdate::AC), id(DisplayUpdate::LK), id(DisplayUpdate::FS),
    id(DisplayUpdate::RI), id(DisplayUpdate::RT), id(DisplayUpdate::IF), id(DisplayUpdate::BY),
    id(DisplayUpdate::SF), id(DisplayUpdate::SQ), id(DisplayUpdate::AG), id(DisplayUpdate::IS),
    id(DisplayUpdate::BP), id(DisplayUpdate::NR), id(DisplayUpdate::CO), id(DisplayUpdate::MS),
    id(DisplayUpdate::RM), id(DisplayUpdate::VX), id(DisplayUpdate::DQ), id(DisplayUpdate::TX),
    id(DisplayUpdate::CT), id(DisplayUpdate::OS), id(DisplayUpdate::VC), id(DisplayUpdate::RL)};
// ... then the dials, then these.
constexpr std::array<std::uint32_t, 5> kFullRedrawAfterDials{
    id(DisplayUpdate::MD), id(DisplayUpdate::SF), id(DisplayUpdate::VS), id(DisplayUpdate::BG),
    id(DisplayUpdate::PS)};

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
    // Live, the other windows have the message from the event hub already; a repaint passes
    // it on, and causes nothing else.
    if (mode == Mode::Repaint) {
        if (route.refillsWindows) out.refills.push_back({route.message, 0, 0});
        return;
    }
    if (!route.action) return;
    const SideAction action = *route.action;
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
        if (message.id == ignored) return true;
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
    auto send = [&](std::uint32_t messageId, std::uintptr_t wparam) {
        DisplayResponse one = handleMessage({messageId, wparam, 0});
        append(out.ops, one.ops);
        out.actions.insert(out.actions.end(), one.actions.begin(), one.actions.end());
    };
    for (const auto& m : kFirstRedrawMessages)
        send(m.message, m.wparam);
    append(out.ops, drawFourStateKey(FourStateKey::Com, false, false));
    append(out.ops, drawFourStateKey(FourStateKey::Power, false, false));
    for (std::uint32_t messageId : kFirstRedrawLastMessages)
        send(messageId, 0);
    return out;
}

DisplayResponse FrontPanelDisplay::fullRedraw() {
    DisplayResponse out;
    out.handled = true;
    const PanelSnapshot s = snapshot();
    auto repaint = [&](std::uint32_t messageId) {
        if (const DisplayRoute* r = findRoute(messageId)) runRoute(*r, s, Mode::Repaint, out);
    };
    for (std::uint32_t messageId : kFullRedrawAnswers)
        repaint(messageId);
    append(out.ops, drawMainDial(mainDialAngle_));
    append(out.ops, drawDspSelKnob(kNoPointer, tuningFlag_));
    for (std::uint32_t messageId : kFullRedrawAfterDials)
        repaint(messageId);
    append(out.ops, meterBar(s));
    if (caption_) append(out.ops, drawCaptionHighlight(caption_->lit, caption_->index));
    append(out.ops, drawMenuBox(s));
    return out;
}

}  // namespace panelink
