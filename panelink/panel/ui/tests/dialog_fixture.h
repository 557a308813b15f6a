#pragma once

// The main window with its records, virtual timers and recording ports, for the window tests.

#include <gtest/gtest.h>

#include <QObject>

#include <memory>

#include "panelink/cat/radio_state.h"
#include "panelink/core/event_hub.h"
#include "panelink/core/link_flags.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "panelink/panel/ui/tests/panel_test_ports.h"
#include "panelink/panel/ui/tests/recording_boxes.h"
#include "shared/platform/virtual_time.h"

namespace panelink::uitest {

class DialogFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ =
            std::make_unique<FrontPanelDialog>(PanelRecords{radio_, menu_, flags_}, events_, time_,
                                               boxes_, link_, PanelInputPorts{&popups_, &pointer_});
        time_.setTickHandler([this](int id) { window_->onTimer(id); });
        QObject::connect(window_.get(), &FrontPanelDialog::cancelled, [this] { ++cancels_; });
    }

    void TearDown() override {
        time_.setTickHandler({});
        window_.reset();
    }

    QImage buffer() const { return window_->canvas().image(); }
    AuxWindowRegistry& windows() const { return window_->controller().windows(); }

    EventHub events_;
    RadioState radio_;
    MenuItemTable menu_;
    LinkFlags flags_;
    platform::VirtualTime time_;
    RecordingBoxes boxes_;
    RecordingLink link_;
    FakePointer pointer_;
    ScriptedPopups popups_;
    std::unique_ptr<FrontPanelDialog> window_;
    int cancels_ = 0;
};

}  // namespace panelink::uitest
