#pragma once

namespace panelink {

// A point in panel pixels: x to the right, y downwards, from the picture's top-left corner.
struct PanelPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const PanelPoint&, const PanelPoint&) = default;
};

}  // namespace panelink
