#include "panelink/shortcuts/ui/shortcut_event_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <array>
#include <utility>

namespace panelink {

using commo::BaseKey;

namespace {

struct KeyName {
    int qtKey;
    BaseKey key;
};

constexpr std::array<KeyName, 16> kKeys{{
    {Qt::Key_F1, BaseKey::F1},
    {Qt::Key_F2, BaseKey::F2},
    {Qt::Key_F3, BaseKey::F3},
    {Qt::Key_F4, BaseKey::F4},
    {Qt::Key_F5, BaseKey::F5},
    {Qt::Key_F6, BaseKey::F6},
    {Qt::Key_F7, BaseKey::F7},
    {Qt::Key_F8, BaseKey::F8},
    {Qt::Key_F9, BaseKey::F9},
    {Qt::Key_F10, BaseKey::F10},
    {Qt::Key_F11, BaseKey::F11},
    {Qt::Key_F12, BaseKey::F12},
    {Qt::Key_PageUp, BaseKey::PageUp},
    {Qt::Key_PageDown, BaseKey::PageDown},
    {Qt::Key_Home, BaseKey::Home},
    {Qt::Key_End, BaseKey::End},
}};

}  // namespace

std::optional<ShortcutKeyEvent> shortcutKeyEvent(const QKeyEvent& event) {
    for (const KeyName& name : kKeys) {
        if (name.qtKey != event.key()) continue;
        const Qt::KeyboardModifiers modifiers = event.modifiers();
        return ShortcutKeyEvent{name.key, modifiers.testFlag(Qt::ShiftModifier),
                                modifiers.testFlag(Qt::ControlModifier),
                                modifiers.testFlag(Qt::AltModifier)};
    }
    return std::nullopt;
}

ShortcutEventFilter::ShortcutEventFilter(ShortcutKeyFilter& keys, QObject* parent)
    : QObject(parent), keys_(keys) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

ShortcutEventFilter::~ShortcutEventFilter() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void ShortcutEventFilter::attach(QWidget* window, Offer offer, ChildWindows childWindows) {
    if (window == nullptr) return;
    const bool known = windows_.contains(window);
    windows_[window] = Attached{std::move(offer), std::move(childWindows)};
    if (known) return;
    // Only the address is used: the window is half destroyed when this runs.
    connect(window, &QObject::destroyed, this,
            [this, window] { windows_.erase(static_cast<const QWidget*>(window)); });
}

std::optional<bool> ShortcutEventFilter::offerOf(const QWidget& window) const {
    if (const auto it = windows_.find(&window); it != windows_.end()) return it->second.offer();
    const QWidget* owner = window.parentWidget();
    if (owner == nullptr) return std::nullopt;
    const auto it = windows_.find(owner->window());
    if (it == windows_.end() || !it->second.childWindows || !it->second.childWindows(window))
        return std::nullopt;
    return false;
}

bool ShortcutEventFilter::eventFilter(QObject* watched, QEvent* event) {
    // A key press reaches the window's QWindow first and then each widget from the focused
    // one up to its window; the widgets are enough.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto& press = static_cast<QKeyEvent&>(*event);
    const std::optional<ShortcutKeyEvent> key = shortcutKeyEvent(press);
    if (!key) return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window == nullptr) return false;
    const std::optional<bool> ordinaryState = offerOf(*window);
    if (!ordinaryState) return false;
    if (!keys_.filter(*key, *ordinaryState)) return false;
    press.accept();
    return true;
}

}  // namespace panelink
