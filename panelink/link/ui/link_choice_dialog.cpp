#include "panelink/link/ui/link_choice_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace panelink {

LinkChoiceDialog::LinkChoiceDialog(LinkChoiceKind kind, LinkDialogServices services,
                                   const QString& title, QWidget* parent,
                                   std::chrono::milliseconds stepInterval)
    : QDialog(parent), choice_(kind, std::move(services)) {
    setWindowTitle(title);

    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("choiceList%1").arg(kChoiceListId));
    list_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const LinkChoice::Entry& entry : choice_.entries()) {
        list_->addItem(QString::fromStdString(entry.label), entry.number);
    }
    list_->setCurrentIndex(choice_.currentIndex());

    note_ = new QLabel(tr("Switching auto-information off\u2026"), this);
    note_->setVisible(false);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("CANCEL"), this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    auto* lists = new QHBoxLayout;
    lists->addWidget(list_);
    layout->addLayout(lists);
    if (kind == LinkChoiceKind::Port) addDeviceChoice(lists);
    if (hint_ != nullptr) layout->addWidget(hint_);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    stepTimer_ = new QTimer(this);
    stepTimer_->setInterval(stepInterval);

    // activated comes from the user only (mouse, keys, wheel), never from the preselection.
    connect(list_, &QComboBox::activated, this, [this](int index) { choice_.pick(index); });
    connect(list_->view(), &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { activateEntry(index.row()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &LinkChoiceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LinkChoiceDialog::reject);
    connect(stepTimer_, &QTimer::timeout, this, &LinkChoiceDialog::onStep);
}

LinkChoiceDialog::~LinkChoiceDialog() = default;

void LinkChoiceDialog::addDeviceChoice(QLayout* beside) {
    devices_ = new QComboBox(this);
    devices_->setObjectName(QStringLiteral("deviceList"));
    devices_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    devices_->setToolTip(tr("The serial device for the selected COM port"));
    for (const LinkChoice::Device& device : choice_.devices()) {
        devices_->addItem(QString::fromStdString(device.label),
                          QString::fromStdString(device.path));
        devices_->setItemData(devices_->count() - 1, QString::fromStdString(device.hint),
                              Qt::ToolTipRole);
    }
    devices_->setPlaceholderText(choice_.devices().empty() ? tr("No serial device found")
                                                           : tr("Device\u2026"));
    devices_->setEnabled(!choice_.devices().empty());
    beside->addWidget(devices_);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("accessHint"));
    hint_->setWordWrap(true);
    hint_->setVisible(false);

    showDeviceOfEntry(list_->currentIndex());
    connect(list_, &QComboBox::currentIndexChanged, this, &LinkChoiceDialog::showDeviceOfEntry);
    // The hint comes with the highlight, before the user picks the device.
    connect(devices_, &QComboBox::highlighted, this, &LinkChoiceDialog::showAccessHint);
    connect(devices_, &QComboBox::activated, this, &LinkChoiceDialog::pickDevice);
}

void LinkChoiceDialog::showDeviceOfEntry(int entryIndex) {
    const int device = choice_.deviceIndexFor(entryIndex);
    devices_->setCurrentIndex(device);
    showAccessHint(device);
}

void LinkChoiceDialog::showAccessHint(int deviceIndex) {
    const auto& devices = choice_.devices();
    const bool inList = deviceIndex >= 0 && static_cast<std::size_t>(deviceIndex) < devices.size();
    const std::string text = inList ? devices[static_cast<std::size_t>(deviceIndex)].hint : "";
    hint_->setText(QString::fromStdString(text));
    hint_->setVisible(!text.empty());
}

void LinkChoiceDialog::pickDevice(int deviceIndex) {
    const int entry = list_->currentIndex();
    if (!choice_.pickDevice(entry, deviceIndex)) {
        if (!choice_.failureText().empty()) showFailure();
        showDeviceOfEntry(entry);
        return;
    }
    list_->setItemText(
        entry, QString::fromStdString(choice_.entries()[static_cast<std::size_t>(entry)].label));
    showAccessHint(deviceIndex);
}

QMessageBox* LinkChoiceDialog::failureBox() const {
    return failureBox_.data();
}

void LinkChoiceDialog::activateEntry(int index) {
    if (index < 0 || index >= list_->count()) return;
    if (choice_.waiting() || choice_.ended() || failureBox_) return;
    list_->hidePopup();
    list_->setCurrentIndex(index);
    choice_.pick(index);
    accept();
}

void LinkChoiceDialog::accept() {
    if (choice_.waiting() || failureBox_) return;
    switch (choice_.confirm()) {
        case LinkChoice::Result::Closed:
            QDialog::accept();
            break;
        case LinkChoice::Result::Failed:
            showFailure();
            break;
        case LinkChoice::Result::Waiting:
            setBusy(true);
            stepTimer_->start();
            break;
    }
}

void LinkChoiceDialog::reject() {
    // While auto-information is being switched off the dialog cannot be left: the sequence
    // must finish so the port and the settings end up consistent.
    if (!choice_.cancel()) return;
    QDialog::reject();
}

void LinkChoiceDialog::onStep() {
    if (choice_.step()) return;
    stepTimer_->stop();
    setBusy(false);
    QDialog::accept();
}

void LinkChoiceDialog::setBusy(bool busy) {
    ok_->setEnabled(!busy);
    cancel_->setEnabled(!busy);
    list_->setEnabled(!busy);
    if (devices_ != nullptr) devices_->setEnabled(!busy && !choice_.devices().empty());
    note_->setVisible(busy);
}

void LinkChoiceDialog::showFailure() {
    auto* box =
        new QMessageBox(QMessageBox::Warning, windowTitle(),
                        QString::fromStdString(choice_.failureText()), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    failureBox_ = box;
    box->open();
}

ComSelectDialog::ComSelectDialog(LinkDialogServices services, QWidget* parent,
                                 std::chrono::milliseconds stepInterval)
    : LinkChoiceDialog(LinkChoiceKind::Port, std::move(services), tr("COM Select"), parent,
                       stepInterval) {}

BaudRateDialog::BaudRateDialog(LinkDialogServices services, QWidget* parent,
                               std::chrono::milliseconds stepInterval)
    : LinkChoiceDialog(LinkChoiceKind::Baud, std::move(services), tr("Baud rate"), parent,
                       stepInterval) {}

}  // namespace panelink
