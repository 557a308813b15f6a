#include "panelink/windows/ui/window_subscription.h"

#include <QMetaObject>

#include <utility>

namespace panelink {

WindowSubscription::WindowSubscription(EventHub& hub, EventHub::Interest interest, QObject& context,
                                       Handler handler)
    : context_(&context), handler_(std::move(handler)) {
    subscription_ = hub.subscribe(*this, std::move(interest));
}

WindowSubscription::~WindowSubscription() {
    // Waits for a delivery under way, so no publisher touches this object once it has gone.
    subscription_.reset();
}

bool WindowSubscription::post(const platform::Message& message) {
    // Queued on the window's thread; Qt drops the call if the window goes before it runs.
    QMetaObject::invokeMethod(
        context_, [handler = handler_, message] { handler(message); }, Qt::QueuedConnection);
    return true;
}

}  // namespace panelink
