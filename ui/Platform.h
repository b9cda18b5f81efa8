// Platform.h: the dialogs and the clock the window uses, behind interfaces tests can answer.
#pragma once

#include <cstdint>
#include <optional>

#include <QDate>
#include <QString>

#include "solver/Generator.h"

class QWidget;

// What the player asks of "乱数問題": a new problem of a size and difficulty,
// or, when `Code` is not empty, the problem of that code again.
struct RandomProblemRequest {
    int Points = 70;
    Difficulty Level = Difficulty::Normal;
    QString Code;
};

// A line of the collection's list as the dialog shows it.
struct CollectionRow {
    int Number = 0;
    ProblemCode Code;
    int FewestMoves = 0;
    std::optional<std::int32_t> BestSeconds;  // the player's best time, if any
    bool FewestSolved = false;                // solved in the fewest moves
};

// Modal questions and messages, and the file dialogs.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    // A plain message with one button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The warning "警告" with "はい(&Y)" and "キャンセル"; true for Yes.
    virtual bool ConfirmWarning(QWidget* parent, const QString& text) = 0;
    // A question with "はい(&Y)" and "いいえ(&N)"; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // The problem file to open, starting in `folder`; nothing when cancelled.
    virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) = 0;
    // The file to save to, proposing `initialName` in `folder`; nothing when cancelled.
    virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& initialName,
                                                  const QString& folder) = 0;
    // The random problem to make, starting from `proposal`; nothing when cancelled.
    virtual std::optional<RandomProblemRequest> ChooseRandomProblem(QWidget* parent,
                                                                    const RandomProblemRequest& proposal) = 0;
    // A problem of the collection to play (or the day's problem), starting
    // at the row of `suggested`; nothing when cancelled.
    virtual std::optional<ProblemCode> ChooseCollectionProblem(QWidget* parent, const std::vector<CollectionRow>& rows,
                                                               int suggested, const ProblemCode& daily) = 0;
};

// Time, and chance, as the game needs them.
class TClock {
public:
    virtual ~TClock() = default;
    // Seconds on a clock that never jumps (not the time of day).
    virtual double MonotonicSeconds() = 0;
    virtual QDate Today() = 0;
    // A seed for a new random problem, from the system's entropy.
    virtual std::uint64_t NewSeed() = 0;
};

// The real ones: Qt's dialogs and the system's clocks.
TDialogs& QtDialogs();
TClock& SystemClock();
