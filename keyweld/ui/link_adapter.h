#pragma once

#include <QPointer>

#include <filesystem>

#include "keyweld/editor/editor_ports.h"

class QWidget;

namespace keyweld {

class KeyweldLink;

// The editor's link on the real serial link: the link sends and keeps the Tx/Rx log (the
// editor logs nothing itself), the view mode lives in CommoFiles/KSESetting.ini.
class LinkAdapter final : public EditorLink {
  public:
    LinkAdapter(KeyweldLink& link, std::filesystem::path workingDir);

    // The window the Configuration dialog opens over; the window outlives no adapter call.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    bool portOpen() const override;
    SendResult sendText(std::string_view text) override;
    void toggleLog() override;
    void openConfiguration() override;
    int readViewMode() override;
    std::optional<FileWriteFailure> writeViewMode(int mode) override;

  private:
    KeyweldLink& link_;
    std::filesystem::path workingDir_;
    QPointer<QWidget> dialogParent_;
};

}  // namespace keyweld
