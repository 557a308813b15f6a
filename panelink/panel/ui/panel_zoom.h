#pragma once

#include "panelink/panel/zoom_setting.h"

namespace panelink {

class PanelCanvas;
class PanelView;

// What showing a picture at a zoom changed.
enum class ZoomChange {
    None,      // already shown so
    Resized,   // the view has another size; the buffer is as it was
    Rescaled,  // the buffer has another scale too: the window must draw it all again
};

// Shows the view at `setting` on a screen of `devicePixelRatio`, from a buffer of the scale
// that screen needs. The main window and the picture windows zoom alike through this.
ZoomChange showAtZoom(ZoomSetting setting, double devicePixelRatio, PanelCanvas& canvas,
                      PanelView& view);

}  // namespace panelink
