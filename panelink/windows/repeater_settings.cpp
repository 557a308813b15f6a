#include "panelink/windows/repeater_settings.h"

#include <span>

#include "panelink/cat/radio_state.h"
#include "panelink/core/requests.h"
#include "panelink/menu/menu_defaults.h"

namespace panelink {

namespace {

constexpr std::array<std::string_view, 3> kModeTexts{"OFF", "Tone Squelch", "Tone Encoder"};
constexpr std::array<std::string_view, 3> kShiftTexts{"Simplex", "Plus Shift", "Minus Shift"};

// The operating modes in which the transceiver has CTCSS: FM and its variants.
constexpr std::array<std::int32_t, 3> kFmModes{4, 10, 11};

struct ButtonRequest {
    RepeaterSettings::Button button;
    Request request;
};

constexpr std::array<ButtonRequest, 6> kButtonRequests{{
    {RepeaterSettings::Button::Off, Request::SetToneOff},
    {RepeaterSettings::Button::Encoder, Request::SetToneEncoder},
    {RepeaterSettings::Button::Squelch, Request::SetToneSquelch},
    {RepeaterSettings::Button::Simplex, Request::SetRepeaterSimplex},
    {RepeaterSettings::Button::Plus, Request::SetRepeaterPlus},
    {RepeaterSettings::Button::Minus, Request::SetRepeaterMinus},
}};

std::string textOf(std::span<const std::string_view> texts, std::int32_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= texts.size())
        return std::string(kUnknownValueText);
    return std::string(texts[static_cast<std::size_t>(value)]);
}

bool isModeButton(RepeaterSettings::Button button) {
    using B = RepeaterSettings::Button;
    return button == B::Off || button == B::Encoder || button == B::Squelch;
}

}  // namespace

std::string ctcssModeText(std::int32_t mode) {
    return textOf(kModeTexts, mode);
}

std::string toneText(std::int32_t tone) {
    if (tone < 0 || static_cast<std::size_t>(tone) >= kToneFrequencies.size())
        return std::string(kUnknownValueText);
    return std::string(kToneFrequencies[static_cast<std::size_t>(tone)]) + " Hz";
}

std::string shiftText(std::int32_t shift) {
    return textOf(kShiftTexts, shift);
}

RepeaterSettings::RepeaterSettings(const RadioState& radio, RadioLink& link,
                                   platform::MessageSink& mainWindow)
    : radio_(radio),
      link_(link),
      close_(mainWindow, WindowMessage::RepeaterClosed),
      vfoLabel_(radio.get(RadioField::VS) == 1 ? "<VFO-B>" : "<VFO-A>") {
    link_.postRequest(Request::ReadSideInformation, 0, 0);
}

std::string RepeaterSettings::boxText(Box box) const {
    switch (box) {
        case Box::Mode:
            return ctcssModeText(radio_.get(RadioField::CT_0));
        case Box::Tone:
            return toneText(radio_.get(RadioField::CN_0));
        case Box::Shift:
            return shiftText(radio_.get(RadioField::OS_0));
    }
    return std::string(kUnknownValueText);
}

std::optional<RepeaterSettings::Box> RepeaterSettings::boxRedrawnBy(std::uint32_t messageId) {
    if (messageId == id(DisplayUpdate::CT)) return Box::Mode;
    if (messageId == id(DisplayUpdate::CN)) return Box::Tone;
    if (messageId == id(DisplayUpdate::OS)) return Box::Shift;
    return std::nullopt;
}

void RepeaterSettings::press(Button button) {
    if (closed()) return;
    if (isModeButton(button) && !inFmMode()) return;
    for (const ButtonRequest& entry : kButtonRequests) {
        if (entry.button == button) link_.postRequest(entry.request, 0, 0);
    }
}

bool RepeaterSettings::inFmMode() const {
    const std::int32_t mode = radio_.get(RadioField::MD_0);
    for (const std::int32_t fm : kFmModes) {
        if (mode == fm) return true;
    }
    return false;
}

}  // namespace panelink
