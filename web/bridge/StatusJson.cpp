// StatusJson.cpp: the status and the test state written as JSON text.
#include "web/bridge/StatusJson.h"

#include <cstdio>

namespace {

// A JSON object written member by member.
class JsonObject {
public:
    JsonObject& Raw(const char* key, const std::string& value)
    {
        text_ += (text_.size() > 1 ? ",\"" : "\"") + std::string(key) + "\":" + value;
        return *this;
    }
    JsonObject& Number(const char* key, double value)
    {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g", value);
        return Raw(key, digits);
    }
    JsonObject& Bool(const char* key, bool value) { return Raw(key, value ? "true" : "false"); }
    JsonObject& String(const char* key, const std::string& value) { return Raw(key, Quoted(value)); }
    std::string Close() const { return text_ + "}"; }

    // UTF-8 passes as it is; quotes, backslashes and control characters are escaped.
    static std::string Quoted(const std::string& value)
    {
        std::string quoted = "\"";
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                quoted += '\\';
                quoted += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                quoted += escape;
            } else {
                quoted += c;
            }
        }
        return quoted + "\"";
    }

private:
    std::string text_ = "{";
};

std::string ControlsJson(const Controls& c)
{
    return JsonObject()
        .Bool("entryBegin", c.EntryBegin)
        .Bool("entryEnd", c.EntryEnd)
        .Bool("saveDrawn", c.SaveDrawn)
        .Bool("start", c.Start)
        .Bool("undo", c.Undo)
        .Bool("pause", c.Pause)
        .Bool("continue", c.Continue)
        .Bool("saveCopy", c.SaveCopy)
        .Bool("open", c.Open)
        .Bool("step", c.Step)
        .Bool("redo", c.Redo)
        .Bool("hint", c.Hint)
        .Bool("newProblem", c.NewProblem)
        .Close();
}

std::string CodeJson(const std::optional<ProblemCode>& code)
{
    return code ? JsonObject::Quoted(FormatProblemCode(*code)) : "null";
}

}  // namespace

std::string StatusJson(const GameStatus& status)
{
    const OperationMenu& menu = status.Operations;
    const std::string operations = JsonObject()
                                       .Bool("shown", menu.Shown)
                                       .Number("x", menu.ClickX)
                                       .Number("y", menu.ClickY)
                                       .Number("hinted", menu.HintedOp)
                                       .Close();
    const std::string par = JsonObject()
                                .Number("known", status.Par.Known)
                                .Number("moves", status.Par.Moves)
                                .Close();
    const ProblemIdentity& p = status.Problem;
    const std::string problem = JsonObject()
                                    .String("name", p.Name)
                                    .Bool("named", p.Named)
                                    .Number("best", p.BestSeconds)
                                    .Raw("code", CodeJson(p.Code))
                                    .Close();
    const std::string clock = status.ClockSeconds ? JsonObject::Quoted(ClockText(*status.ClockSeconds)) : "null";
    return JsonObject()
        .Number("state", static_cast<int>(status.State))
        .Number("mode", status.ModeShown)
        .Number("gameMode", status.GameMode)
        .Raw("enabled", ControlsJson(status.Enabled))
        .Bool("demonstration", status.DemonstrationShown)
        .Bool("running", status.RunningDemonstration)
        .Raw("operations", operations)
        .Raw("clock", clock)
        .Number("moves", status.Moves)
        .Raw("par", par)
        .Bool("hintUsed", status.HintUsed)
        .Bool("unsaved", status.Unsaved)
        .Number("unit", status.Unit)
        .Raw("problem", problem)
        .Close();
}

std::string StateJson(const TGame& game)
{
    const TPuzzle& puzzle = game.Puzzle();
    std::string points = "[";
    for (int i = 1; i <= puzzle.PointCount(); ++i) {
        const PathPoint& p = puzzle.Work(i);
        points += (i > 1 ? ",[" : "[") + std::to_string(p.X) + "," + std::to_string(p.Y) + "]";
    }
    points += "]";
    const GameStatus& status = game.Status();
    const std::string fewest = status.Par.Known == ParFigure::Proven ? std::to_string(status.Par.Moves) : "null";
    const ViewTransform& view = game.View().Transform();
    const std::string viewJson = JsonObject()
                                     .Number("originX", view.OriginX)
                                     .Number("originY", view.OriginY)
                                     .Number("unit", view.Unit)
                                     .Close();
    return JsonObject()
        .Raw("points", points)
        .Number("moves", puzzle.MoveCount())
        .Raw("fewest", fewest)
        .Bool("solved", puzzle.IsSolved())
        .Raw("code", CodeJson(status.Problem.Code))
        .Raw("view", viewJson)
        .Close();
}
