#pragma once

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <variant>

#include "panelink/panel/draw_op.h"

namespace panelink::paneltest {

// What the panel shows after a list of draw operations: the bitmap last blitted at each
// top-left corner. Tests read the result the way a person would look at the panel, without
// depending on the order of the operations.
class Screen {
  public:
    Screen() = default;
    explicit Screen(const DrawList& ops) { run(ops); }

    void run(const DrawList& ops) {
        for (const auto& op : ops) {
            if (const auto* blit = std::get_if<BlitBitmap>(&op)) {
                at_[{blit->x, blit->y}] = blit->bitmap;
            }
        }
    }

    std::optional<int> bitmapAt(int x, int y) const {
        const auto it = at_.find({x, y});
        if (it == at_.end()) return std::nullopt;
        return it->second;
    }

    bool empty() const { return at_.empty(); }

    // Meter bar segments shown lit (bitmap 1431 at x = 59 + 5k, y = 61).
    std::set<int> litMeterSegments() const {
        std::set<int> lit;
        for (int k = 0; k < 31; ++k) {
            if (bitmapAt(59 + 5 * k, 61) == 1431) lit.insert(k);
        }
        return lit;
    }

    // DSP bar segments shown lit in the row at `y` (bitmap 1368 at x = 93 + 11s).
    std::set<int> litBarSegments(int y) const {
        std::set<int> lit;
        for (int s = 0; s < 11; ++s) {
            if (bitmapAt(93 + 11 * s, y) == 1368) lit.insert(s);
        }
        return lit;
    }

    // Number of bar segments drawn at all in the row at `y`.
    int barSegmentsDrawn(int y) const {
        int drawn = 0;
        for (int s = 0; s < 11; ++s) {
            if (bitmapAt(93 + 11 * s, y)) ++drawn;
        }
        return drawn;
    }

  private:
    std::map<std::pair<int, int>, int> at_;
};

inline std::set<int> segments(std::initializer_list<int> list) {
    return std::set<int>(list);
}

// Rows of the DSP bars on the panel.
inline constexpr int kContourRowA = 99;
inline constexpr int kContourRowB = 95;
inline constexpr int kNotchRowA = 113;
inline constexpr int kNotchRowB = 109;
inline constexpr int kDnrRow = 124;
inline constexpr int kWidthRow = 135;
inline constexpr int kShiftRow = 146;

}  // namespace panelink::paneltest
