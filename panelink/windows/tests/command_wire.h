#pragma once

// The link of the windows with Anl_Send_Thread's work behind it: every request a window posts
// is built into its commands by the real command sender on a core rig, and text queued
// directly goes on the same send queue, so tests read what would go out on the line.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/cat/command_sender.h"
#include "panelink/cat/menu_setup.h"
#include "panelink/core/command_queue.h"
#include "panelink/core/message_queue.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/testing/core_rig.h"

namespace panelink::windowtest {

class CommandWire final : public RadioLink {
  public:
    struct Posted {
        Request request;
        std::uintptr_t wparam = 0;
        std::intptr_t lparam = 0;
        friend bool operator==(const Posted&, const Posted&) = default;
    };

    CommandWire() { buildMenuItemTable(rig.menu, rig.radio); }

    void postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) override {
        posts.push_back({request, wparam, lparam});
        sender.handle(message(request, wparam, lparam));
    }
    // Kept as handed over, before the queue's own checks.
    void queueCommand(std::string_view text) override {
        handedOver.emplace_back(text);
        panelink::queueCommand(rig.services, text);
    }
    bool portUsable() override { return true; }
    bool menuSettingsRead() override { return false; }

    // Everything on the send queue, in order; the queue is empty afterwards.
    std::vector<std::string> takeCommands() {
        std::vector<std::string> texts;
        std::array<char, MessageQueue::kSlotSize> slot{};
        while (rig.sendQueue.pending() > 0) {
            const int length = rig.sendQueue.pop(slot.data());
            texts.emplace_back(slot.data(), static_cast<std::size_t>(length));
        }
        return texts;
    }

    RadioState& radio() { return rig.radio; }
    MenuItemTable& menu() { return rig.menu; }
    platform::VirtualTime& time() { return rig.time; }

    rig::CoreRig<> rig;
    CommandSender sender{rig.services};
    std::vector<Posted> posts;
    std::vector<std::string> handedOver;
};

}  // namespace panelink::windowtest
