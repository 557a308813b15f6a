#pragma once

#include <QDialog>

#include <functional>
#include <memory>

#include "panelink/core/event_hub.h"
#include "panelink/panel/dsp_window.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/panel_canvas.h"
#include "panelink/panel/zoom_setting.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class PanelView;
class RadioState;

// What a DSP window uses of the rest of Panelink.
struct DspWindowPorts {
    const RadioState& radio;
    // The window hears its state updates here and reports its closing here.
    EventHub& events;
    RadioLink& link;
    // Makes the window's own numbered timers, ticking into `handler` on the user interface
    // thread.
    std::function<std::unique_ptr<platform::TimerHost>(platform::TimerHost::TickHandler handler)>
        makeTimers;
    // The pointer as the system has it now, unless given.
    PointerState* pointer = nullptr;
};

// The CONTOUR, NOTCH or DNR window: a modeless picture of its own, worked by the mouse. The
// DspWindow behind it decides; this class draws its operations into the window's back buffer,
// hands it the mouse, its timer ticks and the state updates from the event hub. The close box
// and Escape close it; it reports that once through the event hub, and the main window then
// has it deleted.
class DspWindowDialog final : public QDialog, public platform::MessageSink {
    Q_OBJECT

  public:
    DspWindowDialog(DspWindowKind kind, DspWindowPorts ports, QWidget* parent = nullptr);
    ~DspWindowDialog() override;

    // A state update from the event hub, from any thread: handled on the user interface
    // thread.
    bool post(const platform::Message& message) override;

    // Shows the picture at this zoom, as the main window shows the panel; from the bitmaps of
    // the scale the screen needs.
    void setZoom(ZoomSetting setting);

    const DspWindow& logic() const { return *logic_; }
    const PanelCanvas& canvas() const { return canvas_; }
    PanelView* view() const { return view_; }

  public slots:
    // Escape closes the window as the close box does.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void connectInput();
    void draw(const DrawList& ops);
    void applyZoom();

    BitmapStore bitmaps_;
    PanelCanvas canvas_;
    PanelView* view_ = nullptr;
    std::unique_ptr<PointerState> ownPointer_;
    std::unique_ptr<platform::TimerHost> timers_;  // before the logic that uses them
    std::unique_ptr<DspWindow> logic_;
    ZoomSetting zoom_ = kZoomChoices.front().setting;
    bool followsScreenChanges_ = false;
    // Last: ends before anything the handlers use goes.
    EventHub::Subscription subscription_;
};

}  // namespace panelink
