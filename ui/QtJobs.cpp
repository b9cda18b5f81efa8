// QtJobs.cpp: running the game's jobs with QtConcurrent.
#include "ui/QtJobs.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include "ui/VandrelApplication.h"

void TQtJobs::Start(std::shared_ptr<GameJob> job)
{
    auto* watcher = new QFutureWatcher<void>(owner_);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner_, [watcher, job] {
        watcher->deleteLater();
        if (!job->Cancelled())
            RunGuarded([&] { job->Finish(); });
    });
    watcher->setFuture(QtConcurrent::run([job] {
        if (!job->Cancelled())
            job->Run();
    }));
}
