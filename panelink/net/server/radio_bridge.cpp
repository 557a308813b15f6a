#include "panelink/net/server/radio_bridge.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/net/dump_state.h"
#include "panelink/net/rig_modes.h"

namespace panelink::net {
namespace {

// The range the radio takes for VFO A and B.
constexpr std::int64_t kLowestHz = 30'000;
constexpr std::int64_t kHighestHz = 60'000'000;

// The request that selects each of the radio's modes, as the MODE keys post them.
struct ModeRequest {
    int radioMode;
    Request request;
};
constexpr ModeRequest kModeRequests[] = {
    {1, Request::SelectModeLsb},       {2, Request::SelectModeUsb}, {3, Request::SelectModeCw},
    {4, Request::SelectModeFm},        {5, Request::SelectModeAm},  {6, Request::SelectModeData},
    {7, Request::SelectModeCwReverse},
};

// The S-meter's reading against dB over S9: S0 at the bottom, S9 at 120, +60 dB at full scale.
struct MeterPoint {
    int reading;
    int db;
};
constexpr std::array<MeterPoint, 3> kMeterScale{{{0, -54}, {120, 0}, {255, 60}}};

constexpr std::string_view kStrength = "STRENGTH";

// Commands that need no radio: answered even while the link is down.
bool needsRadio(CommandId id) {
    switch (id) {
        case CommandId::ChkVfo:
        case CommandId::DumpState:
        case CommandId::DumpCaps:
        case CommandId::Quit:
        case CommandId::GetLockMode:
        case CommandId::SetLockMode:
            return false;
        default:
            return true;
    }
}

Outcome failed(RigError error) {
    Outcome outcome;
    outcome.error = error;
    return outcome;
}

Outcome answered(std::vector<std::string> values) {
    Outcome outcome;
    outcome.values = std::move(values);
    return outcome;
}

template <class T>
T argument(const RigCommand& command, std::size_t index) {
    const T* value = std::get_if<T>(&command.arguments[index]);
    return value != nullptr ? *value : T{};
}

bool onVfoB(const RadioState& radio) {
    return radio.get(RadioField::VS) == 1;
}

bool transmitsOnB(const RadioState& radio) {
    return radio.get(RadioField::FT) == 1;
}

RadioField frequencyField(bool vfoB) {
    return vfoB ? RadioField::FB : RadioField::FA;
}

int dataTypeOption(const MenuItemTable& menu) {
    return static_cast<int>(menu.valueOfKind(kKindDataType));
}

std::optional<ModeMapping> currentMode(const RadioState& radio, const MenuItemTable& menu) {
    return protocolModeFor(radio.get(RadioField::MD_0), dataTypeOption(menu));
}

}  // namespace

int strengthDb(int meterReading) {
    const int reading =
        std::clamp(meterReading, kMeterScale.front().reading, kMeterScale.back().reading);
    for (std::size_t i = 1; i < kMeterScale.size(); ++i) {
        const MeterPoint low = kMeterScale[i - 1];
        const MeterPoint high = kMeterScale[i];
        if (reading > high.reading) continue;
        return low.db + (reading - low.reading) * (high.db - low.db) / (high.reading - low.reading);
    }
    return kMeterScale.back().db;
}

RadioBridge::RadioBridge(const RadioState& radio, MenuItemTable& menu, RadioPorts ports)
    : radio_(radio), menu_(menu), ports_(std::move(ports)) {}

Outcome RadioBridge::handle(const RigCommand& command, SessionState& session) {
    if (command.entry == nullptr) return failed(RigError::NotImplemented);
    if (needsRadio(command.entry->id) && !ports_.linkUp()) return failed(RigError::IoError);
    if (command.entry->kind == CommandKind::Get) return get(command, session);
    return set(command, session);
}

Outcome RadioBridge::get(const RigCommand& command, const SessionState& session) const {
    const auto hz = [&](bool vfoB) { return std::to_string(radio_.get(frequencyField(vfoB))); };
    switch (command.entry->id) {
        case CommandId::GetFreq:
            return answered({hz(onVfoB(radio_))});
        case CommandId::GetSplitFreq:
            return answered({hz(transmitsOnB(radio_))});
        case CommandId::GetMode:
        case CommandId::GetSplitMode: {
            const auto mode = currentMode(radio_, menu_);
            if (!mode) return failed(RigError::NotAvailable);
            return answered({std::string(mode->protocolName), std::to_string(mode->passbandHz)});
        }
        case CommandId::GetVfo:
            return answered({std::string(vfoName(onVfoB(radio_) ? Vfo::B : Vfo::A))});
        case CommandId::GetPtt:
            return answered({radio_.get(RadioField::TX) != 0 ? "1" : "0"});
        case CommandId::GetSplitVfo: {
            const bool txB = transmitsOnB(radio_);
            return answered(
                {txB != onVfoB(radio_) ? "1" : "0", std::string(vfoName(txB ? Vfo::B : Vfo::A))});
        }
        case CommandId::GetLevel: {
            const auto name = argument<std::string>(command, 0);
            if (name == "?") return answered({std::string(kStrength)});
            if (name != kStrength) return failed(RigError::NotAvailable);
            return answered({std::to_string(strengthDb(radio_.get(RadioField::SM_0)))});
        }
        case CommandId::GetPowerstat:
            return answered({radio_.get(RadioField::PS) == 1 ? "1" : "0"});
        case CommandId::GetLockMode:
            return answered({session.lockMode ? "1" : "0"});
        case CommandId::ChkVfo:
            return answered({"0"});
        case CommandId::DumpState:
            return answered({dumpStateText()});
        default:
            return failed(RigError::NotImplemented);
    }
}

Outcome RadioBridge::set(const RigCommand& command, SessionState& session) {
    switch (command.entry->id) {
        case CommandId::SetFreq:
            return setFrequency(argument<std::int64_t>(command, 0), false);
        case CommandId::SetSplitFreq:
            return setFrequency(argument<std::int64_t>(command, 0), true);
        case CommandId::SetMode:
        case CommandId::SetSplitMode:
            return setMode(command, session);
        case CommandId::SetVfo:
            return setVfo(argument<Vfo>(command, 0));
        case CommandId::SetPtt:
            return setPtt(argument<std::int64_t>(command, 0) != 0);
        case CommandId::SetSplitVfo:
            return setSplit(argument<std::int64_t>(command, 0) != 0, argument<Vfo>(command, 1));
        case CommandId::SetLevel:
            return failed(RigError::NotAvailable);
        case CommandId::SetPowerstat:
            return setPower(argument<std::int64_t>(command, 0));
        case CommandId::SetLockMode:
            session.lockMode = argument<std::int64_t>(command, 0) != 0;
            return {};
        case CommandId::Quit: {
            Outcome outcome;
            outcome.close = true;
            return outcome;
        }
        default:
            return failed(RigError::NotImplemented);
    }
}

Outcome RadioBridge::setFrequency(std::int64_t hz, bool transmitVfo) {
    if (hz < kLowestHz || hz > kHighestHz) return failed(RigError::OutOfDomain);
    const bool vfoB = transmitVfo ? transmitsOnB(radio_) : onVfoB(radio_);
    const RadioField field = frequencyField(vfoB);
    return posted(vfoB ? Request::SetVfoBFrequency : Request::SetVfoAFrequency,
                  static_cast<std::intptr_t>(hz),
                  [this, field, hz] { return radio_.get(field) == hz; });
}

// The passband is not mapped to the radio's width setting: the mode alone is set.
Outcome RadioBridge::setMode(const RigCommand& command, const SessionState& session) {
    const auto name = argument<std::string>(command, 0);
    if (name == "?") return answered({protocolModeList()});
    const auto mode = radioModeFor(name);
    if (!mode) return failed(RigError::InvalidParameter);
    if (session.lockMode) return {};
    const auto* request =
        std::find_if(std::begin(kModeRequests), std::end(kModeRequests),
                     [&](const ModeRequest& r) { return r.radioMode == mode->radioMode; });
    if (request == std::end(kModeRequests)) return failed(RigError::InvalidParameter);
    if (mode->dataType) {
        // The kind of data is a menu setting, written as the menu list's OK writes it.
        const int option = static_cast<int>(*mode->dataType);
        bool changed = false;
        menu_.withItemOfKind(kKindDataType, [&](MenuItem& item) {
            if (static_cast<int>(item.value) == option) return;
            item.value = option;
            item.newValue = option;
            item.changed = 1;
            changed = true;
        });
        if (changed && !ports_.post(Request::WriteMenu, 0, 0)) return failed(RigError::IoError);
    }
    const std::string protocolName(mode->protocolName);
    return posted(request->request, 0, [this, protocolName] {
        const auto now = currentMode(radio_, menu_);
        return now && now->protocolName == protocolName;
    });
}

Outcome RadioBridge::setVfo(Vfo vfo) {
    if (vfo != Vfo::A && vfo != Vfo::B) return {};  // the current VFO stays current
    const bool toB = vfo == Vfo::B;
    return posted(toB ? Request::SelectVfoB : Request::SelectVfoA, 0,
                  [this, toB] { return onVfoB(radio_) == toB; });
}

// PTT is a toggle on the radio: it is pressed only when the state differs.
Outcome RadioBridge::setPtt(bool transmit) {
    const auto shown = [this, transmit] { return (radio_.get(RadioField::TX) != 0) == transmit; };
    if (shown()) return {};
    return posted(Request::ToggleTransmit, 0, shown);
}

// Split is which VFO transmits: the other one than the current for split, the current one
// without. A transmit VFO that is not A or B names the other one.
Outcome RadioBridge::setSplit(bool on, Vfo txVfo) {
    const bool rxB = onVfoB(radio_);
    bool txB = rxB;
    if (on) txB = txVfo == Vfo::A ? false : txVfo == Vfo::B ? true : !rxB;
    return posted(txB ? Request::SplitOn : Request::SplitOff, 0,
                  [this, txB] { return transmitsOnB(radio_) == txB; });
}

// Clients may ask for the state the radio is in; switching it off is left to the panel.
Outcome RadioBridge::setPower(std::int64_t status) const {
    const bool on = radio_.get(RadioField::PS) == 1;
    return (status == 1) == on ? Outcome{} : failed(RigError::NotAvailable);
}

Outcome RadioBridge::posted(Request request, std::intptr_t lparam, std::function<bool()> shown) {
    if (!ports_.post(request, 0, lparam)) return failed(RigError::IoError);
    Outcome outcome;
    outcome.shown = std::move(shown);
    return outcome;
}

}  // namespace panelink::net
