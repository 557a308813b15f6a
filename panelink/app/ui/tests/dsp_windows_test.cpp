// The DSP windows as the program has them: opened from the panel's DSP pop-up through the
// window registry and the program's registrations, shown as children of the main window, and
// closed with one closing message each, after which the main window deletes them.
#include <gtest/gtest.h>

#include <QAction>
#include <QPointer>
#include <QTest>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "panelink/app/ui/aux_windows.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/ui/dsp_window_dialog.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/panel_test_ports.h"
#include "panelink/panel/ui/tests/recording_boxes.h"
#include "panelink/testing/qt_test_support.h"
#include "shared/platform/virtual_time.h"

namespace panelink {
namespace {

using uitest::waitUntil;

constexpr QPoint kDspKey(172, 195);

struct DspCase {
    const char* item;  // the DSP pop-up's text, trailing blanks included
    AuxWindow window;
    WindowMessage closed;
    const char* caption;
};

void PrintTo(const DspCase& c, std::ostream* out) {
    *out << c.caption;
}

// Hears the closing messages on the event hub as they are published, inside the closing
// window's handler.
class ClosingLog final : public platform::MessageSink {
  public:
    bool post(const platform::Message& message) override {
        messages.push_back(message);
        if (during) during(message);
        return true;
    }
    std::vector<platform::Message> messages;
    std::function<void(const platform::Message&)> during;
};

class DspWindowsTest : public ::testing::TestWithParam<DspCase> {
  protected:
    void SetUp() override {
        window_ =
            std::make_unique<FrontPanelDialog>(PanelRecords{radio_, menu_, flags_}, events_, time_,
                                               boxes_, link_, PanelInputPorts{&popups_, &pointer_});
        time_.setTickHandler([this](int id) { window_->onTimer(id); });
        window_->setAuxFactory([this](AuxWindow which, FrontPanelDialog& owner) {
            return createAuxWindow(which, services(), owner);
        });
        window_->show();
        closings_ = events_.subscribe(log_, {id(GetParam().closed)}, EventHub::Rank::Listener);
    }

    void TearDown() override {
        time_.setTickHandler({});
        window_.reset();
    }

    WindowServices services() {
        return WindowServices{
            .events = events_,
            .records = {radio_, menu_, flags_},
            .settings = settings_,
            .workingDirectory = ".",
            .postRequest = [](Request, std::uintptr_t, std::intptr_t) { return true; },
            .closePort = [] { return true; },
            .link = link_,
            .menuTable = menu_,
            .menuListMemory = menuListMemory_,
        };
    }

    // A click on the DSP key with the parameter's item chosen from the pop-up.
    DspWindowDialog* openFromTheDspPopup() {
        const double zoom = window_->view()->zoom();
        const QPoint key(static_cast<int>(kDspKey.x() * zoom),
                         static_cast<int>(kDspKey.y() * zoom));
        popups_.answer = [](const uitest::ScriptedPopups::Shown& menu) {
            for (std::size_t i = 0; i < menu.texts.size(); ++i) {
                if (menu.texts[i] == GetParam().item) return menu.ids[i];
            }
            return 0;
        };
        QTest::mouseClick(window_->view(), Qt::LeftButton, {}, key);
        return qobject_cast<DspWindowDialog*>(window_->auxWindow(GetParam().window));
    }

