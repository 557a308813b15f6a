#include "keyweld/ui/standin_link.h"

#include <QSettings>

#include "shared/formats/commo_files.h"

namespace keyweld {
namespace {

constexpr const char* kSettingsFileName = "KSESetting.ini";
constexpr int kDefaultViewMode = 2;

}  // namespace

StandInEditorLink::StandInEditorLink(const std::filesystem::path& workingDir)
    : settingsFile_(workingDir / commo::kCommoFilesDir / kSettingsFileName) {
    log_ = new QPlainTextEdit;
    log_->setWindowTitle(QStringLiteral("Tx/Rx Log"));
    log_->setReadOnly(true);
    log_->resize(420, 313);
    // The log never keeps the program running once the main window has closed.
    log_->setAttribute(Qt::WA_QuitOnClose, false);
}

StandInEditorLink::~StandInEditorLink() {
    delete log_.data();
}

void StandInEditorLink::appendLog(std::string_view line) {
    if (log_)
        log_->appendPlainText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

void StandInEditorLink::toggleLog() {
    if (!log_) return;
    if (log_->isVisible()) {
        log_->hide();
    } else {
        log_->clear();
        log_->show();
    }
}

int StandInEditorLink::readViewMode() {
    QSettings settings(QString::fromStdString(settingsFile_.string()), QSettings::IniFormat);
    return settings.value(QStringLiteral("VIEW/MODE"), kDefaultViewMode).toInt();
}

std::optional<FileWriteFailure> StandInEditorLink::writeViewMode(int mode) {
    std::error_code ignored;
    std::filesystem::create_directories(settingsFile_.parent_path(), ignored);
    QSettings settings(QString::fromStdString(settingsFile_.string()), QSettings::IniFormat);
    settings.setValue(QStringLiteral("VIEW/MODE"), mode);
    settings.sync();
    if (settings.status() != QSettings::NoError) return FileWriteFailure{kSettingsFileName};
    return std::nullopt;
}

}  // namespace keyweld
