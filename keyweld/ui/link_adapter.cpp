#include "keyweld/ui/link_adapter.h"

#include <QString>
#include <QWidget>

#include <string>
#include <utility>

#include "keyweld/link/ui/keyweld_link.h"
#include "keyweld/link/view_mode_file.h"

namespace keyweld {

LinkAdapter::LinkAdapter(KeyweldLink& link, std::filesystem::path workingDir)
    : link_(link), workingDir_(std::move(workingDir)) {}

bool LinkAdapter::portOpen() const {
    return link_.isOpen();
}

SendResult LinkAdapter::sendText(std::string_view text) {
    const auto size = static_cast<qsizetype>(text.size());
    switch (link_.sendText(QString::fromUtf8(text.data(), size))) {
        case SendOutcome::Sent:
            return SendResult::Sent;
        case SendOutcome::PortClosed:
            return SendResult::PortClosed;
        case SendOutcome::Busy:
            return SendResult::WriteFailed;
    }
    return SendResult::WriteFailed;
}

void LinkAdapter::toggleLog() {
    link_.toggleLog();
}

void LinkAdapter::openConfiguration() {
    link_.execConfiguration(dialogParent_.data());
}

int LinkAdapter::readViewMode() {
    return keyweld::readViewMode(workingDir_);
}

std::optional<FileWriteFailure> LinkAdapter::writeViewMode(int mode) {
    if (keyweld::writeViewMode(workingDir_, mode)) return std::nullopt;
    return FileWriteFailure{std::string(kViewModeFileName)};
}

}  // namespace keyweld
