// NewProblems.cpp: the dialogs of random problems and of the collection, and the day's problem.
#include "ui/NewProblems.h"

#include "solver/Collection.h"
#include "solver/Daily.h"
#include "ui/Messages.h"

TNewProblems::TNewProblems(QWidget& window, TGame& game, TDialogs& dialogs, TClock& clock,
                           const TRecordsKeeper& records, const TUserData& userData, TPreferences& preferences)
    : window_(window), game_(game), dialogs_(dialogs), clock_(clock), records_(records), userData_(userData),
      preferences_(preferences)
{
}

void TNewProblems::Random()
{
    if (!game_.MayReplaceProblem())
        return;
    const RandomProblemRequest proposal{preferences_.RandomPoints, preferences_.RandomLevel, QString()};
    const std::optional<RandomProblemRequest> request = dialogs_.ChooseRandomProblem(&window_, proposal);
    if (!request)
        return;
    ProblemCode code{request->Points, 0, request->Level};
    const QString typed = request->Code.trimmed();
    if (!typed.isEmpty()) {
        const std::optional<ProblemCode> parsed = ParseProblemCode(typed.toStdString());
        if (!parsed) {
            dialogs_.ShowMessage(&window_, Messages::BadProblemCode(typed));
            return;
        }
        code = *parsed;
    } else {
        code.Seed = NewProblemSeed(clock_.NewSeed());
    }
    preferences_.RandomPoints = code.Points;
    preferences_.RandomLevel = code.Level;
    userData_.SavePreferences(preferences_);
    game_.MakeRandomProblem(code);
}

// The rows show the player's best times and the problems solved in the
// fewest moves; the first one neither solved nor timed is proposed.
void TNewProblems::Collection()
{
    if (!game_.MayReplaceProblem())
        return;
    const QStringList fewest = userData_.FewestSolved();
    std::vector<CollectionRow> rows;
    int suggested = -1;
    for (const CollectionEntry& entry : GradedCollection()) {
        const QString name = QString::fromStdString(ProblemCodeName(entry.Code));
        CollectionRow row{entry.Number, entry.Code, entry.FewestMoves, records_.List().Lookup(name),
                          fewest.contains(name)};
        if (row.BestSeconds == NoRecordSeconds)
            row.BestSeconds.reset();
        if (suggested < 0 && !row.BestSeconds && !row.FewestSolved)
            suggested = static_cast<int>(rows.size());
        rows.push_back(row);
    }
    const std::optional<ProblemCode> chosen =
        dialogs_.ChooseCollectionProblem(&window_, rows, suggested < 0 ? 0 : suggested, Today());
    if (chosen)
        game_.MakeRandomProblem(*chosen);
}

void TNewProblems::Daily()
{
    if (game_.MayReplaceProblem())
        game_.MakeRandomProblem(Today());
}

ProblemCode TNewProblems::Today() const
{
    const QDate today = clock_.Today();
    const std::chrono::year_month_day date{std::chrono::year(today.year()), std::chrono::month(today.month()),
                                           std::chrono::day(today.day())};
    return DailyProblemCode(date).value_or(ProblemCode{});
}
