#pragma once

#include <QObject>

#include <functional>

#include "panelink/core/event_hub.h"
#include "shared/platform/message.h"

namespace panelink {

// A window's place on the event hub: each message of its interest runs `handler` later on the
// thread of `context` (the window), in arrival order, and never once the window has gone.
// The subscription ends when this object goes, so a window keeps it as its last member: it
// then ends before the window does.
class WindowSubscription final : public platform::MessageSink {
  public:
    using Handler = std::function<void(const platform::Message& message)>;

    WindowSubscription(EventHub& hub, EventHub::Interest interest, QObject& context,
                       Handler handler);
    ~WindowSubscription() override;
    WindowSubscription(const WindowSubscription&) = delete;
    WindowSubscription& operator=(const WindowSubscription&) = delete;

    // Any thread.
    bool post(const platform::Message& message) override;

  private:
    QObject* context_;
    Handler handler_;
    EventHub::Subscription subscription_;
};

}  // namespace panelink
