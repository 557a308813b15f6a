#include "panelink/windows/ui/vcc_dialog.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "panelink/windows/ui/entry_widgets.h"

namespace panelink {

VccDialog::VccDialog(const RadioState& radio, EventHub& events, QWidget* parent)
    : QDialog(parent), reading_(radio, events) {
    setWindowTitle(tr("VCC"));
    voltage_ = new QLabel(this);
    voltage_->setObjectName(QStringLiteral("label%1").arg(kVoltageId));
    // Fixed pitch, so the right-aligned figure keeps its place as the voltage changes.
    voltage_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    voltage_->setMinimumWidth(voltage_->fontMetrics().horizontalAdvance(qtText(vccText(999))));
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &VccDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(voltage_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    subscription_ = std::make_unique<WindowSubscription>(
        events,
        EventHub::Interest(VccReading::kRedrawingUpdates.begin(),
                           VccReading::kRedrawingUpdates.end()),
        *this, [this](const platform::Message&) {
            reading_.onVoltageReported();
            voltage_->setText(qtText(reading_.text()));
        });
}

VccDialog::~VccDialog() = default;

void VccDialog::accept() {
    reading_.close();
    QDialog::accept();
}

void VccDialog::reject() {
    reading_.close();
    QDialog::reject();
}

}  // namespace panelink
