#include "panelink/panel/draw_op.h"

#include <ios>
#include <ostream>

namespace panelink {

std::ostream& operator<<(std::ostream& out, const BlitBitmap& op) {
    return out << "blit " << op.bitmap << " at (" << op.x << ", " << op.y << ") " << op.width << "x"
               << op.height;
}

std::ostream& operator<<(std::ostream& out, const CopyBitmapRect& op) {
    return out << "copy " << op.bitmap << " rect (" << op.x << ", " << op.y << ") " << op.width
               << "x" << op.height;
}

std::ostream& operator<<(std::ostream& out, const DrawLine& op) {
    return out << "line (" << op.x1 << ", " << op.y1 << ")-(" << op.x2 << ", " << op.y2
               << ") colour 0x" << std::hex << op.rgb << std::dec << " width " << op.penWidth;
}

}  // namespace panelink
