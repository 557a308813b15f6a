// Every window of this folder opened by the main window through its registry, as the program
// does: it shows, reports its close once, and goes only after its handler has returned.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "panelink/app/ui/aux_windows.h"
#include "panelink/app/ui/window_services.h"
#include "panelink/panel/ui/tests/dialog_fixture.h"
#include "panelink/testing/qt_test_support.h"
#include "panelink/windows/ui/command_send_dialog.h"
#include "panelink/windows/ui/vfo_set_dialog.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::windowtest {
namespace {

struct RegisteredWindow {
    AuxWindow window;
    const char* className;
    WindowMessage closed;
};

std::string nameOf(const RegisteredWindow& entry) {
    std::string name = entry.className;
    return name.substr(name.rfind(':') + 1);
}

class RegistryWindowTest : public uitest::DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        window_->setAuxFactory([this](AuxWindow which, FrontPanelDialog& owner) {
            return createAuxWindow(which, services_, owner);
        });
        EventHub::Interest closings;
        for (int i = 0; i < kAuxWindowCount; ++i)
            closings.push_back(AuxWindowRegistry::closedMessage(static_cast<AuxWindow>(i)));
        listener_ = events_.subscribe(closingsHeard_, closings, EventHub::Rank::Listener);
    }
    void TearDown() override {
        listener_.reset();
        DialogFixture::TearDown();
    }

    commo::LinkSettings settings_;
    MenuListMemory menuListMemory_;
    WindowServices services_{
        .events = events_,
        .records = {radio_, menu_, flags_},
        .settings = settings_,
        .workingDirectory = std::filesystem::temp_directory_path(),
        .postRequest = [](Request, std::uintptr_t, std::intptr_t) { return true; },
        .closePort = [] { return true; },
        .link = link_,
        .menuTable = menu_,
        .menuListMemory = menuListMemory_,
    };
    platform::RecordingSink closingsHeard_;
    EventHub::Subscription listener_;
};

class EachRegisteredWindow : public RegistryWindowTest,
                             public ::testing::WithParamInterface<RegisteredWindow> {};

TEST_P(EachRegisteredWindow, OpensThroughTheRegistryShowsAndReportsItsCloseOnce) {
    const RegisteredWindow& entry = GetParam();
    ASSERT_TRUE(windows().open(entry.window));
    QPointer<QWidget> dialog = window_->auxWindow(entry.window);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_STREQ(dialog->metaObject()->className(), entry.className);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), window_.get());
    EXPECT_FALSE(window_->menuAction(kMenuRepeater)->isEnabled());

    QTest::keyClick(dialog, Qt::Key_Escape);
    qobject_cast<QDialog*>(dialog.data())->reject();
    // Its end is a message for later: the window outlives its own handler.
    EXPECT_FALSE(dialog.isNull());
    ASSERT_TRUE(uitest::waitUntil([&] { return dialog.isNull(); }));
    EXPECT_FALSE(windows().isOpen(entry.window));
    EXPECT_TRUE(window_->menuAction(kMenuRepeater)->isEnabled());
    EXPECT_EQ(closingsHeard_.count(id(entry.closed)), 1u);
    EXPECT_EQ(closingsHeard_.messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EachRegisteredWindow,
    ::testing::Values(
        RegisteredWindow{AuxWindow::Repeater, "panelink::RepeaterDialog",
                         WindowMessage::RepeaterClosed},
        RegisteredWindow{AuxWindow::Playback, "panelink::PlaybackDialog",
                         WindowMessage::PlaybackClosed},
        RegisteredWindow{AuxWindow::VfoSet, "panelink::VfoSetDialog", WindowMessage::VfoSetClosed},
        RegisteredWindow{AuxWindow::CommandSend, "panelink::CommandSendDialog",
                         WindowMessage::CommandSendClosed},
        RegisteredWindow{AuxWindow::MemoryWrite, "panelink::MemoryWriteDialog",
                         WindowMessage::MemoryWriteClosed},
        RegisteredWindow{AuxWindow::Vcc, "panelink::VccDialog", WindowMessage::VccClosed},
        RegisteredWindow{AuxWindow::MicEq, "panelink::MicEqDialog", WindowMessage::MicEqClosed}),
    [](const auto& window) { return nameOf(window.param); });

TEST_F(RegistryWindowTest, AWindowThatEndsItselfGoesOnlyAfterItsHandlerHasReturned) {
    ASSERT_TRUE(windows().open(AuxWindow::CommandSend));
    QPointer<CommandSendDialog> dialog =
        qobject_cast<CommandSendDialog*>(window_->auxWindow(AuxWindow::CommandSend));
    ASSERT_FALSE(dialog.isNull());
    dialog->edit()->setText(QStringLiteral("FA;"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isNull());
    ASSERT_TRUE(uitest::waitUntil([&] { return dialog.isNull(); }));
    EXPECT_EQ(link_.queued, std::vector<std::string>{"FA;"});
    EXPECT_EQ(closingsHeard_.count(id(WindowMessage::CommandSendClosed)), 1u);
}

TEST_F(RegistryWindowTest, EnterOnThePanelOpensVfoSetAndThenSetsTheTypedFrequency) {
    window_->show();
    QTest::keyClick(window_.get(), Qt::Key_Return);
    auto* vfoSet = qobject_cast<VfoSetDialog*>(window_->auxWindow(AuxWindow::VfoSet));
    ASSERT_NE(vfoSet, nullptr);
    vfoSet->edit()->setText(QStringLiteral("7100000"));

    link_.posts.clear();
    QTest::keyClick(window_.get(), Qt::Key_Return);
    ASSERT_TRUE(uitest::waitUntil([&] { return !windows().isOpen(AuxWindow::VfoSet); }));
    ASSERT_EQ(link_.posts.size(), 1u);
    EXPECT_EQ(link_.posts[0].request, Request::SetVfoAFrequency);
    EXPECT_EQ(link_.posts[0].lparam, 7100000);
    EXPECT_EQ(closingsHeard_.messages(),
              std::vector<platform::Message>{message(WindowMessage::VfoSetClosed, 7100000)});
}

}  // namespace
}  // namespace panelink::windowtest
