// Jobs.h: long work the game hands out (searches, generations), so that nothing it does holds up its front end.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

// A piece of work in two halves: Run may take long and runs wherever the
// front end likes, reading only what the job owns and watching its flag;
// Finish hands the result over on the game's thread.
class GameJob : public std::enable_shared_from_this<GameJob> {
public:
    virtual ~GameJob() = default;
    virtual void Run() = 0;
    virtual void Finish() = 0;

    // The game no longer wants the result: Run stops soon, Finish is not called.
    void Cancel() { cancelled_.store(true); }
    bool Cancelled() const { return cancelled_.load(); }
    const std::atomic<bool>& CancelFlag() const { return cancelled_; }

private:
    std::atomic<bool> cancelled_{false};
};

// A job that computes a value and gives it, with the job itself, to `done`.
template <typename Result>
class ValueJob final : public GameJob {
public:
    using Work = std::function<Result(const std::atomic<bool>& cancel)>;
    using Done = std::function<void(std::shared_ptr<GameJob> self, Result)>;
    ValueJob(Work work, Done done) : work_(std::move(work)), done_(std::move(done)) {}

    void Run() override { result_ = work_(CancelFlag()); }
    void Finish() override { done_(shared_from_this(), std::move(result_)); }

private:
    Work work_;
    Done done_;
    Result result_{};
};

// Runs the game's jobs.
class GameJobs {
public:
    virtual ~GameJobs() = default;
    // Runs the job's Run off the game's thread when it can, then its Finish
    // on the game's thread unless it was cancelled meanwhile.
    virtual void Start(std::shared_ptr<GameJob> job) = 0;
};

// Runs the jobs one after another on the game's own thread, when asked:
// for the headless tool, a single-threaded page and tests.
class TQueuedJobs final : public GameJobs {
public:
    void Start(std::shared_ptr<GameJob> job) override { queue_.push_back(std::move(job)); }

    bool Pending() const { return !queue_.empty(); }

    // Runs every job queued, also those that finishing ones queue.
    void RunAll()
    {
        while (RunNext()) {
        }
    }

    // Runs the job first in line, if any: a page runs one job a turn of its
    // event loop, so that input and frames come between long ones. False
    // when none was waiting.
    bool RunNext()
    {
        if (queue_.empty())
            return false;
        std::shared_ptr<GameJob> job = std::move(queue_.front());
        queue_.pop_front();
        if (!job->Cancelled()) {
            job->Run();
            if (!job->Cancelled())
                job->Finish();
        }
        return true;
    }

private:
    std::deque<std::shared_ptr<GameJob>> queue_;
};
