#pragma once

#include <cstdint>
#include <iosfwd>
#include <variant>
#include <vector>

namespace panelink {

// Draw bitmap `bitmap` with its top-left corner at (x, y), `width` x `height` pixels taken from
// the bitmap's origin. Pure green (RGB 0, 255, 0) pixels are left out.
struct BlitBitmap {
    int bitmap = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const BlitBitmap&, const BlitBitmap&) = default;
};

// Copy the rectangle (x, y, width, height) of bitmap `bitmap` to the same place of the panel,
// opaque. Used with the two whole-panel pictures to light or restore a knob caption.
struct CopyBitmapRect {
    int bitmap = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const CopyBitmapRect&, const CopyBitmapRect&) = default;
};

// A straight stroke from (x1, y1) to (x2, y2) with a pen of `penWidth` pixels in colour `rgb`
// (0xRRGGBB).
struct DrawLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    std::uint32_t rgb = 0;
    int penWidth = 1;

    friend bool operator==(const DrawLine&, const DrawLine&) = default;
};

// One drawing step for the window's back buffer; a redraw is a list of them, run in order.
using DrawOp = std::variant<BlitBitmap, CopyBitmapRect, DrawLine>;
using DrawList = std::vector<DrawOp>;

inline void append(DrawList& to, const DrawList& ops) {
    to.insert(to.end(), ops.begin(), ops.end());
}

// Readable forms for test failure messages.
std::ostream& operator<<(std::ostream& out, const BlitBitmap& op);
std::ostream& operator<<(std::ostream& out, const CopyBitmapRect& op);
std::ostream& operator<<(std::ostream& out, const DrawLine& op);

}  // namespace panelink
