#pragma once

#include <array>
#include <cstdint>

#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/windows/window_close.h"
#include "shared/platform/message.h"

namespace panelink {

class RadioState;

// The Playback window without widgets: each button sends one request for the voice memories
// or the audio recorder, and the two indicators show what the "RI" answers report. The window
// keeps no record of its own of what is playing.
class PlaybackControl {
  public:
    // The ids of the buttons.
    enum class Button : int {
        RecordChannel1 = 1026,
        RecordChannel2 = 1027,
        StopRecording = 1031,
        AudioRecord = 1032,
        AudioRecordStop = 1033,
        PlayChannel1 = 1034,
        PlayChannel2 = 1035,
        StopPlaying = 1039,
        AudioPlay = 1040,
        AudioPlayStop = 1041,
        TransmitChannel1 = 1042,
        TransmitChannel2 = 1043,
        StopTransmitting = 1044,
    };

    struct ButtonRequest {
        Button button;
        Request request;
    };
    static constexpr std::array<ButtonRequest, 13> kButtonRequests{{
        {Button::RecordChannel1, Request::RecordVoiceMemory1},
        {Button::RecordChannel2, Request::RecordVoiceMemory2},
        {Button::StopRecording, Request::StopVoiceRecording},
        {Button::AudioRecord, Request::StartAudioRecording},
        {Button::AudioRecordStop, Request::StopAudioRecording},
        {Button::PlayChannel1, Request::PlayVoiceMemory1},
        {Button::PlayChannel2, Request::PlayVoiceMemory2},
        {Button::StopPlaying, Request::StopVoicePlay},
        {Button::AudioPlay, Request::PlayAudio},
        {Button::AudioPlayStop, Request::StopAudioPlay},
        {Button::TransmitChannel1, Request::TransmitVoiceMemory1},
        {Button::TransmitChannel2, Request::TransmitVoiceMemory2},
        {Button::StopTransmitting, Request::StopVoiceTransmit},
    }};

    // The answer whose display update redraws the indicators.
    static constexpr std::array kRedrawingUpdates{id(DisplayUpdate::RI)};

    PlaybackControl(const RadioState& radio, RadioLink& link, platform::MessageSink& mainWindow);

    void press(Button button);
    // "REC" lights while the transceiver reports recording (RI selector 3), "PLAY" while it
    // reports playing (selector 4).
    bool recordingReported() const;
    bool playingReported() const;

    // The close box or Escape: PlaybackClosed, once.
    bool close() { return close_.report(); }
    bool closed() const { return close_.reported(); }

  private:
    const RadioState& radio_;
    RadioLink& link_;
    WindowClose close_;
};

}  // namespace panelink
