#pragma once

// The panel controller's ports for window tests: a link that records what is sent, a pointer
// the test sets, and pop-up menus the test answers.

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/core/requests.h"
#include "panelink/panel/panel_ports.h"

namespace panelink {

inline void PrintTo(const PanelPoint& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}

}  // namespace panelink

namespace panelink::uitest {

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
    bool portUsable() override { return usable; }
    bool menuSettingsRead() override { return settingsRead; }

    bool sent(Request request) const {
        for (const Posted& p : posts) {
            if (p.request == request) return true;
        }
        return false;
    }

    std::vector<Posted> posts;
    std::vector<std::string> queued;
    bool usable = true;
    bool settingsRead = false;
};

class FakePointer final : public PointerState {
  public:
    bool isButtonDown(MouseButton button) const override {
        return button == MouseButton::Left ? left : right;
    }
    PanelPoint cursor() const override { return at; }

    bool left = false;
    bool right = false;
    PanelPoint at{-1, -1};
};

class ScriptedPopups final : public PopupPresenter {
  public:
    struct Shown {
        PanelPoint position;
        std::vector<std::string> texts;
        std::vector<int> ids;
        std::vector<bool> checked;
    };

    int choose(PanelPoint position, std::span<const PopupEntry> entries) override {
        Shown menu{position, {}, {}, {}};
        for (const PopupEntry& entry : entries) {
            menu.texts.emplace_back(entry.text);
            menu.ids.push_back(entry.id);
            menu.checked.push_back(entry.checked);
        }
        shown.push_back(menu);
        return answer ? answer(shown.back()) : 0;
    }

    // The id the user picks from a menu; dismissed (0) when not set.
    std::function<int(const Shown&)> answer;
    std::vector<Shown> shown;
};

}  // namespace panelink::uitest
