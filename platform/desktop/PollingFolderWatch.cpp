#include "platform/desktop/PollingFolderWatch.h"

#include "platform/files/FolderReading.h"

#include <QEvent>
#include <QFutureWatcher>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent>

namespace corvane {

// Looks at one folder from its receiver's thread; a child of the receiver, gone with it.
class FolderPoll : public QObject {
public:
    FolderPoll(const QString& folder, QObject* receiver, std::function<void()> changed,
               int intervalMs)
        : QObject(receiver), folder_(folder), changed_(std::move(changed)) {
        timer_.setInterval(intervalMs);
        connect(&timer_, &QTimer::timeout, this, &FolderPoll::Look);
        connect(&signature_, &QFutureWatcher<quint64>::finished, this, &FolderPoll::Compare);
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (widget != nullptr) {
            widget->installEventFilter(this);
        }
        if (widget == nullptr || widget->isVisible()) {
            Start();
        }
    }

    void Stop() {
        timer_.stop();
        stopped_ = true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !stopped_) {
            Start();
        } else if (event->type() == QEvent::Hide) {
            timer_.stop();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Start() {
        Look();
        timer_.start();
    }

    void Look() {
        if (!signature_.isRunning()) {
            signature_.setFuture(QtConcurrent::run(FolderSignature, folder_));
        }
    }

    void Compare() {
        const quint64 signature = signature_.result();
        if (signature != lastSignature_ && !stopped_) {
            lastSignature_ = signature;
            changed_();
        }
    }

    const QString folder_;
    const std::function<void()> changed_;
    QTimer timer_;
    QFutureWatcher<quint64> signature_;
    quint64 lastSignature_ = 0; // none yet: the first look tells the follow
    bool stopped_ = false;
};

PollingFolderWatch::PollingFolderWatch(std::unique_ptr<FolderWatch> notified, int intervalMs)
    : notified_(std::move(notified)), intervalMs_(intervalMs) {}

PollingFolderWatch::~PollingFolderWatch() {
    while (!follows_.empty()) {
        Forget(follows_.begin()->first);
    }
}

FolderWatch::Handle PollingFolderWatch::Follow(const QString& folder, NameFilter concerns,
                                               QObject* receiver, std::function<void()> changed) {
    if (receiver == nullptr) {
        return 0;
    }
    Followed followed;
    followed.notified = notified_->Follow(folder, std::move(concerns), receiver, changed);
    if (followed.notified == 0) {
        const PathKind kind = KindAt(folder);
        if (kind != PathKind::Missing && kind != PathKind::Folder) {
            return 0;
        }
    }
    if (followed.notified == 0 || !notified_->SeesEveryChange(folder)) {
        followed.poll = new FolderPoll(folder, receiver, std::move(changed), intervalMs_);
    }
    follows_.emplace(++lastHandle_, followed);
    return lastHandle_;
}

void PollingFolderWatch::Forget(Handle handle) {
    const auto found = follows_.find(handle);
    if (found == follows_.end()) {
        return;
    }
    if (found->second.notified != 0) {
        notified_->Forget(found->second.notified);
    }
    if (FolderPoll* poll = found->second.poll) {
        // It may be the one telling the follow right now.
        poll->Stop();
        poll->deleteLater();
    }
    follows_.erase(found);
}

bool PollingFolderWatch::SeesEveryChange(const QString& /*folder*/) {
    return true;
}

} // namespace corvane
