#include "panelink/panel/ui/reading_notice_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "panelink/core/messages.h"
#include "panelink/panel/ui/panel_strings.h"

namespace panelink {

namespace {

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

}  // namespace

ReadingNoticeDialog::ReadingNoticeDialog(LinkFlags& flags, EventHub& events, QWidget* parent)
    : QDialog(parent), notice_(flags) {
    setWindowTitle(text(kProductName));
    // No close box: the notice goes when the read-out is done with it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::WindowModal);
    text_ = new QLabel(text(panelString(ReadingNotice::kStringId)), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    longestWait_.setSingleShot(true);
    longestWait_.setInterval(static_cast<int>(ReadingNotice::kLongestWait.count()));
    connect(&longestWait_, &QTimer::timeout, this, &ReadingNoticeDialog::finish);
    subscription_ = events.subscribe(*this, {id(WindowMessage::MenuReadoutDone)});
}

ReadingNoticeDialog::~ReadingNoticeDialog() {
    subscription_.reset();
    if (!finishing_) notice_.closed();
}

void ReadingNoticeDialog::start() {
    open();
    if (notice_.opened() == ReadingNotice::Wait::CloseSoon)
        closeSoon();
    else
        longestWait_.start();
}

bool ReadingNoticeDialog::post(const platform::Message&) {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!finishing_ && notice_.readoutEnded()) closeSoon();
        },
        Qt::QueuedConnection);
    return true;
}

void ReadingNoticeDialog::closeSoon() {
    longestWait_.stop();
    QTimer::singleShot(static_cast<int>(ReadingNotice::kCloseDelay.count()), this,
                       &ReadingNoticeDialog::finish);
}

void ReadingNoticeDialog::finish() {
    if (finishing_) return;
    finishing_ = true;
    longestWait_.stop();
    notice_.closed();
    done(QDialog::Accepted);
}

void ReadingNoticeDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Esc would end the wait before the settings are in.
    event->accept();
}

void ReadingNoticeDialog::closeEvent(QCloseEvent* event) {
    if (!finishing_) event->ignore();
}

}  // namespace panelink
