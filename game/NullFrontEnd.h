// NullFrontEnd.h: a front end that shows nothing: for the headless tool, the fuzzers and the tests. Time passes when it is told to.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/FrontEnd.h"
#include "game/Game.h"
#include "game/Jobs.h"

// Keeps what the game asked of it, so that callers can look: the messages in
// order, the questions, the last picture and status, the best times stored.
// Questions are answered from `Answers`, yes when it is empty.
class TNullFrontEnd : public GameFrontEnd, public GameRecords {
public:
    double Time = 1000.0;
    std::optional<double> Due;
    std::vector<GameMessage> Messages;
    std::vector<GameQuestion> Questions;
    std::vector<bool> Answers;
    int Draws = 0;
    Picture LastPicture;
    GameStatus LastStatus;
    std::optional<PixelPoint> Pointer;
    std::map<std::string, std::int32_t> BestTimes;
    std::vector<std::string> FewestSolves;
    int Reloads = 0;
    // Called as each message is shown, while the game waits for it.
    std::function<void(GameMessage)> OnMessage;

    double Now() override { return Time; }
    void WantTick(std::optional<double> due) override { Due = due; }
    void Draw(const Picture& picture) override
    {
        ++Draws;
        LastPicture = picture;
    }
    void ShowStatus(const GameStatus& status) override { LastStatus = status; }
    void ShowMessage(GameMessage message) override
    {
        Messages.push_back(message);
        if (OnMessage)
            OnMessage(message);
    }
    bool Ask(GameQuestion question) override
    {
        Questions.push_back(question);
        if (Answers.empty())
            return true;
        const bool answer = Answers.front();
        Answers.erase(Answers.begin());
        return answer;
    }
    void MovePointer(PixelPoint at) override { Pointer = at; }

    void Reload() override { ++Reloads; }
    std::int32_t BestTime(const std::string& name) override
    {
        const auto found = BestTimes.find(name);
        return found == BestTimes.end() ? NoRecord : found->second;
    }
    void StoreBestTime(const std::string& name, std::int32_t seconds) override { BestTimes[name] = seconds; }
    void StoreFewestSolve(const std::string& name) override { FewestSolves.push_back(name); }

    int CountOf(GameMessage message) const
    {
        int n = 0;
        for (GameMessage m : Messages)
            n += m == message;
        return n;
    }

    // Runs the jobs waiting and lets time pass to each tick the game asks for
    // while it is busy with a move or a demonstration step; `limit` ticks at most.
    void Settle(TGame& game, TQueuedJobs& jobs, int limit = 100000)
    {
        jobs.RunAll();
        while (game.Busy() && limit-- > 0) {
            if (Due && *Due > Time)
                Time = *Due;
            game.Tick(Time);
            jobs.RunAll();
        }
    }
};

// A game with the null front end and jobs run on demand. Large (the move
// history holds 65535 moves): keep it on the heap.
struct GameRig {
    TNullFrontEnd FrontEnd;
    TQueuedJobs Jobs;
    TGame Game{FrontEnd, Jobs, FrontEnd};

    explicit GameRig(int width = 800, int height = 600) { Game.Resize(width, height); }
    // The same with records kept elsewhere.
    explicit GameRig(GameRecords& records) : Game(FrontEnd, Jobs, records) { Game.Resize(800, 600); }

    void Settle() { FrontEnd.Settle(Game, Jobs); }
};
