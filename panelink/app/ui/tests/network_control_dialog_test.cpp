// Setup / Network control with the real server behind it: what OK saves, starts and shows,
// and that a server that cannot start leaves the dialog open with the reason.
#include "panelink/app/ui/network_control_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "panelink/app/ui/network_control.h"
#include "panelink/app/ui/window_services.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/event_hub.h"
#include "panelink/core/link_flags.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/menu_list_model.h"
#include "panelink/panel/ui/tests/panel_test_ports.h"
#include "shared/formats/ini_file.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

// A TCP socket listening on the loopback address; port 0 picks a free one.
class LoopbackListener {
  public:
    explicit LoopbackListener(std::uint16_t port = 0) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (fd_ >= 0 && ::bind(fd_, generic, length) == 0 && ::listen(fd_, 1) == 0 &&
            ::getsockname(fd_, generic, &length) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~LoopbackListener() {
        if (fd_ >= 0) ::close(fd_);
    }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    std::uint16_t port() const { return port_; }

  private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};

// A port nobody listens on a moment ago.
std::uint16_t freePort() {
    return LoopbackListener().port();
}

bool acceptsConnections(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool connected =
        fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) ::close(fd);
    return connected;
}

class NetworkControlDialogTest : public ::testing::Test {
  protected:
    WindowServices services() {
        return WindowServices{
            .events = events_,
            .records = {radio_, menu_, flags_},
            .settings = settings_,
            .workingDirectory = scratch_.path(),
            .postRequest = [](Request, std::uintptr_t, std::intptr_t) { return true; },
            .closePort = [] { return true; },
            .link = link_,
            .menuTable = menu_,
            .menuListMemory = menuListMemory_,
        };
    }

    // The dialog's fields filled in as a user would, then OK clicked.
    void fillInAndClickOk(NetworkControlDialog& dialog, const std::string& address,
                          std::uint16_t port, bool allowRemote) {
        dialog.findChild<QCheckBox*>("enabled")->setChecked(true);
        dialog.findChild<QLineEdit*>("address")->setText(QString::fromStdString(address));
        dialog.findChild<QSpinBox*>("port")->setValue(port);
        dialog.findChild<QCheckBox*>("allowRemote")->setChecked(allowRemote);
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    static QString status(const NetworkControlDialog& dialog) {
        return dialog.findChild<QLabel*>("status")->text();
    }

    std::optional<std::string> saved(const std::string& key) const {
        return commo::readIniValue(iniFile(), "Network", key);
    }

    std::filesystem::path iniFile() const { return scratch_.path() / "Panelink.ini"; }

    platform::ScratchDir scratch_{"panelink-network-dialog"};
    EventHub events_;
    RadioState radio_;
    MenuItemTable menu_;
    MenuListMemory menuListMemory_;
    LinkFlags flags_;
    commo::LinkSettings settings_;
    uitest::RecordingLink link_;
    NetworkControl control_{services()};
};

TEST_F(NetworkControlDialogTest, OkSavesTheSettingsStartsTheServerAndCloses) {
    const std::uint16_t port = freePort();
    ASSERT_NE(port, 0);
    NetworkControlDialog dialog(control_, QString::fromStdString(iniFile().string()));
    dialog.show();
    EXPECT_EQ(status(dialog), "Off");

    fillInAndClickOk(dialog, " 127.0.0.1 ", port, false);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(control_.status(), "Listening on 127.0.0.1:" + std::to_string(port));
    EXPECT_TRUE(acceptsConnections(port));
    EXPECT_EQ(saved("Enabled"), "1");
    EXPECT_EQ(saved("Address"), "127.0.0.1");
    EXPECT_EQ(saved("Port"), std::to_string(port));
    EXPECT_EQ(saved("AllowRemote"), "0");

    // Opened again, it shows what runs; switched off, the port is let go.
    NetworkControlDialog again(control_, QString::fromStdString(iniFile().string()));
    EXPECT_TRUE(again.findChild<QCheckBox*>("enabled")->isChecked());
    EXPECT_EQ(again.findChild<QSpinBox*>("port")->value(), port);
    again.findChild<QCheckBox*>("enabled")->setChecked(false);
    again.accept();
    EXPECT_EQ(control_.status(), "Off");
    EXPECT_FALSE(acceptsConnections(port));
    EXPECT_EQ(saved("Enabled"), "0");
}

TEST_F(NetworkControlDialogTest, AServerThatCannotStartKeepsTheDialogOpenWithTheReason) {
    // A port another program holds.
    const LoopbackListener other;
    ASSERT_NE(other.port(), 0);
    NetworkControlDialog dialog(control_, QString::fromStdString(iniFile().string()));
    dialog.show();
    fillInAndClickOk(dialog, "127.0.0.1", other.port(), false);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(status(dialog).contains("already in use")) << status(dialog).toStdString();
    // What the user chose is kept for the next start all the same.
    EXPECT_EQ(saved("Port"), std::to_string(other.port()));

    // Listening beyond this computer needs the user's explicit allowance.
    fillInAndClickOk(dialog, "0.0.0.0", freePort(), false);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(status(dialog).startsWith("Listening")) << status(dialog).toStdString();
    EXPECT_EQ(control_.status(), status(dialog).toStdString());
}

TEST_F(NetworkControlDialogTest, SettingsThatCannotBeSavedAreSaidSoAndTheDialogStays) {
    std::filesystem::create_directory(iniFile());  // nothing can replace a directory
    NetworkControlDialog dialog(control_, QString::fromStdString(iniFile().string()));
    dialog.show();
    fillInAndClickOk(dialog, "127.0.0.1", freePort(), false);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(status(dialog).contains("could not be saved")) << status(dialog).toStdString();
}

}  // namespace
}  // namespace panelink
