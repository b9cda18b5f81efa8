// Exports.cpp: the functions the page calls: the player's actions, time, jobs, problem files and the state for tests.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "core/RunErrors.h"
#include "files/ProblemText.h"
#include "game/Game.h"
#include "web/bridge/PageCalls.h"
#include "web/bridge/StatusJson.h"
#include "web/bridge/WebFrontEnd.h"

namespace {

// The page's one game. Large (the move history holds 65535 moves): on the heap.
struct Session {
    TWebFrontEnd FrontEnd;
    TQueuedJobs Jobs;
    TGame Game{FrontEnd, Jobs, FrontEnd};
};

std::unique_ptr<Session> session;
std::string handedOut;  // the text a call returned, kept until the next such call

// Runs a call of the page's. A run-time error ends the call with its message
// shown, and the game goes on, as in the window; so does any other error.
template <typename Body>
void Guarded(Body body)
{
    if (!session)
        return;
    try {
        body();
    } catch (const std::exception& e) {
        vandrel_page_report(e.what());
    } catch (...) {
        vandrel_page_report("不明なエラー");
    }
}

// The same for a call that returns something: `failed` when it could not.
template <typename Result, typename Body>
Result GuardedValue(Result failed, Body body)
{
    Result result = failed;
    Guarded([&] { result = body(); });
    return result;
}

TGame& Game()
{
    return session->Game;
}

const char* HandOut(std::string text)
{
    handedOut = std::move(text);
    return handedOut.c_str();
}

}  // namespace

