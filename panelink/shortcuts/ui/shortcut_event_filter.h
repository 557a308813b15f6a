#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <optional>

#include "panelink/shortcuts/shortcut_key_filter.h"

class QKeyEvent;
class QWidget;

namespace panelink {

// The shortcut keys' view of a Qt key press; nothing for a key that is never a shortcut.
std::optional<ShortcutKeyEvent> shortcutKeyEvent(const QKeyEvent& event);

// Offers the key presses of the windows that take shortcut keys to the ShortcutKeyFilter and
// eats those it consumes.
//
// It filters the whole application rather than each window: a key press goes to the focused
// widget (the line edit of a dialog, the list of MENU LIST), which would use Home, End and
// the paging keys before its window ever saw them, and dialogs create and focus children
// after they have been attached. So every key press is looked at before any widget gets it,
// and is offered when the top-level window it is for has been attached.
class ShortcutEventFilter final : public QObject {
    Q_OBJECT

  public:
    // How a window takes shortcut keys now: nothing while it takes none (the CW window while
    // it reads or writes), else the ordinary-state flag it passes.
    using Offer = std::function<std::optional<bool>()>;
    // Whether a top-level window whose parent is an attached window takes keys as that
    // window's own child dialog (the CTCSS list of the Repeater window).
    using ChildWindows = std::function<bool(const QWidget& childWindow)>;

    // Watches the application's events from now until it goes.
    explicit ShortcutEventFilter(ShortcutKeyFilter& keys, QObject* parent = nullptr);
    ~ShortcutEventFilter() override;

    // Key presses in `window` (a top-level widget) and its children are offered until the
    // window goes. Child dialogs are offered with the ordinary-state flag false.
    void attach(QWidget* window, Offer offer, ChildWindows childWindows = {});
    // A window that takes the keys always, never in the ordinary state.
    void attach(QWidget* window) {
        attach(window, [] { return std::optional<bool>(false); });
    }
    bool isAttached(const QWidget* window) const { return windows_.contains(window); }

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Attached {
        Offer offer;
        ChildWindows childWindows;
    };

    // How the window of a key press takes shortcut keys now; nothing for a window that is
    // not attached or takes none at the moment.
    std::optional<bool> offerOf(const QWidget& window) const;

    ShortcutKeyFilter& keys_;
    std::map<const QWidget*, Attached> windows_;
};

}  // namespace panelink
