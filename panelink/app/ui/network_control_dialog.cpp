#include "panelink/app/ui/network_control_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "panelink/app/ui/network_control.h"

namespace panelink {
namespace {

constexpr int kHighestPort = 65535;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

}  // namespace

NetworkControlDialog::NetworkControlDialog(NetworkControl& control, QString iniFile,
                                           QWidget* parent)
    : QDialog(parent), control_(control), iniFile_(std::move(iniFile)) {
    setWindowTitle(tr("Network control"));
    const net::NetworkSettings& settings = control.settings();
    enabled_ = new QCheckBox(tr("Serve the rigctld protocol (NET rigctl)"), this);
    enabled_->setObjectName(QStringLiteral("enabled"));
    enabled_->setChecked(settings.enabled);
    address_ = new QLineEdit(text(settings.address), this);
    address_->setObjectName(QStringLiteral("address"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("port"));
    port_->setRange(1, kHighestPort);
    port_->setValue(settings.port);
    allowRemote_ = new QCheckBox(
        tr("Allow other computers (the protocol has no password: anyone who reaches the port "
           "controls the radio)"),
        this);
    allowRemote_->setObjectName(QStringLiteral("allowRemote"));
    allowRemote_->setChecked(settings.allowRemote);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Address:"), address_);
    form->addRow(tr("Port:"), port_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NetworkControlDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NetworkControlDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addLayout(form);
    layout->addWidget(allowRemote_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    showStatus();
}

void NetworkControlDialog::accept() {
    const net::NetworkSettings settings{
        enabled_->isChecked(), address_->text().trimmed().toStdString(),
        static_cast<std::uint16_t>(port_->value()), allowRemote_->isChecked()};
    const auto written = iniFile_.isEmpty()
                             ? commo::IniWriteResult{commo::IniWriteFault::WriteFailed}
                             : net::writeNetworkSettings(iniFile_.toStdString(), settings);
    const net::StartResult started = control_.apply(settings);
    showStatus();
    if (!written.ok()) {
        status_->setText(status_->text() + tr("\nThe settings could not be saved."));
        return;
    }
    if (started.ok) QDialog::accept();
}

void NetworkControlDialog::showStatus() {
    status_->setText(text(control_.status()));
}

}  // namespace panelink