extern "C" {

// Starts the game on a picture of that size, a strip of `coveredRight` pixels
// on its right under the page's play panel, with the sample of that name.
EMSCRIPTEN_KEEPALIVE void vandrel_start(int width, int height, int coveredRight, const char* sampleName)
{
    session = std::make_unique<Session>();
    Guarded([&] {
        Game().SetCoveredRight(coveredRight);
        Game().Resize(width, height);
        session->FrontEnd.Reload();
        const ProblemTextParse sample = ParseProblemText(SampleProblemText());
        Game().InstallSample(std::get<Problem>(sample), sampleName);
    });
}

EMSCRIPTEN_KEEPALIVE void vandrel_resize(int width, int height)
{
    Guarded([&] { Game().Resize(width, height); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_tick()
{
    Guarded([] { Game().Tick(session->FrontEnd.Now()); });
}

// Runs the next job waiting; true while more wait.
EMSCRIPTEN_KEEPALIVE int vandrel_run_job()
{
    Guarded([] { session->Jobs.RunNext(); });
    return session && session->Jobs.Pending();
}

EMSCRIPTEN_KEEPALIVE int vandrel_jobs_pending()
{
    return session && session->Jobs.Pending();
}

// ---- the picture ---------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE void vandrel_mouse_down(int shift, int panButton, int x, int y)
{
    Guarded([&] { Game().MouseDown(shift, panButton != 0, x, y); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_mouse_move(int x, int y)
{
    Guarded([&] { Game().MouseMove(x, y); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_mouse_up()
{
    Guarded([] { Game().MouseUp(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_wheel(int notches, int x, int y)
{
    Guarded([&] { Game().Wheel(notches, x, y); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_zoom(int unit)
{
    Guarded([&] { Game().Zoom(unit); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_pan_units(int unitsX, int unitsY)
{
    Guarded([&] { Game().PanUnits(unitsX, unitsY); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_fit()
{
    Guarded([] { Game().Fit(); });
}

// ---- modes, the play, the demonstration, the entry -----------------------------

EMSCRIPTEN_KEEPALIVE void vandrel_choose_mode(int item)
{
    Guarded([&] { Game().ChooseMode(item); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_start_play()
{
    Guarded([] { Game().Start(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_pause()
{
    Guarded([] { Game().Pause(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_continue()
{
    Guarded([] { Game().Continue(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_choose_operation(int op)
{
    Guarded([&] { Game().ChooseOperation(op); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_undo()
{
    Guarded([] { Game().Undo(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_redo()
{
    Guarded([] { Game().Redo(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_hint()
{
    Guarded([] { Game().Hint(); });
}

// True when the game is in play and so took the key.
EMSCRIPTEN_KEEPALIVE int vandrel_pick_next(int step)
{
    return GuardedValue(0, [&] { return int{Game().PickNextPoint(step)}; });
}

EMSCRIPTEN_KEEPALIVE void vandrel_open_demonstration()
{
    Guarded([] { Game().OpenDemonstration(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_press_step(int doubleClick)
{
    Guarded([&] { Game().PressStep(doubleClick != 0); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_set_wait(int position)
{
    Guarded([&] { Game().SetWaitPosition(position); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_set_shortest(int on)
{
    Guarded([&] { Game().SetShortestSteps(on != 0); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_set_animation(int on)
{
    Guarded([&] { Game().SetAnimation(on != 0); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_begin_entry()
{
    Guarded([] { Game().BeginEntry(); });
}

EMSCRIPTEN_KEEPALIVE void vandrel_end_entry()
{
    Guarded([] { Game().EndEntry(); });
}

// ---- questions -----------------------------------------------------------------

// The question the last call asked (a GameQuestion), or -1.
EMSCRIPTEN_KEEPALIVE int vandrel_take_question()
{
    if (!session)
        return -1;
    const std::optional<GameQuestion> asked = session->FrontEnd.TakeQuestion();
    return asked ? static_cast<int>(*asked) : -1;
}

EMSCRIPTEN_KEEPALIVE void vandrel_answer_next(int yes)
{
    if (session)
        session->FrontEnd.AnswerNext(yes != 0);
}

// ---- problems ------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE void vandrel_opening_problem()
{
    Guarded([] { Game().OpeningProblem(); });
}

EMSCRIPTEN_KEEPALIVE int vandrel_may_replace_problem()
{
    return GuardedValue(0, [] { return int{Game().MayReplaceProblem()}; });
}

// Reads a problem file's text (UTF-8) and installs it under the file's name.
// Returns "" when it was installed, else "LINE\tMESSAGE": the text is no problem.
EMSCRIPTEN_KEEPALIVE const char* vandrel_open_problem(const char* text, const char* fileName)
{
    return GuardedValue<const char*>(
        "", [&] {
            const ProblemTextParse parse = ParseProblemText(SplitProblemText(text));
            if (const auto* error = std::get_if<ProblemTextError>(&parse))
                return HandOut(std::to_string(error->Line) + "\t" + error->Message);
            Game().InstallOpened(std::get<Problem>(parse), ProblemNameOfPath(fileName));
            return HandOut("");
        });
}

// Why a file of `bytes` is not read as a problem file, or "" when its size is no reason.
EMSCRIPTEN_KEEPALIVE const char* vandrel_file_too_large(const char* fileName, double bytes)
{
    if (bytes <= ProblemFileMaxBytes)
        return HandOut("");
    return HandOut(FileErrorMessage(fileName, CannotRead, TooLargeReason(ProblemFileMaxBytes)));
}

// The message of a file the browser could not read, for the reason it gave.
EMSCRIPTEN_KEEPALIVE const char* vandrel_file_unreadable(const char* fileName, const char* reason)
{
    return HandOut(FileErrorMessage(fileName, CannotRead, reason));
}

// The problem in place as a problem file's text, CR LF. During an entry,
// what has been drawn: "保存" ends the entry first.
EMSCRIPTEN_KEEPALIVE const char* vandrel_problem_file()
{
    return GuardedValue<const char*>(
        "", [] {
            Game().EndEntry();
            const TPuzzle& puzzle = Game().Puzzle();
            return HandOut(JoinProblemText(FormatProblemText(puzzle.ProblemPath(), puzzle.PointCount())));
        });
}

// The problem was saved as `fileName`, which names it; "" for a copy, whose name stays.
EMSCRIPTEN_KEEPALIVE void vandrel_problem_saved(const char* fileName)
{
    Guarded([&] {
        std::optional<std::string> rename;
        if (*fileName)
            rename = ProblemNameOfPath(fileName);
        Game().ProblemSaved(rename);
    });
}

// Makes the random problem of points, level (0 easy .. 2 hard) and seed.
EMSCRIPTEN_KEEPALIVE void vandrel_random_problem(int points, int level, double seed)
{
    // Seeds come whole from the page; anything else names no problem.
    if (!(seed >= 0 && seed < 18446744073709551616.0))
        return;
    Guarded([&] {
        const auto difficulty = static_cast<Difficulty>(std::clamp(level, 0, 2));
        Game().MakeRandomProblem(ProblemCode{points, static_cast<std::uint64_t>(seed), difficulty});
    });
}

// Makes the random problem of a code as text; false when the text is no code.
EMSCRIPTEN_KEEPALIVE int vandrel_random_code(const char* code)
{
    return GuardedValue(0, [&] {
        const std::optional<ProblemCode> parsed = ParseProblemCode(code);
        if (parsed)
            Game().MakeRandomProblem(*parsed);
        return int{parsed.has_value()};
    });
}

// Whether the text is a random problem's code.
EMSCRIPTEN_KEEPALIVE int vandrel_is_code(const char* code)
{
    return ParseProblemCode(code).has_value();
}

// ---- for tests -----------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE const char* vandrel_state()
{
    return GuardedValue<const char*>("null", [] { return HandOut(StateJson(Game())); });
}

}  // extern "C"
