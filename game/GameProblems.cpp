// GameProblems.cpp: problems arriving (the sample, a file, a random code), their names and best times, and the end of the play before them.
#include "game/Game.h"

void TGame::InstallSample(const Problem& problem, const std::string& name)
{
    Act([&] {
        InstallProblem(problem);
        // The sample keeps no record: its best time is 0, which no play beats.
        identity_ = {name, false, 0, std::nullopt};
        bestSeconds_ = 0;
        unsaved_ = false;
        saveOffered_ = false;
    });
}

void TGame::InstallOpened(const Problem& problem, const std::string& name)
{
    Input([&] {
        // "開く" is on the puzzle panel, where a path cannot be being drawn.
        if (mode_ != MenuPuzzle || !BuildControls().Open)
            return;
        CancelJob(generateJob_);  // the file comes instead of a random problem being made
        records_.Reload();
        InstallProblem(problem);
        NameProblem(name);
    });
}

void TGame::OpeningProblem()
{
    Input([&] {
        EndDemonstrationRun();
        demonstrationShown_ = false;
    });
}

bool TGame::MayReplaceProblem()
{
    bool may = false;
    Input([&] {
        if (unsaved_ && !Ask(GameQuestion::NewProblem))
            return;
        EndDemonstrationRun();
        may = true;
    });
    return may;
}

void TGame::MakeRandomProblem(const ProblemCode& code)
{
    Input([&] {
        if (!BuildControls().NewProblem)
            return;
        StartJob<std::optional<Problem>>(
            generateJob_, [code](const std::atomic<bool>& cancel) { return GenerateProblem(code, &cancel); },
            [this, code](std::optional<Problem> problem) {
                if (!problem)
                    return;
                CompleteAnimation();
                records_.Reload();
                InstallProblem(*problem);
                NameProblem(ProblemCodeName(code), code);
            });
    });
}

void TGame::ProblemSaved(const std::optional<std::string>& rename)
{
    Input([&] {
        if (rename)
            NameProblem(*rename);
        unsaved_ = false;
        saveOffered_ = false;
    });
}

// The problem becomes the one in play and in the picture, and the play of
// the one before is over: nothing of it can be continued, taken back or
// timed on the new one.
void TGame::InstallProblem(const Problem& problem)
{
    EndDemonstrationRun();
    demonstrationShown_ = false;
    operations_.Shown = false;
    puzzle_.LoadProblem(problem);
    EndPlayOfProblem();
    DrawPath();
    StartParSearch();
}

void TGame::EndPlayOfProblem()
{
    clock_.Clear();
    hintUsed_ = false;
    demonstrated_ = false;
    CancelJob(hintJob_);
    undoOffered_ = false;
    if (phase_ == Phase::Playing || phase_ == Phase::Paused || phase_ == Phase::Solved)
        EnterPhase(Phase::Ready);
    if (gameMode_ == ModePlay)
        gameMode_ = ModeIdle;
}

// The caption names the problem with its best time, as the records keep it.
// The name comes first: a lookup that fails (a full records file) leaves the
// new problem without a time, never with the name of the one before, whose
// record a solve would then overwrite.
void TGame::NameProblem(const std::string& name, const std::optional<ProblemCode>& code)
{
    identity_ = {name, true, GameRecords::NoRecord, code};
    bestSeconds_ = GameRecords::NoRecord;
    const std::int32_t best = records_.BestTime(name);
    identity_.BestSeconds = best;
    bestSeconds_ = best;
}

std::optional<SavedPlay> TGame::PlayToKeep() const
{
    if (phase_ != Phase::Playing && phase_ != Phase::Paused)
        return std::nullopt;
    SavedPlay play;
    play.Path = Problem{puzzle_.PointCount(), puzzle_.ProblemPath()};
    play.Name = identity_.Name;
    play.Named = identity_.Named;
    play.Code = identity_.Code;
    const TMoveHistory& history = puzzle_.History();
    for (int i = 1; i <= history.MoveCount(); ++i)
        play.Moves.push_back(history.Entry(i));
    for (int i = history.MoveCount() + 1; i <= history.MoveCount() + history.RedoCount(); ++i)
        play.Redo.push_back(history.Entry(i));
    play.Seconds = clock_.Elapsed();
    play.HintUsed = hintUsed_;
    play.Demonstrated = demonstrated_;
    return play;
}

bool TGame::ResumePlay(const SavedPlay& play)
{
    // A play that does not fit together leaves the game as it was.
    if (!PlayFitsTogether(play))
        return false;
    Input([&] {
        EndDemonstrationRun();
        mode_ = MenuPuzzle;
        gameMode_ = ModeIdle;
        records_.Reload();
        InstallProblem(play.Path);
        identity_ = {play.Name, false, 0, play.Code};
        bestSeconds_ = 0;
        for (const std::vector<MoveEntry>* list : {&play.Moves, &play.Redo}) {
            for (const MoveEntry& m : *list)
                puzzle_.ApplyOperation(m.OpCode, m.Pivot);
        }
        for (std::size_t i = 0; i < play.Redo.size(); ++i)
            puzzle_.Undo();
        clock_.Hold(play.Seconds);
        clockShown_ = true;
        hintUsed_ = play.HintUsed;
        demonstrated_ = play.Demonstrated;
        EnterPhase(Phase::Paused);
        DrawPath();
        // The best time last: a lookup that fails (a full records file) is
        // reported over the play taken up, not instead of it.
        if (play.Named)
            NameProblem(play.Name, play.Code);
    });
    return true;
}
