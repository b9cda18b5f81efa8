// GameProblems.cpp: problems arriving (the sample, a file, a random code), their names and best times, and the end of the play before them.
#include "game/Game.h"

namespace {

// The name a random problem keeps its best time under.
std::string RandomProblemName(const ProblemCode& code)
{
    return "乱数" + FormatProblemCode(code);
}

} // namespace

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
                NameProblem(RandomProblemName(code));
                identity_.Code = code;
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
    CancelJob(hintJob_);
    undoOffered_ = false;
    if (phase_ == Phase::Playing || phase_ == Phase::Paused || phase_ == Phase::Solved)
        EnterPhase(Phase::Ready);
    if (gameMode_ == ModePlay)
        gameMode_ = ModeIdle;
}

// The caption names the problem with its best time, as the records keep it.
void TGame::NameProblem(const std::string& name)
{
    const std::int32_t best = records_.BestTime(name);
    identity_ = {name, true, best, std::nullopt};
    bestSeconds_ = best;
}
