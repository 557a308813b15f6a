#include "panelink/panel/ui/dsp_window_dialog.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWindow>

#include "panelink/panel/ui/live_pointer_state.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/panel_zoom.h"

namespace panelink {

DspWindowDialog::DspWindowDialog(DspWindowKind kind, DspWindowPorts ports, QWidget* parent)
    : QDialog(parent),
      canvas_(bitmaps_, dspWindowProfile(kind).background, dspWindowProfile(kind).width,
              dspWindowProfile(kind).height) {
    const DspWindowProfile& profile = dspWindowProfile(kind);
    setWindowTitle(
        QString::fromUtf8(profile.caption.data(), static_cast<qsizetype>(profile.caption.size())));
    setObjectName(QStringLiteral("dialog%1").arg(profile.dialogId));
    // A title and a close box; the picture has a fixed size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);

    view_ = new PanelView(canvas_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    PointerState* pointer = ports.pointer;
    if (pointer == nullptr) {
        ownPointer_ = std::make_unique<LivePointerState>(*view_);
        pointer = ownPointer_.get();
    }
    timers_ = ports.makeTimers([this](int timerId) {
        if (logic_) draw(logic_->onTimer(timerId));
    });
    logic_ = std::make_unique<DspWindow>(
        kind, ports.radio, DspWindow::Ports{ports.link, *pointer, *timers_, ports.events});
    connectInput();
    draw(logic_->open());
    subscription_ = ports.events.subscribe(*this, logic_->interest());
}

DspWindowDialog::~DspWindowDialog() {
    // No update may arrive while the members go.
    subscription_.reset();
}

void DspWindowDialog::connectInput() {
    connect(view_, &PanelView::pressed, this, [this](MouseButton button, PanelPoint at) {
        draw(button == MouseButton::Left ? logic_->leftPress(at) : logic_->rightPress());
    });
    connect(view_, &PanelView::doubleClicked, this, [this](MouseButton button, PanelPoint) {
        draw(button == MouseButton::Left ? logic_->leftDoubleClick() : logic_->rightPress());
    });
    connect(view_, &PanelView::released, this, [this](MouseButton button, PanelPoint) {
        draw(button == MouseButton::Left ? logic_->leftRelease() : logic_->rightRelease());
    });
    connect(view_, &PanelView::wheelTurned, this,
            [this](PanelPoint at, int delta) { draw(logic_->wheel(at, delta)); });
}

bool DspWindowDialog::post(const platform::Message& message) {
    QMetaObject::invokeMethod(
        this, [this, message] { draw(logic_->onDisplayUpdate(message.id)); }, Qt::QueuedConnection);
    return true;
}

void DspWindowDialog::draw(const DrawList& ops) {
    if (ops.empty()) return;
    view_->refresh(canvas_.run(ops));
}

void DspWindowDialog::setZoom(ZoomSetting setting) {
    zoom_ = setting;
    applyZoom();
}

void DspWindowDialog::applyZoom() {
    const ZoomChange change = showAtZoom(zoom_, devicePixelRatioF(), canvas_, *view_);
    if (change == ZoomChange::None) return;
    // The background is at the new scale already; the key and the knobs are drawn again
    // from its bitmaps rather than left resampled.
    if (change == ZoomChange::Rescaled) draw(logic_->open());
    adjustSize();
}

void DspWindowDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!followsScreenChanges_ && windowHandle() != nullptr) {
        followsScreenChanges_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { applyZoom(); });
    }
    applyZoom();
}

void DspWindowDialog::reject() {
    close();
}

void DspWindowDialog::closeEvent(QCloseEvent* event) {
    // Reported once however the window closes; the main window deletes it once this handler
    // has returned.
    logic_->close();
    event->accept();
}

}  // namespace panelink
