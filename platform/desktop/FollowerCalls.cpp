#include "platform/desktop/FollowerCalls.h"

namespace corvane {

void FollowerCalls::TellFromNowOn(QObject* receiver) {
    const std::lock_guard lock(mutex_);
    receiver_ = receiver;
    receiverGone_ = QObject::connect(receiver, &QObject::destroyed, [weak = weak_from_this()] {
        if (const auto self = weak.lock()) {
            self->Stop();
        }
    });
}

void FollowerCalls::Post() {
    if (pending_.exchange(true)) {
        return;
    }
    // Held while posting: a receiver being destroyed waits for it in Stop, and then drops what
    // was posted to it.
    const std::lock_guard lock(mutex_);
    if (receiver_ == nullptr) {
        return;
    }
    const bool posted = QMetaObject::invokeMethod(
        receiver_, [self = shared_from_this()] { self->Deliver(); }, Qt::QueuedConnection);
    if (!posted) {
        pending_ = false;
    }
}

void FollowerCalls::Stop() {
    const std::lock_guard lock(mutex_);
    receiver_ = nullptr;
    QObject::disconnect(receiverGone_);
}

void FollowerCalls::Deliver() {
    // Cleared first, so that a change during the call brings one more call.
    pending_ = false;
    if (Active()) {
        changed_();
    }
}

bool FollowerCalls::Active() {
    const std::lock_guard lock(mutex_);
    return receiver_ != nullptr;
}

} // namespace corvane
