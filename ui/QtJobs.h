// QtJobs.h: the game's long work on Qt's thread pool, its results handed back on the window's thread.
#pragma once

#include <memory>

#include <QObject>

#include "game/Jobs.h"

// Each job runs on the global thread pool; when it is done its Finish runs
// on the thread of `owner`, unless the game cancelled it meanwhile. A job
// reads only what it owns, so nothing waits for one to stop.
class TQtJobs final : public GameJobs {
public:
    explicit TQtJobs(QObject* owner) : owner_(owner) {}
    void Start(std::shared_ptr<GameJob> job) override;

private:
    QObject* owner_;
};
