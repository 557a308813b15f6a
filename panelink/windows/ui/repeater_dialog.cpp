#include "panelink/windows/ui/repeater_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "panelink/cat/radio_state.h"

namespace panelink {

namespace {

using Box = RepeaterSettings::Box;
using Button = RepeaterSettings::Button;

std::size_t slot(Box which) {
    return static_cast<std::size_t>(which);
}

QLabel* caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

RepeaterDialog::RepeaterDialog(const RadioState& radio, RadioLink& link, EventHub& events,
                               QWidget* parent)
    : QDialog(parent), radio_(radio), link_(link), settings_(radio, link, events) {
    setWindowTitle(tr("Repeater"));

    vfoLabel_ = new QLabel(QString::fromUtf8(settings_.vfoLabel().data(),
                                             static_cast<qsizetype>(settings_.vfoLabel().size())),
                           this);
    vfoLabel_->setObjectName(QStringLiteral("label%1").arg(kVfoLabelId));

    auto* grid = new QGridLayout;
    grid->addWidget(caption("CTCSS MODE", this), 0, 0);
    grid->addWidget(addBox(kModeBoxId), 1, 0);
    auto* modeButtons = new QHBoxLayout;
    modeButtons->addWidget(addButton("OFF", static_cast<int>(Button::Off)));
    modeButtons->addWidget(addButton("ENC", static_cast<int>(Button::Encoder)));
    modeButtons->addWidget(addButton("SQL", static_cast<int>(Button::Squelch)));
    grid->addLayout(modeButtons, 2, 0);

    grid->addWidget(caption("CTCSS TONE FREQUENCY", this), 3, 0);
    grid->addWidget(addBox(kToneBoxId), 4, 0);
    grid->addWidget(addButton("Freq", kFreqButtonId), 5, 0, Qt::AlignLeft);

    grid->addWidget(caption("REPEATER SHIFT DIRECTION", this), 6, 0);
    grid->addWidget(addBox(kShiftBoxId), 7, 0);
    auto* shiftButtons = new QHBoxLayout;
    shiftButtons->addWidget(addButton("S", static_cast<int>(Button::Simplex)));
    shiftButtons->addWidget(addButton("-", static_cast<int>(Button::Minus)));
    shiftButtons->addWidget(addButton("+", static_cast<int>(Button::Plus)));
    grid->addLayout(shiftButtons, 8, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(vfoLabel_);
    layout->addLayout(grid);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (const Box which : {Box::Mode, Box::Tone, Box::Shift})
        redraw(which);
    subscription_ = std::make_unique<WindowSubscription>(
        events,
        EventHub::Interest(RepeaterSettings::kRedrawingUpdates.begin(),
                           RepeaterSettings::kRedrawingUpdates.end()),
        *this, [this](const platform::Message& message) {
            if (const auto which = RepeaterSettings::boxRedrawnBy(message.id)) redraw(*which);
        });
}

RepeaterDialog::~RepeaterDialog() = default;

QLabel* RepeaterDialog::addBox(int controlId) {
    auto* box = new QLabel(this);
    box->setObjectName(QStringLiteral("box%1").arg(controlId));
    QFont font = box->font();
    font.setPixelSize(kValueFontPixels);
    box->setFont(font);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(colours);
    box->setAutoFillBackground(true);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    // Wide enough for the longest text, so the window keeps its size as the values change.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("Tone Encoder")) +
                         kValueFontPixels / 2);
    boxes_[static_cast<std::size_t>(controlId - kModeBoxId)] = box;
    return box;
}

QPushButton* RepeaterDialog::addButton(const char* text, int controlId) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(QStringLiteral("button%1").arg(controlId));
    const auto index = static_cast<std::size_t>(controlId - static_cast<int>(Button::Off));
    buttons_[index] = button;
    if (controlId == kFreqButtonId) {
        connect(button, &QPushButton::clicked, this, &RepeaterDialog::openToneList);
    } else {
        connect(button, &QPushButton::clicked, this,
                [this, controlId] { settings_.press(static_cast<Button>(controlId)); });
    }
    return button;
}

QLabel* RepeaterDialog::box(Box which) const {
    return boxes_[slot(which)];
}

QPushButton* RepeaterDialog::button(int controlId) const {
    const int index = controlId - static_cast<int>(Button::Off);
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<std::size_t>(index)];
}

void RepeaterDialog::redraw(Box which) {
    box(which)->setText(QString::fromStdString(settings_.boxText(which)));
}

void RepeaterDialog::openToneList() {
    if (toneList_ || settings_.closed()) return;
    auto* list = new ToneListDialog(radio_.get(RadioField::CN_0), link_, this);
    list->setAttribute(Qt::WA_DeleteOnClose);
    toneList_ = list;
    list->open();
}

void RepeaterDialog::reject() {
    settings_.close();
    QDialog::reject();
}

}  // namespace panelink
