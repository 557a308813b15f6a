#include "panelink/windows/ui/playback_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace panelink {

namespace {

using Button = PlaybackControl::Button;

void setBackground(QLabel* label, const QColor& colour) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, colour);
    colours.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(colours);
}

QLabel* rowCaption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

PlaybackDialog::PlaybackDialog(const RadioState& radio, RadioLink& link, EventHub& events,
                               QWidget* parent)
    : QDialog(parent), control_(radio, link, events) {
    setWindowTitle(tr("Playback"));

    auto* indicators = new QHBoxLayout;
    record_ = addIndicator("REC", kRecordIndicatorId);
    play_ = addIndicator("PLAY", kPlayIndicatorId);
    indicators->addWidget(record_);
    indicators->addWidget(play_);

    auto* voice = new QGroupBox(tr("Voice Memory"), this);
    auto* voiceGrid = new QGridLayout(voice);
    voiceGrid->addWidget(rowCaption("REC", voice), 0, 0);
    voiceGrid->addWidget(addButton("Ch-1", Button::RecordChannel1), 0, 1);
    voiceGrid->addWidget(addButton("Ch-2", Button::RecordChannel2), 0, 2);
    voiceGrid->addWidget(addButton("STOP", Button::StopRecording), 0, 3);
    voiceGrid->addWidget(rowCaption("PLAY", voice), 1, 0);
    voiceGrid->addWidget(addButton("Ch-1", Button::PlayChannel1), 1, 1);
    voiceGrid->addWidget(addButton("Ch-2", Button::PlayChannel2), 1, 2);
    voiceGrid->addWidget(addButton("STOP", Button::StopPlaying), 1, 3);
    voiceGrid->addWidget(rowCaption("TX", voice), 2, 0);
    voiceGrid->addWidget(addButton("Ch-1", Button::TransmitChannel1), 2, 1);
    voiceGrid->addWidget(addButton("Ch-2", Button::TransmitChannel2), 2, 2);
    voiceGrid->addWidget(addButton("STOP", Button::StopTransmitting), 2, 3);

    auto* audio = new QGroupBox(tr("Audio Playback"), this);
    auto* audioGrid = new QGridLayout(audio);
    audioGrid->addWidget(addButton("REC", Button::AudioRecord), 0, 0);
    audioGrid->addWidget(addButton("STOP", Button::AudioRecordStop), 0, 1);
    audioGrid->addWidget(addButton("PLAY", Button::AudioPlay), 1, 0);
    audioGrid->addWidget(addButton("STOP", Button::AudioPlayStop), 1, 1);
    audioGrid->setRowStretch(2, 1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(voice);
    columns->addWidget(audio);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(indicators);
    layout->addLayout(columns);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    updateIndicators();
    subscription_ = std::make_unique<WindowSubscription>(
        events,
        EventHub::Interest(PlaybackControl::kRedrawingUpdates.begin(),
                           PlaybackControl::kRedrawingUpdates.end()),
        *this, [this](const platform::Message&) { updateIndicators(); });
}

PlaybackDialog::~PlaybackDialog() = default;

QLabel* PlaybackDialog::addIndicator(const char* text, int controlId) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(QStringLiteral("indicator%1").arg(controlId));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    return label;
}

QPushButton* PlaybackDialog::addButton(const char* text, Button which) {
    const int controlId = static_cast<int>(which);
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(QStringLiteral("button%1").arg(controlId));
    connect(button, &QPushButton::clicked, this, [this, which] { control_.press(which); });
    buttons_[controlId] = button;
    return button;
}

QPushButton* PlaybackDialog::button(int controlId) const {
    const auto it = buttons_.find(controlId);
    return it == buttons_.end() ? nullptr : it->second;
}

void PlaybackDialog::updateIndicators() {
    setBackground(record_, control_.recordingReported() ? QColor(Qt::red) : QColor(Qt::white));
    setBackground(play_, control_.playingReported() ? QColor(Qt::green) : QColor(Qt::white));
}

void PlaybackDialog::reject() {
    control_.close();
    QDialog::reject();
}

}  // namespace panelink
