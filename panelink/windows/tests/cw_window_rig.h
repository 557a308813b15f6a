#pragma once

// The CW window's surroundings for tests: the radio state, a link that records requests and
// queued texts, a recording main window and virtual time.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/panel/panel_ports.h"
#include "shared/platform/testing/recording_window.h"
#include "shared/platform/virtual_time.h"

namespace panelink::cwtest {

class RecordingLink final : public RadioLink {
  public:
    struct Posted {
        Request request;
        std::uintptr_t wparam = 0;
        std::intptr_t lparam = 0;
        friend bool operator==(const Posted&, const Posted&) = default;
        friend void PrintTo(const Posted& p, std::ostream* out) {
            *out << "{WM_APP+0x" << std::hex << (static_cast<std::uint32_t>(p.request) - 0x8000)
                 << ", wparam 0x" << p.wparam << std::dec << ", lparam " << p.lparam << "}";
        }
    };

    void postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) override {
        posts.push_back({request, wparam, lparam});
    }
    void queueCommand(std::string_view text) override { queued.emplace_back(text); }
    bool portUsable() override { return true; }
    bool menuSettingsRead() override { return false; }

    void clear() {
        posts.clear();
        queued.clear();
    }

    std::vector<Posted> posts;
    std::vector<std::string> queued;
};

// A "KM" answer as the answer parser stores it: the memory number in the keyer index and the
// radio's 50 characters, padded with blanks, in that memory's record.
inline void storeKeyerAnswer(RadioState& radio, int memory, std::string_view text) {
    std::string padded(text);
    padded.resize(RadioState::kKeyerTextMax, ' ');
    radio.store(RadioField::KM_index, memory);
    radio.storeKeyerText(memory, padded);
}

}  // namespace panelink::cwtest