    // The View/Zoom item with this text, chosen as the user does.
    void chooseZoom(const QString& label) {
        for (QAction* action : window_->findChildren<QAction*>()) {
            if (action->text() == label && action->isCheckable()) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no zoom item " << label.toStdString();
    }

    EventHub events_;
    MenuListMemory menuListMemory_;
    RadioState radio_;
    MenuItemTable menu_;
    LinkFlags flags_;
    commo::LinkSettings settings_;
    platform::VirtualTime time_;
    uitest::RecordingBoxes boxes_;
    uitest::RecordingLink link_;
    uitest::FakePointer pointer_;
    uitest::ScriptedPopups popups_;
    ClosingLog log_;
    EventHub::Subscription closings_;
    std::unique_ptr<FrontPanelDialog> window_;
};

TEST_P(DspWindowsTest, ThePopupsItemOpensTheWindowAsAChildOfThePanelAndGraysTheMenu) {
    DspWindowDialog* dsp = openFromTheDspPopup();
    ASSERT_NE(dsp, nullptr);
    EXPECT_TRUE(dsp->isVisible());
    EXPECT_EQ(dsp->parentWidget(), window_.get());
    EXPECT_EQ(dsp->windowTitle(), QString::fromUtf8(GetParam().caption));
    EXPECT_TRUE(window_->controller().windows().isOpen(GetParam().window));
    EXPECT_FALSE(window_->menuAction(kMenuComSelect)->isEnabled());
}

TEST_P(DspWindowsTest, ClosingReportsOnceAndTheWindowIsDeletedOnlyAfterItsCloseHandler) {
    QPointer<DspWindowDialog> dsp = openFromTheDspPopup();
    ASSERT_TRUE(dsp);
    dsp->close();
    QTest::keyClick(dsp.data(), Qt::Key_Escape);
    dsp->close();
    EXPECT_TRUE(dsp) << "still there when its close handler has returned";
    EXPECT_EQ(log_.messages, (std::vector{message(GetParam().closed)}));

    ASSERT_TRUE(waitUntil([&] { return dsp.isNull(); }));
    EXPECT_FALSE(window_->controller().windows().isOpen(GetParam().window));
    EXPECT_TRUE(window_->menuAction(kMenuComSelect)->isEnabled());
    EXPECT_EQ(log_.messages.size(), 1u);
}

TEST_P(DspWindowsTest, TheWindowIsShownAtTheMainWindowsZoomAndFollowsTheUsersNextChoice) {
    QPointer<DspWindowDialog> dsp = openFromTheDspPopup();
    ASSERT_TRUE(dsp);
    const QSize fullSize = dsp->view()->size();
    chooseZoom(QStringLiteral("200 %"));
    EXPECT_EQ(dsp->view()->size(), fullSize * 2);
    EXPECT_EQ(dsp->canvas().scale(), 2);
    dsp->close();
    ASSERT_TRUE(waitUntil([&] { return dsp.isNull(); }));

    // Opened again while the panel is zoomed.
    dsp = openFromTheDspPopup();
    ASSERT_TRUE(dsp);
    EXPECT_EQ(dsp->view()->size(), fullSize * 2);
    EXPECT_EQ(dsp->canvas().scale(), 2);
}

// Were the closing message handled at once, inside the window's close handler (as a sent
// message would be), the window must still outlive that handler.
TEST_P(DspWindowsTest, AClosingMessageHandledInsideTheCloseHandlerDefersTheDeletion) {
    QPointer<DspWindowDialog> dsp = openFromTheDspPopup();
    ASSERT_TRUE(dsp);
    bool handled = false;
    log_.during = [&](const platform::Message& closing) {
        window_->handleMessage(closing);
        handled = !window_->controller().windows().isOpen(GetParam().window);
    };
    dsp->close();
    EXPECT_TRUE(handled);
    EXPECT_TRUE(dsp) << "not deleted inside its own close handler";
    ASSERT_TRUE(waitUntil([&] { return dsp.isNull(); }));
}

INSTANTIATE_TEST_SUITE_P(
    EachDspWindow, DspWindowsTest,
    ::testing::Values(DspCase{"CONTOUR", AuxWindow::Contour, WindowMessage::ContourClosed,
                              "CONTOUR"},
                      DspCase{"NOTCH  ", AuxWindow::Notch, WindowMessage::NotchClosed, "NOTCH"},
                      DspCase{"DNR    ", AuxWindow::Dnr, WindowMessage::DnrClosed, "DNR"}),
    [](const ::testing::TestParamInfo<DspCase>& shown) {
        return std::string(shown.param.caption);
    });

}  // namespace
}  // namespace panelink
