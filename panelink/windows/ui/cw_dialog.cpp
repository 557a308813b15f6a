#include "panelink/windows/ui/cw_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace panelink {

namespace {

constexpr std::array<int, CwWindow::kMemoryCount> kTextBoxes{kCwTextBox1, kCwTextBox2, kCwTextBox3};
constexpr std::array<int, CwWindow::kMemoryCount> kWriteButtons{kCwWrite1, kCwWrite2, kCwWrite3};

struct Caption {
    int control;
    const char* text;
};

constexpr std::array<Caption, 6> kPlayCaptions{{
    {kCwPlayText1, "Ch-1"},
    {kCwPlayText2, "Ch-2"},
    {kCwPlayText3, "Ch-3"},
    {kCwStop, "STOP"},
    {kCwSpotOn, "ON"},
    {kCwSpotOff, "OFF"},
}};

QString hintText(KeyerTextProblem problem) {
    switch (problem) {
        case KeyerTextProblem::Semicolon:
            return QObject::tr("\";\" cannot be sent: it would end the command.");
        case KeyerTextProblem::NotPrintable:
            return QObject::tr("Only printable ASCII characters can be sent.");
        case KeyerTextProblem::None:
            break;
    }
    return {};
}

// The window's own numbered timers on Qt timers, user interface thread only.
class DialogTimers final : public platform::TimerHost {
  public:
    explicit DialogTimers(std::function<void(int)> tick) : tick_(std::move(tick)) {}

    void setTimer(int timerId, platform::Milliseconds period) override {
        QTimer*& timer = timers_[timerId];
        if (timer == nullptr) {
            timer = new QTimer(&context_);
            QObject::connect(timer, &QTimer::timeout, &context_,
                             [this, timerId] { tick_(timerId); });
        }
        timer->start(period);
    }

    void killTimer(int timerId) override {
        if (const auto it = timers_.find(timerId); it != timers_.end()) it->second->stop();
    }

    bool isTimerRunning(int timerId) const override {
        const auto it = timers_.find(timerId);
        return it != timers_.end() && it->second->isActive();
    }

  private:
    std::function<void(int)> tick_;
    QObject context_;  // parent of the timers: they go with the host
    std::map<int, QTimer*> timers_;
};

std::size_t slot(int memory) {
    return static_cast<std::size_t>(memory - 1);
}

}  // namespace

CwDialog::CwDialog(CwDialogServices services, QWidget* parent)
    : QDialog(parent),
      ownTimers_(services.timers != nullptr
                     ? nullptr
                     : std::make_unique<DialogTimers>([this](int id) { onTimer(id); })),
      window_({services.link, services.radio, services.events,
               services.timers != nullptr ? *services.timers : *ownTimers_}) {
    setWindowTitle(tr("CW"));
    buildControls();
    // Subscribed before the read is asked for, so no answer is missed.
    subscription_ = services.events.subscribe(*this, {id(DisplayUpdate::KM)});
    window_.open();
    sync();
}

CwDialog::~CwDialog() {
    subscription_.reset();
}

