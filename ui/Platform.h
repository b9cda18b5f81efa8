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

// Modal questions and messages, and the two file dialogs.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    // A plain message with one button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The warning "警告" with "はい(&Y)" and "キャンセル"; true for Yes.
    virtual bool ConfirmWarning(QWidget* parent, const QString& text) = 0;
    // The problem file to open, or nothing when cancelled.
    virtual std::optional<QString> ChooseOpenFile(QWidget* parent) = 0;
    // The file to save to, proposing `initialName`; nothing when cancelled.
    virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& initialName) = 0;
    // The random problem to make, starting from `proposal`; nothing when cancelled.
    virtual std::optional<RandomProblemRequest> ChooseRandomProblem(QWidget* parent,
                                                                    const RandomProblemRequest& proposal) = 0;
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
