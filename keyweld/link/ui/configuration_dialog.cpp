#include "keyweld/link/ui/configuration_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shared/formats/link_settings.h"

namespace keyweld {

namespace {

constexpr int kPortsPerColumn = 5;

}  // namespace

QString portButtonCaption(int portNo) {
    if (portNo < 10) return QStringLiteral("COM&%1").arg(portNo);
    if (portNo == 10) return QStringLiteral("COM1&0");
    return QStringLiteral("COM%1").arg(portNo);
}

ConfigurationDialog::ConfigurationDialog(LinkSession& session, QWidget* parent)
    : QDialog(parent), choice_(session) {
    setWindowTitle(QStringLiteral("Configuration"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPortGroup());
    layout->addWidget(buildBaudRow());
    layout->addWidget(buildButtons());
    showInitialChoice();
}

QWidget* ConfigurationDialog::buildPortGroup() {
    auto* group = new QGroupBox(QStringLiteral("COM Port"), this);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel(QStringLiteral("Select COM Port"), group));
    auto* grid = new QGridLayout();
    layout->addLayout(grid);
    portGroup_ = new QButtonGroup(this);
    for (int index = 0; index < kPortChoices; ++index) {
        const PortProbe& probe = choice_.ports()[static_cast<std::size_t>(index)];
        auto* button = new QRadioButton(portButtonCaption(probe.portNo), group);
        QString tip = QString::fromStdString(probe.devicePath);
        if (!probe.usable) {
            tip += QStringLiteral(" (") + QString::fromUtf8(probe.reason.text()) +
                   (probe.reason.detail.empty()
                        ? QString()
                        : QStringLiteral(": ") + QString::fromStdString(probe.reason.detail)) +
                   QStringLiteral(")");
        }
        button->setToolTip(tip);
        button->setEnabled(probe.usable);
        portGroup_->addButton(button, index);
        grid->addWidget(button, index % kPortsPerColumn, index / kPortsPerColumn);
        ports_[static_cast<std::size_t>(index)] = button;
    }
    return group;
}

QWidget* ConfigurationDialog::buildBaudRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Baud rate"), row);
    baud_ = new QComboBox(row);
    for (const commo::NamedNumber& entry : commo::kBaudTable)
        baud_->addItem(QString::fromUtf8(entry.name.data(), static_cast<int>(entry.name.size())));
    label->setBuddy(baud_);
    layout->addWidget(label);
    layout->addWidget(baud_, 1);
    return row;
}

QWidget* ConfigurationDialog::buildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    ok_ = new QPushButton(QStringLiteral("&Ok"), row);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), row);
    ok_->setDefault(true);
    layout->addStretch(1);
    layout->addWidget(ok_);
    layout->addWidget(cancel_);
    connect(ok_, &QPushButton::clicked, this, &ConfigurationDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &ConfigurationDialog::reject);
    return row;
}

void ConfigurationDialog::showInitialChoice() {
    if (const std::optional<int> port = choice_.initialPortIndex()) {
        ports_[static_cast<std::size_t>(*port)]->setChecked(true);
    }
    baud_->setCurrentIndex(choice_.initialBaudIndex().value_or(-1));
}

void ConfigurationDialog::accept() {
    std::optional<int> port;
    if (const int checked = portGroup_->checkedId(); checked >= 0) port = checked;
    std::optional<int> baud;
    if (baud_->currentIndex() >= 0) baud = baud_->currentIndex();
    choice_.accept(port, baud);
    QDialog::accept();
}

void ConfigurationDialog::reject() {
    // The close box and Escape end like Cancel, so the link is never left closed by the probe.
    choice_.cancel();
    QDialog::reject();
}

}  // namespace keyweld
