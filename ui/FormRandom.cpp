// FormRandom.cpp: "乱数問題": a new problem of a chosen size and difficulty, or one again from its code.
#include "ui/VandrelPathU.h"

#include "files/ProblemFile.h"
#include "ui/Controls.h"
#include "ui/Messages.h"

void TFormMain::ButtonRandomClick()
{
    if (session_.Unsaved() && !dialogs_.ConfirmWarning(this, Messages::NewProblemQuestion))
        return;
    const std::optional<RandomProblemRequest> request = dialogs_.ChooseRandomProblem(this, lastRandom_);
    if (!request)
        return;
    ProblemCode code{request->Points, 0, request->Level};
    if (!request->Code.trimmed().isEmpty()) {
        const std::optional<ProblemCode> typed = ParseProblemCode(request->Code.trimmed().toStdString());
        if (!typed) {
            dialogs_.ShowMessage(this, Messages::BadProblemCode(request->Code.trimmed()));
            return;
        }
        code = *typed;
    } else {
        code.Seed = clock_.NewSeed();
    }
    lastRandom_ = {code.Points, code.Level, QString()};
    generateWork_.Start([code](const std::atomic<bool>& cancel) { return GenerateProblem(code, &cancel); },
                        [this, code](const std::optional<Problem>& problem) {
                            if (problem)
                                InstallGenerated(code, *problem);
                            RefreshOverlay();
                        });
    RefreshOverlay();
}

// As an opened file: the problem, its name and best time, the caption; the
// demonstration's panel goes away.
void TFormMain::InstallGenerated(const ProblemCode& code, const Problem& problem)
{
    PanelJidou->hide();
    LoadRecordsFile();
    InstallProblem(FormatProblemLines(problem.Points, problem.PointCount), problem);
    SetProblemName(GeneratedProblemName(QString::fromStdString(FormatProblemCode(code))));
}
