#include "panelink/windows/ui/mic_eq_dialog.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>

namespace panelink {

namespace {

constexpr int kPresetsPerColumn = 5;
constexpr int kButtonSize = 20;
constexpr int kMargin = 12;

}  // namespace

MicEqDialog::MicEqDialog(MenuItemTable& menu, RadioLink& link, platform::MessageSink& mainWindow,
                         QWidget* parent)
    : QDialog(parent), preset_(menu, link, mainWindow) {
    setWindowTitle(tr("MIC EQ"));
    setFixedSize(kRightPictureX + kPictureWidth + kMargin, kPictureY + kPictureHeight + kMargin);

    buttons_ = new QButtonGroup(this);
    const int rowHeight = kPictureHeight / kPresetsPerColumn;
    for (int preset = 0; preset < MicEqPreset::kPresetCount; ++preset) {
        auto* button = new QRadioButton(this);
        button->setObjectName(QStringLiteral("preset%1").arg(kFirstPresetId + preset));
        button->setAccessibleName(tr("Preset %1").arg(preset));
        const int pictureX = preset < kPresetsPerColumn ? kLeftPictureX : kRightPictureX;
        const int row = preset % kPresetsPerColumn;
        button->setGeometry(pictureX - kButtonSize - 4,
                            kPictureY + row * rowHeight + (rowHeight - kButtonSize) / 2,
                            kButtonSize, kButtonSize);
        buttons_->addButton(button, preset);
    }
    if (const auto checked = preset_.checkedPreset()) presetButton(*checked)->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this,
            [this](int preset) { preset_.choose(preset); });
}

QRadioButton* MicEqDialog::presetButton(int preset) const {
    return qobject_cast<QRadioButton*>(buttons_->button(preset));
}

void MicEqDialog::reject() {
    preset_.close();
    QDialog::reject();
}

void MicEqDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(kLeftPictureX, kPictureY, bitmaps_.keyed(kLeftPicture));
    painter.drawImage(kRightPictureX, kPictureY, bitmaps_.keyed(kRightPicture));
}

}  // namespace panelink
