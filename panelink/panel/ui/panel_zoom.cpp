#include "panelink/panel/ui/panel_zoom.h"

#include "panelink/panel/ui/panel_canvas.h"
#include "panelink/panel/ui/panel_view.h"

namespace panelink {

ZoomChange showAtZoom(ZoomSetting setting, double devicePixelRatio, PanelCanvas& canvas,
                      PanelView& view) {
    const double zoom = viewZoom(setting, devicePixelRatio);
    const int scale = bufferScale(zoom, devicePixelRatio);
    if (zoom == view.zoom() && scale == canvas.scale()) return ZoomChange::None;
    const bool rescaled = scale != canvas.scale();
    canvas.setScale(scale);
    view.setZoom(zoom);
    return rescaled ? ZoomChange::Rescaled : ZoomChange::Resized;
}

}  // namespace panelink
