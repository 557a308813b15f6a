#pragma once

// The panel controller with recording stand-ins for the main window, the auxiliary windows,
// the pop-up menus, the pointer and the link, in virtual time.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "panelink/cat/menu_setup.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/panel_controller.h"
#include "shared/platform/virtual_time.h"

namespace panelink::paneltest {

struct PostedRequest {
    Request request;
    std::uintptr_t wparam;
    std::intptr_t lparam;
    friend bool operator==(const PostedRequest&, const PostedRequest&) = default;
};

inline PostedRequest readBack(Request request, std::intptr_t value) {
    return {request, kReadBackBit, value};
}
inline PostedRequest plain(Request request, std::intptr_t value = 0) {
    return {request, 0, value};
}

inline void PrintTo(const PostedRequest& r, std::ostream* os) {
    *os << "{0x" << std::hex << static_cast<std::uint32_t>(r.request) << ", w 0x" << r.wparam
        << std::dec << ", l " << r.lparam << "}";
}

class RecordingWindow final : public PanelWindow {
  public:
    void send(const platform::Message& message) override { sent.push_back(message); }
    bool dspSelTuning() const override { return tuning; }
    void showMessageBox(int stringId) override { boxes.push_back(stringId); }
    void showVersionBox() override { ++versionBoxes; }
    void runReadingNotice(std::function<void()> closed) override {
        ++readingNotices;
        closeReadingNotice = std::move(closed);
    }

    // The last wparam sent with a message of `name`.
    template <class Name>
    std::optional<std::uintptr_t> last(Name name) const {
        for (auto it = sent.rbegin(); it != sent.rend(); ++it) {
            if (is(*it, name)) return it->wparam;
        }
        return std::nullopt;
    }
    template <class Name>
    std::vector<platform::Message> all(Name name) const {
        std::vector<platform::Message> out;
        for (const auto& m : sent) {
            if (is(m, name)) out.push_back(m);
        }
        return out;
    }

    std::vector<platform::Message> sent;
    std::vector<int> boxes;
    int versionBoxes = 0;
    int readingNotices = 0;
    std::function<void()> closeReadingNotice;  // the notice's own close, for the test to call
    bool tuning = false;
};

class RecordingHost final : public AuxWindowHost {
  public:
    bool createWindow(AuxWindow window) override {
        if (!existing.contains(window)) return false;
        created.push_back(window);
        return true;
    }
    void destroyWindow(AuxWindow window) override { destroyed.push_back(window); }
    void focusWindow(AuxWindow window) override { focused.push_back(window); }
    void setMenuEnabled(bool enabled) override { menuEnabled = enabled; }

    // Windows the program has; the others cannot be created.
    std::set<AuxWindow> existing{AuxWindow::ComSelect,       AuxWindow::BaudRate, AuxWindow::Cw,
                                 AuxWindow::Playback,        AuxWindow::Repeater, AuxWindow::Notch,
                                 AuxWindow::Contour,         AuxWindow::Dnr,      AuxWindow::Vcc,
                                 AuxWindow::ConnectingNotice};
    std::vector<AuxWindow> created;
    std::vector<AuxWindow> destroyed;
    std::vector<AuxWindow> focused;
    bool menuEnabled = true;
};

// Shows nothing: records each pop-up and answers with the id the test chose.
class ScriptedPopups final : public PopupPresenter {
  public:
    struct Shown {
        PanelPoint position;
        std::vector<std::string> texts;
        std::set<int> checked;
    };

    int choose(PanelPoint position, std::span<const PopupEntry> entries) override {
        Shown menu{position, {}, {}};
        for (const PopupEntry& entry : entries) {
            menu.texts.emplace_back(entry.text);
            if (entry.checked) menu.checked.insert(entry.id);
        }
        shown.push_back(std::move(menu));
        if (during) during();
        if (answers.empty()) return 0;
        const int id = answers.front();
        answers.erase(answers.begin());
        return id;
    }

    std::vector<int> answers;      // ids chosen in turn; 0 or none left dismisses
    std::function<void()> during;  // runs while the menu is up
    std::vector<Shown> shown;
};

class FakePointer final : public PointerState {
  public:
    bool isButtonDown(MouseButton button) const override {
        return button == MouseButton::Left ? left : right;
    }
    PanelPoint cursor() const override { return at; }

    bool left = false;
    bool right = false;
    PanelPoint at{};
};

class RecordingLink final : public RadioLink {
  public:
    void postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) override {
        requests.push_back({request, wparam, lparam});
    }
    void queueCommand(std::string_view text) override { queued.emplace_back(text); }
    bool portUsable() override { return usable; }
    bool menuSettingsRead() override { return settingsRead; }

    std::vector<PostedRequest> requests;
    std::vector<std::string> queued;
    bool usable = true;
    bool settingsRead = false;
};

// Panel points of some controls.
inline constexpr PanelPoint kLockKey{612, 286};
inline constexpr PanelPoint kComKey{50, 195};
inline constexpr PanelPoint kDspKey{172, 195};
inline constexpr PanelPoint kNbKey{297, 195};
inline constexpr PanelPoint kAgcKey{357, 195};
inline constexpr PanelPoint kIpoAttKey{237, 195};
inline constexpr PanelPoint kVoxKey{797, 84};
inline constexpr PanelPoint kStepKey{748, 129};
inline constexpr PanelPoint kBandUpKey{612, 195};
inline constexpr PanelPoint kModeDownKey{297, 243};
inline constexpr PanelPoint kClarKey{357, 286};
inline constexpr PanelPoint kPlusLabel{373, 67};
inline constexpr PanelPoint kEncLabel{365, 52};
inline constexpr PanelPoint kUsbLabel{290, 67};
inline constexpr PanelPoint kDigit3{450, 120};  // 100 Hz
inline constexpr PanelPoint kEmptyPanel{450, 20};
inline constexpr PanelPoint kMainDialCentre{517, 240};
inline constexpr PanelPoint kAfGainKnob{792, 276};
inline constexpr PanelPoint kShiftKnob{68, 276};
inline constexpr PanelPoint kDspSelKnob{172, 276};

class ControllerTest : public ::testing::Test {
  protected:
    ControllerTest() {
        time.setTickHandler([this](int id) { controller.onTimer(id); });
    }

    void buildMenu() { buildMenuItemTable(menu, radio); }
    void connect() { radio.store(RadioField::AI, 1); }

    // A click: press, then release at the same point with the pointer following.
    void click(PanelPoint p) {
        press(p);
        release(p);
    }
    void press(PanelPoint p) {
        pointer.at = p;
        pointer.left = true;
        controller.leftPress(p);
    }
    void release(PanelPoint p) {
        pointer.at = p;
        pointer.left = false;
        controller.leftRelease(p);
    }
    void rightClick(PanelPoint p) {
        pointer.at = p;
        pointer.right = true;
        controller.rightPress(p);
        pointer.right = false;
        controller.rightRelease(p);
    }
    void wheel(PanelPoint p, int delta) {
        pointer.at = p;
        controller.wheel(p, delta);
    }
    void advance(int ms) { time.advance(platform::Milliseconds(ms)); }

    std::vector<PostedRequest> takeRequests() { return std::exchange(link.requests, {}); }

    RadioState radio;
    MenuItemTable menu;
    platform::VirtualTime time;
    RecordingWindow window;
    RecordingHost host;
    ScriptedPopups popups;
    FakePointer pointer;
    RecordingLink link;
    PanelController controller{radio, menu,
                               PanelController::Ports{window, host, popups, pointer, link, time}};
};

}  // namespace panelink::paneltest
