// NewProblems.h: the window's ways to a new problem: a random one, one of the collection, the day's.
#pragma once

#include <functional>

#include "game/Game.h"
#include "ui/Platform.h"
#include "ui/RecordsKeeper.h"
#include "ui/UserData.h"

class QWidget;

// Each asks the game whether the problem in place may go, asks the player
// through the dialogs, and has the game make the chosen code's problem.
class TNewProblems {
public:
    TNewProblems(QWidget& window, TGame& game, TDialogs& dialogs, TClock& clock, const TRecordsKeeper& records,
                 const TUserData& userData, TPreferences& preferences);

    // "乱数問題": a size and difficulty, or a code to play again.
    void Random();
    // "問題集": a problem of the graded collection, or the day's.
    void Collection();
    // The day's problem at once.
    void Daily();

private:
    ProblemCode Today() const;

    QWidget& window_;
    TGame& game_;
    TDialogs& dialogs_;
    TClock& clock_;
    const TRecordsKeeper& records_;
    const TUserData& userData_;
    TPreferences& preferences_;
};
