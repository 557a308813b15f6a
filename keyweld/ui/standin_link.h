#pragma once

// STAND-IN until Keyweld's serial link is integrated: replace StandInEditorLink in main.cpp by
// the link's own EditorLink (serial component, Configuration dialog, Tx/Rx log window and
// KSESetting.ini). Nothing else refers to this file.

#include <QPlainTextEdit>
#include <QPointer>

#include <filesystem>

#include "keyweld/editor/editor_ports.h"

namespace keyweld {

// No port (every send reports a closed port), a plain log window, no Configuration dialog,
// and the view mode kept in CommoFiles/KSESetting.ini ([VIEW] MODE).
class StandInEditorLink final : public EditorLink {
  public:
    explicit StandInEditorLink(const std::filesystem::path& workingDir);
    ~StandInEditorLink() override;

    bool portOpen() const override { return false; }
    SendResult sendText(std::string_view) override { return SendResult::PortClosed; }
    void appendLog(std::string_view line) override;
    void toggleLog() override;
    void openConfiguration() override {}
    int readViewMode() override;
    std::optional<FileWriteFailure> writeViewMode(int mode) override;

  private:
    std::filesystem::path settingsFile_;
    QPointer<QPlainTextEdit> log_;
};

}  // namespace keyweld
