#pragma once

#include <QDialog>

#include "panelink/panel/panel_ports.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/windows/mic_eq_preset.h"
#include "shared/platform/message.h"

class QButtonGroup;
class QRadioButton;

namespace panelink {

class MenuItemTable;

// "MIC EQ": the ten microphone presets as radio buttons beside the pictures of their curves,
// 0 to 4 on the left and 5 to 9 on the right. Choosing one writes the transceiver's MIC EQ
// menu item. Escape and the close box end it with MicEqClosed.
class MicEqDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 1498;
    static constexpr int kFirstPresetId = 1173;  // preset k is 1173 + k
    static constexpr int kLeftPicture = 1507;    // presets 0-4
    static constexpr int kRightPicture = 1506;   // presets 5-9
    static constexpr int kLeftPictureX = 36;
    static constexpr int kRightPictureX = 173;
    static constexpr int kPictureY = 12;
    static constexpr int kPictureWidth = 107;
    static constexpr int kPictureHeight = 345;

    MicEqDialog(MenuItemTable& menu, RadioLink& link, platform::MessageSink& mainWindow,
                QWidget* parent);

    // The button of preset 0..9; nullptr for another number.
    QRadioButton* presetButton(int preset) const;

  public slots:
    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    MicEqPreset preset_;
    QButtonGroup* buttons_ = nullptr;
    BitmapStore bitmaps_;
};

}  // namespace panelink
