// BackgroundWork.h: one piece of long work at a time off the window's thread, cancelled by the next one or on demand.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <utility>

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

// A search or a generation that could hold the window up. Start hands `work`
// a flag it must watch; the result comes back to `done` on the window's
// thread, unless the work was cancelled or replaced before it finished.
template <typename Result>
class TBackgroundWork {
public:
    explicit TBackgroundWork(QObject* owner) : owner_(owner) {}
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;
    ~TBackgroundWork() { Cancel(); }

    void Start(std::function<Result(const std::atomic<bool>& cancel)> work, std::function<void(Result)> done)
    {
        Cancel();
        auto cancel = std::make_shared<std::atomic<bool>>(false);
        cancel_ = cancel;
        watcher_ = std::make_unique<QFutureWatcher<Result>>();
        QFutureWatcher<Result>* watcher = watcher_.get();
        QObject::connect(watcher, &QFutureWatcherBase::finished, owner_, [this, watcher, done = std::move(done)] {
            if (watcher != watcher_.get())
                return;
            Result result = watcher->result();
            // Finished: the next Start or Cancel has nothing to stop.
            watcher_.release()->deleteLater();
            cancel_.reset();
            done(std::move(result));
        });
        watcher->setFuture(QtConcurrent::run([work = std::move(work), cancel] { return work(*cancel); }));
    }

    // Stops the work soon and drops its result. The thread finishes on its
    // own; the work owns everything it reads, so nothing waits for it.
    void Cancel()
    {
        if (cancel_)
            cancel_->store(true);
        cancel_.reset();
        if (watcher_) {
            watcher_->disconnect();
            // Deleted once the work has finished: a watcher must outlive its future's end.
            QFutureWatcher<Result>* watcher = watcher_.release();
            QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, &QObject::deleteLater);
            if (watcher->isFinished())
                watcher->deleteLater();
        }
    }

    bool Running() const { return watcher_ != nullptr; }

private:
    QObject* owner_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::unique_ptr<QFutureWatcher<Result>> watcher_;
};