void CwDialog::buildControls() {
    auto* playGroup = new QGroupBox(tr("Text Play"), this);
    auto* playRow = new QHBoxLayout(playGroup);
    auto* spotGroup = new QGroupBox(tr("SPOT"), this);
    auto* spotRow = new QHBoxLayout(spotGroup);
    for (std::size_t i = 0; i < kPlayCaptions.size(); ++i) {
        const Caption& caption = kPlayCaptions[i];
        plays_[i] = addButton(caption.control, tr(caption.text));
        const bool spot = caption.control == kCwSpotOn || caption.control == kCwSpotOff;
        (spot ? spotRow : playRow)->addWidget(plays_[i]);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(playGroup);
    top->addWidget(spotGroup);

    auto* texts = new QGridLayout;
    for (int memory = 1; memory <= CwWindow::kMemoryCount; ++memory) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("cwText%1").arg(kTextBoxes[slot(memory)]));
        box->setMaxLength(static_cast<int>(CwWindow::kMaxTextLength));
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() *
                             static_cast<int>(CwWindow::kMaxTextLength + 2));
        // Alt and the memory's digit reach its box from the keyboard.
        auto* label = new QLabel(tr("Text Ch-&%1").arg(memory), this);
        label->setBuddy(box);
        QPushButton* write = addButton(kWriteButtons[slot(memory)], tr("Ch-%1 WR").arg(memory));
        auto* hint = new QLabel(this);
        hint->setObjectName(QStringLiteral("cwHint%1").arg(memory));
        hint->setMinimumHeight(hint->fontMetrics().height());
        connect(box, &QLineEdit::textChanged, this,
                [this, memory](const QString& text) { onEdited(memory, text); });
        const int row = 2 * (memory - 1);
        texts->addWidget(label, row, 0);
        texts->addWidget(box, row, 1);
        texts->addWidget(write, row, 2);
        texts->addWidget(hint, row + 1, 1, 1, 2);
        boxes_[slot(memory)] = box;
        writes_[slot(memory)] = write;
        hints_[slot(memory)] = hint;
    }

    // Tab runs through the buttons, then through each box followed by its write button.
    QWidget* previous = plays_.back();
    for (int memory = 1; memory <= CwWindow::kMemoryCount; ++memory) {
        setTabOrder(previous, boxes_[slot(memory)]);
        setTabOrder(boxes_[slot(memory)], writes_[slot(memory)]);
        previous = writes_[slot(memory)];
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(texts);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* CwDialog::addButton(int control, const QString& caption) {
    auto* pushButton = new QPushButton(caption, this);
    pushButton->setObjectName(QStringLiteral("cwButton%1").arg(control));
    pushButton->setAutoDefault(false);
    connect(pushButton, &QPushButton::clicked, this, [this, control] { press(control); });
    return pushButton;
}

QLineEdit* CwDialog::textBox(int memory) const {
    return memory >= 1 && memory <= CwWindow::kMemoryCount ? boxes_[slot(memory)] : nullptr;
}

QPushButton* CwDialog::writeButton(int memory) const {
    return memory >= 1 && memory <= CwWindow::kMemoryCount ? writes_[slot(memory)] : nullptr;
}

QLabel* CwDialog::hintLabel(int memory) const {
    return memory >= 1 && memory <= CwWindow::kMemoryCount ? hints_[slot(memory)] : nullptr;
}

QPushButton* CwDialog::button(int control) const {
    for (std::size_t i = 0; i < kPlayCaptions.size(); ++i) {
        if (kPlayCaptions[i].control == control) return plays_[i];
    }
    for (int memory = 1; memory <= CwWindow::kMemoryCount; ++memory) {
        if (kWriteButtons[slot(memory)] == control) return writes_[slot(memory)];
    }
    return nullptr;
}

void CwDialog::onTimer(int timerId) {
    window_.onTimer(timerId);
    sync();
}

void CwDialog::done(int result) {
    window_.close();
    QDialog::done(result);
}

// From any thread: the update is handled on the dialog's thread, unless the dialog has gone
// by then.
bool CwDialog::post(const platform::Message& message) {
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            window_.onMessage(message);
            sync();
        },
        Qt::QueuedConnection);
    return true;
}

void CwDialog::onEdited(int memory, const QString& text) {
    // The dialog's own updates of the box come here too; they change nothing.
    const QByteArray bytes = text.toUtf8();
    if (bytes.toStdString() == window_.text(memory)) return;
    window_.edit(memory,
                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    sync();
}

void CwDialog::press(int control) {
    window_.press(control);
    sync();
}

// Shows what the window holds.
void CwDialog::sync() {
    for (int memory = 1; memory <= CwWindow::kMemoryCount; ++memory) {
        QLineEdit* box = boxes_[slot(memory)];
        const QString shown = QString::fromStdString(window_.text(memory));
        if (box->text() != shown) box->setText(shown);
        box->setReadOnly(!window_.textsEditable());
        const QString hint = hintText(window_.problem(memory));
        hints_[slot(memory)]->setText(hint);
        writes_[slot(memory)]->setToolTip(hint);
        writes_[slot(memory)]->setEnabled(window_.writeEnabled(memory));
    }
    for (QPushButton* play : plays_)
        play->setEnabled(window_.playEnabled());
    if (window_.focusRequests() != focusSeen_) {
        focusSeen_ = window_.focusRequests();
        plays_.front()->setFocus();
    }
}

}  // namespace panelink
