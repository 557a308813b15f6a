#include "panelink/windows/playback_control.h"

#include "panelink/cat/radio_state.h"

namespace panelink {

PlaybackControl::PlaybackControl(const RadioState& radio, RadioLink& link,
                                 platform::MessageSink& mainWindow)
    : radio_(radio), link_(link), close_(mainWindow, WindowMessage::PlaybackClosed) {}

void PlaybackControl::press(Button button) {
    if (closed()) return;
    for (const ButtonRequest& entry : kButtonRequests) {
        if (entry.button == button) link_.postRequest(entry.request, 0, 0);
    }
}

bool PlaybackControl::recordingReported() const {
    return radio_.get(RadioField::RI_3) != 0;
}

bool PlaybackControl::playingReported() const {
    return radio_.get(RadioField::RI_4) != 0;
}

}  // namespace panelink
