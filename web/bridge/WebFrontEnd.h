// WebFrontEnd.h: the page as the game's front end and keeper of best times: every call goes on to the page's JavaScript.
#pragma once

#include <optional>

#include "game/FrontEnd.h"

// A page cannot wait inside a call for the player to answer, so a question
// is answered no at once and noted; the page asks the player, and on a yes
// makes the same call again with the answer given beforehand (AnswerNext).
// Every question the game asks comes before the call changes anything, so
// the call made again does what the first would have done with a yes.
class TWebFrontEnd final : public GameFrontEnd, public GameRecords {
public:
    double Now() override;
    void WantTick(std::optional<double> due) override;
    void Draw(const Picture& picture) override;
    void ShowStatus(const GameStatus& status) override;
    // The page shows the message over the picture as it is and holds the
    // game (no ticks, no jobs, no input) until the player closes it.
    void ShowMessage(GameMessage message) override;
    bool Ask(GameQuestion question) override;
    // A page cannot move the mouse pointer.
    void MovePointer(PixelPoint) override {}

    void Reload() override;
    std::int32_t BestTime(const std::string& name) override;
    void StoreBestTime(const std::string& name, std::int32_t seconds) override;

    // The next question is answered so, without asking.
    void AnswerNext(bool yes) { answer_ = yes; }
    // The question asked since the last look, if any.
    std::optional<GameQuestion> TakeQuestion();

private:
    std::optional<bool> answer_;
    std::optional<GameQuestion> asked_;
};
