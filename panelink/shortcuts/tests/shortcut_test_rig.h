#pragma once

// The key filter with a recording link, virtual time and a scratch working directory.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "panelink/shortcuts/shortcut_key_filter.h"
#include "shared/formats/shortcut_files.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/virtual_time.h"

namespace panelink::shortcutstest {

using commo::BaseKey;

// One command as it was queued, with the virtual time since the start of the test.
struct Queued {
    long long ms;
    std::string text;
    friend bool operator==(const Queued&, const Queued&) = default;
    friend void PrintTo(const Queued& q, std::ostream* out) {
        *out << q.ms << " ms \"" << q.text << "\"";
    }
};

class TimedLink final : public RadioLink {
  public:
    explicit TimedLink(const platform::VirtualTime& time) : time_(time) {}

    void postRequest(Request, std::uintptr_t, std::intptr_t) override {}
    void queueCommand(std::string_view text) override {
        queued.push_back({time_.elapsed().count(), std::string(text)});
    }
    bool portUsable() override { return true; }
    bool menuSettingsRead() override { return true; }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Queued& q : queued)
            out.push_back(q.text);
        return out;
    }

    std::vector<Queued> queued;

  private:
    const platform::VirtualTime& time_;
};

inline ShortcutKeyEvent plain(BaseKey key) {
    return {key, false, false, false};
}
inline ShortcutKeyEvent shift(BaseKey key) {
    return {key, true, false, false};
}
inline ShortcutKeyEvent ctrl(BaseKey key) {
    return {key, false, true, false};
}
inline ShortcutKeyEvent alt(BaseKey key) {
    return {key, false, false, true};
}

class ShortcutRig : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.ok());
        time_.setTickHandler([this](int id) { filter_.onTimer(id); });
    }
    void TearDown() override { time_.setTickHandler({}); }

    // The definition file as Keyweld writes it: each line ended by CR LF.
    void writeLines(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        dir_.writeCommoFile(commo::kShortcutDefinitionFileName, bytes);
    }
    void writeBytes(std::string_view bytes) {
        dir_.writeCommoFile(commo::kShortcutDefinitionFileName, bytes);
    }
    // Line n + 1 is "Snn;", so what a key sends tells its slot.
    void writeSlotNames() {
        std::vector<std::string> lines;
        lines.reserve(commo::kShortcutSlotCount);
        for (int slot = 0; slot < commo::kShortcutSlotCount; ++slot)
            lines.push_back((slot < 10 ? "S0" : "S") + std::to_string(slot) + ";");
        writeLines(lines);
    }

    bool press(const ShortcutKeyEvent& event, bool ordinaryState = false) {
        return filter_.filter(event, ordinaryState);
    }
    // Presses a key and lets its whole text go out.
    std::vector<std::string> sentBy(const ShortcutKeyEvent& event) {
        const std::size_t before = link_.queued.size();
        press(event);
        time_.advance(platform::Milliseconds(2000));
        std::vector<std::string> sent;
        for (std::size_t i = before; i < link_.queued.size(); ++i)
            sent.push_back(link_.queued[i].text);
        return sent;
    }

    commo::ScratchWorkingDir dir_{"shortcuts"};
    platform::VirtualTime time_;
    TimedLink link_{time_};
    bool keysBlocked_ = false;
    int versionBoxes_ = 0;
    ShortcutKeyFilter filter_{{
        .link = link_,
        .timers = time_,
        .workingDirectory = dir_.path(),
        .keysBlocked = [this] { return keysBlocked_; },
        .showVersionBox = [this] { ++versionBoxes_; },
    }};
};

}  // namespace panelink::shortcutstest
