// MonkeyTest.cpp: thousands of random mouse, key, slider and dialog events on the window, checked after each.
//
// Every event goes through the application's notify, as the window system's
// would, so a run-time error reaches the player as a message; a message the
// game has no business showing fails the run. Seeds and the number of events
// per seed come from VANDREL_MONKEY_SEEDS (comma-separated) and
// VANDREL_MONKEY_EVENTS; VANDREL_MONKEY_TRACE=1 prints every event as it goes.
#include "UiFixture.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QTimerEvent>
#include <QWheelEvent>

#include "files/Records.h"
#include "solver/Random.h"
#include "support/PathChecks.h"

namespace {

// The game's own SplitMix64: the same seed gives the same run with any
// standard library.
class TRng {
public:
    explicit TRng(std::uint64_t seed) : mix_(seed) {}
    std::uint64_t Next() { return mix_.Next(); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    SplitMix64 mix_;
};

std::vector<std::uint64_t> MonkeySeeds()
{
    std::vector<std::uint64_t> seeds;
    const QByteArray text = qgetenv("VANDREL_MONKEY_SEEDS");
    for (const QByteArray& part : text.split(',')) {
        bool ok = false;
        const qulonglong seed = part.trimmed().toULongLong(&ok);
        if (ok)
            seeds.push_back(seed);
    }
    if (seeds.empty())
        seeds = {1, 2, 3, 4, 5, 6};
    return seeds;
}

// Under the address sanitizer every event costs several times as much.
#if defined(__SANITIZE_ADDRESS__)
constexpr int DefaultEvents = 2500;
#else
constexpr int DefaultEvents = 5000;
#endif

int MonkeyEvents()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VANDREL_MONKEY_EVENTS", &ok);
    return ok && n > 0 ? n : DefaultEvents;
}

// The questions the game asks before discarding work.
const QStringList KnownQuestions = {Messages::QuitQuestion, Messages::SwitchQuestion, Messages::RestartQuestion,
                                    Messages::NewProblemQuestion};

// What a player can reach: visible, in a shown window.
bool Reachable(const QWidget* w)
{
    return w && w->isVisible() && w->window()->isVisible();
}

// The records file as the game keeps it: one line a name, sorted by the name
// field's bytes, each with a readable time. Between two looks at it no line
// may go missing and a time may only come down, and only for the problems
// allowed to change.
class TRecordsWatch {
public:
    // The 20-byte field a problem's line starts with.
    static QByteArray Field(const QString& problemName)
    {
        return TRecordsList::NameKey(problemName).leftJustified(20, ' ');
    }

    ::testing::AssertionResult Check(const QString& fileName, const std::set<QByteArray>& mayChange)
    {
        std::map<QByteArray, int> now;
        if (QFileInfo::exists(fileName)) {
            QByteArray bytes;
            try {
                bytes = ReadFileBytes(fileName);
            } catch (const std::exception& e) {
                return ::testing::AssertionFailure() << "records unreadable: " << e.what();
            }
            const QList<QByteArray> lines = SplitByteLines(bytes);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QByteArray field = lines[i].left(20);
                const auto below = [](char a, char b) {
                    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
                };
                if (i > 0 && !std::lexicographical_compare(lines[i - 1].begin(), lines[i - 1].begin() + std::min<qsizetype>(20, lines[i - 1].size()),
                                                           field.begin(), field.end(), below))
                    return ::testing::AssertionFailure() << "records line " << i + 1 << " out of order or twice: "
                                                         << lines[i].toStdString();
                const std::optional<int> seconds = ReadFieldInteger(FromShiftJis(lines[i].mid(20, 10)));
                if (!seconds)
                    return ::testing::AssertionFailure() << "records line " << i + 1
                                                         << " has no time: " << lines[i].toStdString();
                now[field] = *seconds;
            }
        } else if (!last_.empty()) {
            return ::testing::AssertionFailure() << "the records file is gone";
        }
        for (const auto& [field, seconds] : last_) {
            const auto it = now.find(field);
            if (it == now.end())
                return ::testing::AssertionFailure() << "the record of '" << field.toStdString() << "' is lost";
            if (it->second != seconds && !(mayChange.contains(field) && it->second < seconds))
                return ::testing::AssertionFailure() << "the record of '" << field.toStdString() << "' went from "
                                                     << seconds << " to " << it->second;
        }
        for (const auto& [field, seconds] : now) {
            if (!last_.contains(field) && seconds != NoRecordSeconds && !mayChange.contains(field))
                return ::testing::AssertionFailure() << "a record of '" << field.toStdString()
                                                     << "' appeared with " << seconds;
        }
        last_ = std::move(now);
        return ::testing::AssertionSuccess();
    }

    std::size_t Count() const { return last_.size(); }

private:
    std::map<QByteArray, int> last_;
};

} // namespace

class MonkeyTest : public ::testing::TestWithParam<std::uint64_t> {
protected:
    // The monkey's dialogs: questions answered at random, file dialogs
    // returning one of the prepared files or nothing.
    class TMonkeyDialogs : public TFakeDialogs {
    public:
        MonkeyTest* Monkey = nullptr;
        bool ForceYes = false;

        bool ConfirmWarning(QWidget* parent, const QString& text) override
        {
            TFakeDialogs::ConfirmWarning(parent, text);
            EXPECT_TRUE(KnownQuestions.contains(text)) << "unexpected question: " << text.toStdString();
            const bool yes = ForceYes || Monkey->rng_.Chance(55);
            Monkey->Log(yes ? "  question answered Yes" : "  question answered Cancel");
            return yes;
        }
        std::optional<QString> ChooseOpenFile(QWidget*, const QString&) override
        {
            ++OpenDialogs;
            return Monkey->ChooseFrom(Monkey->openChoices_, "open");
        }
        std::optional<QString> ChooseSaveFile(QWidget*, const QString& initialName, const QString&) override
        {
            SaveProposals.push_back(initialName);
            return Monkey->ChooseFrom(Monkey->saveChoices_, "save");
        }
    };

    TRng rng_{GetParam()};
    TMonkeyDialogs dialogs_;
    TFakeClock clock_;
    std::unique_ptr<TFormMain> form_;
    QTemporaryDir files_;
    std::vector<QString> openChoices_;  // an empty name cancels
    std::vector<QString> saveChoices_;
    std::vector<QString> readFailures_;   // files whose reading may fail
    std::vector<QString> writeFailures_;  // files whose writing must fail
    std::vector<QString> badProblemMessages_;  // what opening each bad problem file shows
    TRecordsWatch records_;
    QString lastProblemName_;

    std::deque<std::string> recent_;
    std::string eventLabel_;
    int nestedIndex_ = 0;
    int runEvents_ = 0;       // events since a continuous run began
    int stopRunAfter_ = 0;    // when the player stops it
    int pendingActions_ = 0;
    // How the player behaves for a while: whether the operation group gets
    // answered or left standing, how restless the menu and buttons are. A
    // change of mood reaches sequences that one fixed mix makes too rare.
    struct Mood {
        int OperationInPlay = 30;
        int OperationElsewhere = 12;
        int MenuBoost = 1;
        int ButtonBoost = 1;
    } mood_;
    int moodLeft_ = 0;
    // Lets through only the ticks the monkey sends.
    struct TimerGate : QObject {
        bool Open = false;
        bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Timer && !Open; }
    } gate_;
    QPointer<QWidget> grab_;  // the widget that holds the mouse while a button is down
    Qt::MouseButtons held_ = Qt::NoButton;

    // Counts for the report.
    int steps_ = 0;
    int runs_ = 0;
    int ticks_ = 0;
    int windowsClosed_ = 0;
    std::map<std::string, int> delivered_;  // window events sent, by kind
    std::map<QString, int> messageCounts_;

    // Qt's own complaints during the run (a repaint inside a paint, a painter
    // on no device, ...) count as findings too.
    static inline std::vector<std::string>* warnings_ = nullptr;
    static inline QtMessageHandler previousHandler_ = nullptr;
    std::vector<std::string> warningLog_;

    static void CollectWarning(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        // The offscreen platform's note on every window it sizes is no finding.
        if (type != QtDebugMsg && type != QtInfoMsg && warnings_ && !text.contains(QLatin1String("propagateSizeHints")))
            warnings_->push_back(text.toStdString());
        if (previousHandler_)
            previousHandler_(type, context, text);
    }

    void SetUp() override
    {
        warnings_ = &warningLog_;
        previousHandler_ = qInstallMessageHandler(CollectWarning);
        ASSERT_TRUE(files_.isValid());
        dialogs_.Monkey = this;
        dialogs_.OnMessage = [this](const QString& text) { CheckMessage(text); };
        PrepareFiles();
        QFile::remove(RecordsFileName);
        OpenWindow();
    }

    void TearDown() override
    {
        form_.reset();
        qInstallMessageHandler(previousHandler_);
        warnings_ = nullptr;
    }

    // ---- files ----------------------------------------------------------------

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = files_.filePath(name);
        WriteFileAtomically(path, bytes);
        return path;
    }

    QString WriteProblem(const QString& name, const QStringList& lines) { return Write(name, JoinTextLines(lines)); }
    QString WriteProblem(const QString& name, const Coords& points) { return WriteProblem(name, ProblemLines(points)); }

    QString WriteBadProblem(const QString& name, const QByteArray& bytes)
    {
        const QString path = Write(name, bytes);
        const ProblemParse parse = ParseProblemLines(SplitTextLines(bytes));
        const auto* error = std::get_if<ProblemError>(&parse);
        EXPECT_NE(error, nullptr) << name.toStdString() << " reads as a problem";
        if (error)
            badProblemMessages_.push_back(Messages::ProblemLineError(QFileInfo(path).fileName(), error->Line, error->Message));
        return path;
    }

    void PrepareFiles()
    {
        const std::vector<QString> good = {
            WriteProblem("Vandrel5.txt", Coords{{0, 0}, {1, 0}, {1, 1}}),
            WriteProblem("Square.txt", Coords{{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
            WriteProblem("Straight.txt", Coords{{0, 0}, {1, 0}, {2, 0}, {3, 0}}),
            WriteProblem("Downward.txt", Coords{{0, 0}, {0, -1}, {0, -2}}),
            WriteProblem("Single.txt", Coords{{0, 0}}),
            WriteProblem("Snake255.txt", Transposed(Serpentine(MaxPoints, 15))),
            WriteProblem("Spiral.txt", Spiral(60, true, DirPlusX)),
            WriteProblem("Sample.txt", BuiltInSampleLines()),
            WriteProblem(QStringLiteral("問題七.v1.txt"), Coords{{0, 0}, {0, 1}, {-1, 1}, {-1, 0}}),
            WriteProblem("AVeryLongProblemNameNumberOne.txt", Coords{{0, 0}, {-1, 0}, {-1, -1}}),
            WriteProblem("AVeryLongProblemNameNumberTwo.txt", Coords{{0, 0}, {0, 1}, {1, 1}}),
        };
        std::vector<QString> bad = {
            WriteBadProblem("BadCount0.txt", "   0\r\n   0   0\r\n"),
            WriteBadProblem("BadCount256.txt", JoinTextLines(ProblemLines(Transposed(Serpentine(MaxPoints, 15)))).replace("255", "256")),
            WriteBadProblem("BadOrigin.txt", "   2\r\n   1   0\r\n   2   0\r\n"),
            WriteBadProblem("BadStep.txt", "   2\r\n   0   0\r\n   2   0\r\n"),
            WriteBadProblem("BadRepeat.txt", "   5\r\n   0   0\r\n   1   0\r\n   1   1\r\n   0   1\r\n   0   0\r\n"),
            WriteBadProblem("BadField.txt", "   2\r\n   0   0\r\n   a   0\r\n"),
            WriteBadProblem("BadShort.txt", "   5\r\n   0   0\r\n   1   0\r\n"),
            WriteBadProblem("Empty.txt", ""),
        };
        QByteArray junk;
        TRng bytes(99);
        for (int i = 0; i < 300; ++i)
            junk.append(static_cast<char>(bytes.Below(256)));
        bad.push_back(WriteBadProblem("Junk.bin", junk));

        const QString missing = files_.filePath("Missing.txt");
        const QString folder = files_.filePath("Folder.txt");
        QDir().mkpath(folder);
        const QString plain = Write("Plain.txt", "not a folder");
        QDir().mkpath(files_.filePath("sub"));
        const QString saved = files_.filePath("MonkeySaved.txt");
        const QString savedElsewhere = files_.filePath("sub/MonkeySaved.txt");

        readFailures_ = {missing, folder, saved, savedElsewhere};
        writeFailures_ = {plain + "/Under.txt", folder};

        openChoices_ = {QString(), QString(), missing, folder, saved, savedElsewhere};
        openChoices_.insert(openChoices_.end(), good.begin(), good.end());
        openChoices_.insert(openChoices_.end(), good.begin(), good.end());
        openChoices_.insert(openChoices_.end(), bad.begin(), bad.end());
        saveChoices_ = {QString(), saved, saved, savedElsewhere, plain + "/Under.txt", folder};
    }

    std::optional<QString> ChooseFrom(const std::vector<QString>& choices, const char* what)
    {
        const QString file = choices[rng_.Below(static_cast<int>(choices.size()))];
        Log(std::string("  ") + what + " dialog gives "
            + (file.isEmpty() ? std::string("nothing") : QFileInfo(file).fileName().toStdString()));
        if (file.isEmpty())
            return std::nullopt;
        return file;
    }

    // ---- the window -----------------------------------------------------------

    void OpenWindow()
    {
        ::OpenWindow(form_, dialogs_, clock_);
        // The game ticks when the monkey says so; real seconds passing must
        // not change what a seed does.
        ControlOf<QTimer>(*form_, "Timer")->installEventFilter(&gate_);
        // Moves shown in motion in some windows, at once in others.
        ControlOf<QCheckBox>(*form_, "CheckBoxMotion")->setChecked(rng_.Chance(50));
        grab_ = nullptr;
        held_ = Qt::NoButton;
        // A window closed during the move that solved its play has stored that
        // problem's time as it closed: the next check allows it.
        if (lastProblemName_.isEmpty())
            lastProblemName_ = form_->ProblemName();
    }

    std::vector<std::pair<const char*, TPressButton*>> Buttons() const
    {
        TFormMain& f = *form_;
        return {{"Up", ControlOf<TPressButton>(f, "ButtonUp")},
                {"Down", ControlOf<TPressButton>(f, "ButtonDown")},
                {"Left", ControlOf<TPressButton>(f, "ButtonLeft")},
                {"Right", ControlOf<TPressButton>(f, "ButtonRight")},
                {"NyuuryokuBegin", ControlOf<TPressButton>(f, "ButtonNyuuryokuBegin")},
                {"NyuuryokuEnd", ControlOf<TPressButton>(f, "ButtonNyuuryokuEnd")},
                {"Save", ControlOf<TPressButton>(f, "ButtonSave")},
                {"OpenAll", ControlOf<TPressButton>(f, "ButtonOpenAll")},
                {"Start", ControlOf<TPressButton>(f, "ButtonStart")},
                {"Continue", ControlOf<TPressButton>(f, "ButtonContinue")},
                {"Undo", ControlOf<TPressButton>(f, "ButtonUndo")},
                {"Pause", ControlOf<TPressButton>(f, "ButtonPause")},
                {"SaveAll", ControlOf<TPressButton>(f, "ButtonSaveAll")},
                {"Jidou", ControlOf<TPressButton>(f, "ButtonJidou")},
                {"Step", ControlOf<TPressButton>(f, "ButtonStep")},
                {"Setsumei", ControlOf<TPressButton>(f, "ButtonSetsumei")},
                {"Close", ControlOf<TPressButton>(f, "ButtonClose")}};
    }

    std::string Name(const QWidget* w) const
    {
        if (!w)
            return "nothing";
        for (const auto& [name, button] : Buttons())
            if (w == button)
                return std::string("Button") + name;
        if (w == form_->PlotImage())
            return "image";
        for (int i = 0; i < 2; ++i)
            if (w == ControlOf<TRadioGroup>(*form_, "RadioGroupMenu")->Item(i))
                return "menu item " + std::to_string(i);
        for (int i = 0; i < 5; ++i)
            if (w == ControlOf<TRadioGroup>(*form_, "RadioGroupSousa")->Item(i))
                return "operation item " + std::to_string(i);
        if (w == ControlOf<QSlider>(*form_, "TrackBarUnit"))
            return "TrackBarUnit";
        if (w == ControlOf<QSlider>(*form_, "TrackBarWait"))
            return "TrackBarWait";
        return w->metaObject()->className();
    }

    // ---- the log --------------------------------------------------------------

    void Log(const std::string& line)
    {
        // Each line carries the mode, the point count and whether the
        // operation group stands: "m2 n70 group".
        std::string state;
        if (form_) {
            state = " m" + std::to_string(form_->Game().GameMode()) + " n" + std::to_string(form_->Puzzle().PointCount());
            if (ControlOf<TRadioGroup>(*form_, "RadioGroupSousa")->isVisible())
                state += " group";
        }
        recent_.push_back(eventLabel_ + state + " " + line);
        if (qEnvironmentVariableIsSet("VANDREL_MONKEY_TRACE"))
            std::cerr << recent_.back() << "\n";
        if (recent_.size() > 80)
            recent_.pop_front();
    }

    static std::string Describe(QPoint p, Qt::KeyboardModifiers mods)
    {
        std::ostringstream s;
        s << "(" << p.x() << "," << p.y() << ")";
        if (mods & Qt::ShiftModifier)
            s << " shift";
        if (mods & Qt::ControlModifier)
            s << " ctrl";
        return s.str();
    }

    // ---- checks ---------------------------------------------------------------

    bool MessageExpected(const QString& text) const
    {
        if (text == Messages::Failure || text == Messages::Solved || text == Messages::PathFull ||
            text == Messages::HistoryFull)
            return true;
        if (std::find(badProblemMessages_.begin(), badProblemMessages_.end(), text) != badProblemMessages_.end())
            return true;
        for (const QString& file : readFailures_)
            if (text.startsWith(ReadFailure(file)))
                return true;
        for (const QString& file : writeFailures_)
            if (text.startsWith(WriteFailure(file)))
                return true;
        return false;
    }

    void CheckMessage(const QString& text)
    {
        ++messageCounts_[text.size() > 40 ? text.left(40) + "…" : text];
        Log("  message: " + text.toStdString());
        EXPECT_TRUE(MessageExpected(text)) << "unexpected message: " << text.toStdString();
    }

    // `settled`: no handler is running, as between two events of the event
    // loop; otherwise a continuous demonstration is between two of its cycles.
    void CheckWindow(bool settled = false)
    {
        // A closed window is a game that has ended; the next event starts it again.
        if (!form_ || !form_->isVisible())
            return;
        TFormMain& f = *form_;
        const int n = f.Puzzle().PointCount();
        EXPECT_GE(n, 1) << "PointCount";
        EXPECT_LE(f.Game().GameMode(), ModePlay) << "GameMode";
        if (f.Game().GameMode() != ModeEntry) {
            EXPECT_EQ(PathFault(f.Puzzle().WorkPath(), n), "") << "WorkPath";
            EXPECT_EQ(PathFault(f.Puzzle().ProblemPath(), n), "") << "ProblemPath";
        } else {
            // What has been entered so far is a path too, ending at the corner.
            EXPECT_EQ(PathFault(f.Puzzle().WorkPath(), n), "") << "entered path";
            EXPECT_EQ(f.Game().EntryCorner(), (LatticePoint{f.Puzzle().WorkPath()[n].X, f.Puzzle().WorkPath()[n].Y}))
                << "the entry's corner is not the end of the entered path";
        }
        // The entry's pen is on exactly while the entry runs; the operation
        // group belongs to plays, never to an entry.
        EXPECT_EQ(f.PlotImage()->PenModeValue(), f.Game().GameMode() == ModeEntry ? PenXor : PenCopy) << "pen mode";
        if (f.Game().GameMode() == ModeEntry) {
            EXPECT_FALSE(ControlOf<TRadioGroup>(f, "RadioGroupSousa")->isVisible()) << "the operation group stands during an entry";
        }
        if (settled) {
            // Every press has had its release, and "次" is there unless a run holds it.
            EXPECT_FALSE(f.Game().Dragging()) << "a pan outlived its release";
            if (ControlOf<QWidget>(f, "PanelJidou")->isVisible() && !f.Game().Status().RunningDemonstration) {
                EXPECT_TRUE(ControlOf<TPressButton>(f, "ButtonStep")->isEnabled()) << "the step button stayed disabled";
            }
        }
        EXPECT_GE(f.Game().Clock().Elapsed(), 0);
        EXPECT_GE(f.Game().Clock().Carried(), 0);
        if (ControlOf<QLabel>(f, "PanelTime")->text() != QStringLiteral("  00分00秒")) {
            EXPECT_EQ(ControlOf<QLabel>(f, "PanelTime")->text(),
                      QString::asprintf("%4d分%2d秒", f.Game().Clock().Elapsed() / 60, f.Game().Clock().Elapsed() % 60))
                << "the clock shows another time than the play's";
        }
        std::set<QByteArray> mayChange = {TRecordsWatch::Field(lastProblemName_), TRecordsWatch::Field(f.ProblemName())};
        EXPECT_TRUE(records_.Check(RecordsFileName, mayChange));
        lastProblemName_ = f.ProblemName();
        for (const std::string& warning : warningLog_)
            ADD_FAILURE() << "Qt warned: " << warning;
        warningLog_.clear();
    }

    // ---- delivering events ----------------------------------------------------

    void SendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers mods)
    {
        // Nothing reaches a window that has been closed meanwhile.
        if (!w->window()->isVisible())
            return;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            held_ |= button;
        else if (type == QEvent::MouseButtonRelease)
            held_ &= ~Qt::MouseButtons(button);
        QMouseEvent e(type, local, w->mapToGlobal(local), button, held_, mods);
        ++delivered_[type == QEvent::MouseMove ? "mouse move" : type == QEvent::MouseButtonRelease ? "mouse release"
                     : type == QEvent::MouseButtonPress ? "mouse press" : "double-click press"];
        QApplication::sendEvent(w, &e);
    }

    // The widget the player would hit at a point of the window.
    QWidget* WidgetAt(QPoint inForm) const
    {
        QWidget* w = form_->childAt(inForm);
        return w ? w : form_.get();
    }

    QPoint InForm(const QWidget* w, QPoint local) const { return w->mapTo(form_.get(), local); }

    Qt::KeyboardModifiers RandomModifiers()
    {
        const int r = rng_.Below(100);
        if (r < 65)
            return Qt::NoModifier;
        if (r < 78)
            return Qt::ShiftModifier;
        if (r < 94)
            return Qt::ControlModifier;
        return Qt::ShiftModifier | Qt::ControlModifier;
    }

    Qt::MouseButton RandomButton()
    {
        const int r = rng_.Below(100);
        return r < 85 ? Qt::LeftButton : r < 96 ? Qt::RightButton : Qt::MiddleButton;
    }

    // A press at a point of the window, some moves with the button held (a
    // drag, possibly off the widget), and the release.
    void Press(QPoint inForm, Qt::MouseButton button, Qt::KeyboardModifiers mods, int moves)
    {
        QWidget* w = WidgetAt(inForm);
        Log("press " + Name(w) + " " + Describe(w->mapFrom(form_.get(), inForm), mods)
            + (moves ? " drag " + std::to_string(moves) : std::string()));
        grab_ = w;
        SendMouse(w, QEvent::MouseButtonPress, w->mapFrom(form_.get(), inForm), button, mods);
        QPoint at = inForm;
        for (int i = 0; i < moves && grab_; ++i) {
            at += QPoint(rng_.Between(-120, 120), rng_.Between(-120, 120));
            SendMouse(grab_, QEvent::MouseMove, grab_->mapFrom(form_.get(), at), Qt::NoButton, mods);
        }
        if (grab_)
            SendMouse(grab_, QEvent::MouseButtonRelease, grab_->mapFrom(form_.get(), at), button, mods);
        grab_ = nullptr;
        held_ = Qt::NoButton;
    }

    // Press, release, the press that carries the double click, release.
    void DoubleClick(QPoint inForm, Qt::KeyboardModifiers mods)
    {
        QWidget* w = WidgetAt(inForm);
        const QPoint local = w->mapFrom(form_.get(), inForm);
        Log("double click " + Name(w) + " " + Describe(local, mods));
        QPointer<QWidget> target = w;
        SendMouse(w, QEvent::MouseButtonPress, local, Qt::LeftButton, mods);
        if (target)
            SendMouse(target, QEvent::MouseButtonRelease, local, Qt::LeftButton, mods);
        if (target)
            SendMouse(target, QEvent::MouseButtonDblClick, local, Qt::LeftButton, mods);
        if (target)
            SendMouse(target, QEvent::MouseButtonRelease, local, Qt::LeftButton, mods);
        held_ = Qt::NoButton;
    }

    // Moves with no button down reach only a widget that tracks the mouse.
    void Hover(QPoint inForm)
    {
        QWidget* w = WidgetAt(inForm);
        if (!w->hasMouseTracking())
            return;
        SendMouse(w, QEvent::MouseMove, w->mapFrom(form_.get(), inForm), Qt::NoButton, Qt::NoModifier);
    }

    // ---- where to click ---------------------------------------------------------

    QPoint ImageToForm(QPoint p) const { return InForm(form_->PlotImage(), p); }

    QPoint AnywhereOnImage()
    {
        return QPoint(rng_.Below(std::max(1, form_->PlotImage()->width())),
                      rng_.Below(std::max(1, form_->PlotImage()->height())));
    }

    // Near a point of the path, or of the entry's corner row and column.
    QPoint NearThePath()
    {
        TFormMain& f = *form_;
        const PathPoint& p = f.Puzzle().WorkPath()[rng_.Between(1, f.Puzzle().PointCount())];
        QPoint at;
        try {
            at = f.PlotImage()->WorldToPixel(p.X, p.Y);
        } catch (const std::exception&) {
            return AnywhereOnImage();
        }
        const int u = std::max(1, f.PlotImage()->Unit);
        if (f.Game().GameMode() == ModeEntry && rng_.Chance(60)) {
            // Along the corner's row or column, a few units away.
            const int away = rng_.Between(-12, 12) * u;
            at = f.PlotImage()->WorldToPixel(f.Game().EntryCorner().X, f.Game().EntryCorner().Y)
                 + (rng_.Chance(50) ? QPoint(away, rng_.Between(-u, u)) : QPoint(rng_.Between(-u, u), away));
        } else if (rng_.Chance(85)) {
            at += QPoint(rng_.Between(-u / 2, u / 2), rng_.Between(-u / 2, u / 2));
        }
        if (!f.PlotImage()->rect().contains(at))
            return AnywhereOnImage();
        return at;
    }

    QPoint ImagePoint() { return rng_.Chance(form_->Game().GameMode() == ModeIdle ? 50 : 75) ? NearThePath() : AnywhereOnImage(); }

    QPoint OnWidget(const QWidget* w)
    {
        return QPoint(rng_.Between(2, std::max(2, w->width() - 3)), rng_.Between(2, std::max(2, w->height() - 3)));
    }

    // ---- the actions --------------------------------------------------------------

    void ImageAction()
    {
        const QPoint at = ImageToForm(ImagePoint());
        const int r = rng_.Below(100);
        if (r < 55)
            Press(at, RandomButton(), RandomModifiers(), 0);
        else if (r < 70)
            Press(at, RandomButton(), rng_.Chance(50) ? Qt::ControlModifier : RandomModifiers(), rng_.Between(1, 6));
        else if (r < 85) {
            const int moves = rng_.Between(1, 5);
            Log("hover " + std::to_string(moves));
            for (int i = 0; i < moves; ++i)
                Hover(ImageToForm(ImagePoint()));
        } else {
            DoubleClick(at, RandomModifiers());
        }
    }

    void ButtonAction()
    {
        const auto buttons = Buttons();
        auto [name, button] = buttons[rng_.Below(static_cast<int>(buttons.size()))];
        // Quitting and the help (which covers the picture) come up less often.
        if ((button == ControlOf<TPressButton>(*form_, "ButtonClose") || button == ControlOf<TPressButton>(*form_, "ButtonSetsumei")) && rng_.Chance(70))
            std::tie(name, button) = buttons[rng_.Below(4)];
        if (!Reachable(button))
            return;
        const QPoint at = InForm(button, OnWidget(button));
        const int r = rng_.Below(100);
        if (r < 70)
            Press(at, rng_.Chance(92) ? Qt::LeftButton : RandomButton(), RandomModifiers(), 0);
        else if (r < 85)
            DoubleClick(at, RandomModifiers());
        else
            Press(at, Qt::LeftButton, RandomModifiers(), rng_.Between(1, 3));
    }

    void StepAction()
    {
        if (!Reachable(ControlOf<TPressButton>(*form_, "ButtonStep")))
            return;
        const QPoint at = InForm(ControlOf<TPressButton>(*form_, "ButtonStep"), OnWidget(ControlOf<TPressButton>(*form_, "ButtonStep")));
        if (rng_.Chance(55))
            Press(at, Qt::LeftButton, RandomModifiers(), 0);
        else
            DoubleClick(at, RandomModifiers());
    }

    void MenuAction()
    {
        QRadioButton* item = ControlOf<TRadioGroup>(*form_, "RadioGroupMenu")->Item(rng_.Below(2));
        if (Reachable(item))
            Press(InForm(item, QPoint(rng_.Between(3, 20), item->height() / 2)), Qt::LeftButton, Qt::NoModifier, 0);
    }

    void OperationAction()
    {
        QRadioButton* item = ControlOf<TRadioGroup>(*form_, "RadioGroupSousa")->Item(rng_.Below(5));
        if (Reachable(item))
            Press(InForm(item, QPoint(rng_.Between(3, 20), item->height() / 2)), Qt::LeftButton, Qt::NoModifier, 0);
    }

    void KeyAction()
    {
        static const int keys[] = {Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Left,
                                   Qt::Key_Right, Qt::Key_Up,    Qt::Key_Down,   Qt::Key_R,     Qt::Key_L,
                                   Qt::Key_H,     Qt::Key_V,     Qt::Key_A,      Qt::Key_Space, Qt::Key_Return,
                                   Qt::Key_Escape, Qt::Key_Tab,  Qt::Key_PageUp, Qt::Key_Home,  Qt::Key_Delete};
        int key = keys[rng_.Below(static_cast<int>(std::size(keys)))];
        if (rng_.Chance(35)) {
            // A key that brings the origin back towards the middle, so that the
            // path does not wander off the picture for good.
            const TMyImage2& image = *form_->PlotImage();
            const bool across = rng_.Chance(50);
            if (across)
                key = image.OriginX < image.width() / 2 ? Qt::Key_Left : Qt::Key_Right;
            else
                key = image.OriginY < image.height() / 2 ? Qt::Key_Up : Qt::Key_Down;
        }
        const Qt::KeyboardModifiers mods = RandomModifiers();
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != form_.get())
            target = form_.get();
        if (!form_->isVisible())
            return;
        Log("key " + std::to_string(key) + " to " + Name(target) + Describe(QPoint(), mods).substr(5));
        QString text;
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            text = QChar(mods & Qt::ShiftModifier ? key : key - Qt::Key_A + 'a');
        ++delivered_["key"];
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(target, &release);
    }

    // A track bar moved by the player: a step, a page, an end, a drag, or the wheel.
    void SliderAction()
    {
        QSlider* slider = rng_.Chance(65) ? ControlOf<QSlider>(*form_, "TrackBarUnit") : ControlOf<QSlider>(*form_, "TrackBarWait");
        if (!Reachable(slider))
            return;
        const int r = rng_.Below(100);
        if (r < 30) {
            const QPoint at = InForm(slider, OnWidget(slider));
            Press(at, Qt::LeftButton, Qt::NoModifier, rng_.Below(3));
        } else if (r < 45) {
            const QPoint local = OnWidget(slider);
            Log("wheel " + Name(slider));
            QWheelEvent wheel(local, slider->mapToGlobal(local), QPoint(), QPoint(0, rng_.Chance(50) ? 120 : -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            ++delivered_["wheel"];
            QApplication::sendEvent(slider, &wheel);
        } else {
            static const QAbstractSlider::SliderAction actions[] = {
                QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
                QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum,
                QAbstractSlider::SliderMove};
            const auto action = actions[rng_.Below(static_cast<int>(std::size(actions)))];
            if (action == QAbstractSlider::SliderMove)
                slider->setSliderPosition(rng_.Between(slider->minimum(), slider->maximum()));
            Log("slide " + Name(slider) + " action " + std::to_string(action));
            ++delivered_["track bar"];
            slider->triggerAction(action);
        }
    }

    void TickAction()
    {
        // Whole and half seconds, and fractions between.
        const int r = rng_.Below(4);
        clock_.Now += r == 0 ? 0.5 : r == 1 ? 1.0 : rng_.Below(3000) / 1000.0;
        if (!ControlOf<QTimer>(*form_, "Timer")->isActive())
            return;
        Log("tick");
        ++delivered_["tick"];
        ++ticks_;
        QTimerEvent tick(ControlOf<QTimer>(*form_, "Timer")->timerId());
        gate_.Open = true;
        QApplication::sendEvent(ControlOf<QTimer>(*form_, "Timer"), &tick);
        gate_.Open = false;
    }

    void ResizeAction()
    {
        const QSize size = rng_.Chance(80) ? QSize(rng_.Between(700, 1600), rng_.Between(450, 1000))
                                           : QSize(rng_.Between(100, 700), rng_.Between(100, 450));
        Log("resize " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        ++delivered_["resize"];
        form_->resize(size);
    }

    void AnywhereAction()
    {
        const QPoint at(rng_.Below(form_->width()), rng_.Below(form_->height()));
        if (rng_.Chance(80))
            Press(at, RandomButton(), RandomModifiers(), rng_.Chance(20) ? rng_.Between(1, 3) : 0);
        else
            DoubleClick(at, RandomModifiers());
    }

    void RandomAction(bool nested)
    {
        if (!Reachable(form_.get()))
            return;
        if (ControlOf<TRadioGroup>(*form_, "RadioGroupSousa")->isVisible()
            && rng_.Chance(form_->Game().GameMode() == ModePlay ? mood_.OperationInPlay : mood_.OperationElsewhere)) {
            OperationAction();
            return;
        }
        if (ControlOf<QPlainTextEdit>(*form_, "MemoSetsumei")->isVisible() && rng_.Chance(15)) {
            Press(InForm(ControlOf<TPressButton>(*form_, "ButtonSetsumei"), OnWidget(ControlOf<TPressButton>(*form_, "ButtonSetsumei"))), Qt::LeftButton, Qt::NoModifier, 0);
            return;
        }
        // A player in the middle of a play or an entry mostly works on the
        // picture; between them, mostly the buttons.
        enum Kind { Image, Button, Step, Menu, Key, Slider, Tick, Anywhere, Resize };
        struct Weight {
            Kind kind;
            int idle, entry, play;
        };
        static constexpr Weight weights[] = {
            {Image, 25, 50, 45}, {Button, 30, 15, 15}, {Step, 6, 2, 6},  {Menu, 8, 3, 3},   {Key, 8, 8, 8},
            {Slider, 6, 5, 5},   {Tick, 8, 6, 12},     {Anywhere, 7, 9, 5}, {Resize, 2, 2, 2},
        };
        const auto weightOf = [this](const Weight& w) {
            const int base = form_->Game().GameMode() == ModeEntry ? w.entry : form_->Game().GameMode() == ModePlay ? w.play : w.idle;
            return w.kind == Menu ? base * mood_.MenuBoost : w.kind == Button ? base * mood_.ButtonBoost : base;
        };
        int total = 0;
        for (const Weight& w : weights)
            total += weightOf(w);
        int r = rng_.Below(total);
        Kind kind = Tick;
        for (const Weight& w : weights) {
            if (r < weightOf(w)) {
                kind = w.kind;
                break;
            }
            r -= weightOf(w);
        }
        switch (kind) {
        case Image: ImageAction(); break;
        case Button: ButtonAction(); break;
        case Step: StepAction(); break;
        case Menu: MenuAction(); break;
        case Key: KeyAction(); break;
        case Slider: SliderAction(); break;
        case Tick: TickAction(); break;
        case Anywhere: AnywhereAction(); break;
        case Resize:
            if (nested)
                TickAction();
            else
                ResizeAction();
            break;
        }
    }

    // ---- the demonstration's waits ----------------------------------------------

    // Runs an action later, when the window next lets messages through, the way
    // input made during a wait waits in the queue. It reaches the window through
    // the application's notify, so its errors are reported as any event's are.
    void Post(std::function<void()> action)
    {
        ++pendingActions_;
        QMetaObject::invokeMethod(
            form_.get(),
            [this, action = std::move(action)] {
                --pendingActions_;
                // An error ends the action early; the label goes back all the same.
                struct Label {
                    std::string& label;
                    std::string outer;
                    ~Label() { label = outer; }
                } restore{eventLabel_, eventLabel_};
                eventLabel_ += "." + std::to_string(++nestedIndex_);
                CheckWindow();
                action();
                CheckWindow();
            },
            Qt::QueuedConnection);
    }

    // A continuous run goes on between the player's events, as its waits
    // pass; sooner or later the player stops it, as a player would.
    void WatchTheRun()
    {
        if (!Reachable(form_.get()) || !form_->Game().Status().RunningDemonstration) {
            runEvents_ = 0;
            return;
        }
        if (runEvents_++ == 0) {
            ++runs_;
            stopRunAfter_ = rng_.Chance(30) ? rng_.Between(1, 5) : rng_.Between(5, 400);
        }
        if (runEvents_ > 20000) {
            ADD_FAILURE() << "the demonstration does not stop";
            form_->close();  // a closed window ends the run
            return;
        }
        if (runEvents_ >= stopRunAfter_ && (runEvents_ - stopRunAfter_) % 25 == 0) {
            Post([this] { StopTheRun(); });
            for (int guard = 0; pendingActions_ > 0 && guard < 1000; ++guard)
                QCoreApplication::processEvents();
        }
    }

    void StopTheRun()
    {
        if (!Reachable(form_.get()))
            return;
        if (ControlOf<TPressButton>(*form_, "ButtonPause")->isEnabled() && Reachable(ControlOf<TPressButton>(*form_, "ButtonPause")) && rng_.Chance(50)) {
            Log("stop by pause");
            Press(InForm(ControlOf<TPressButton>(*form_, "ButtonPause"), OnWidget(ControlOf<TPressButton>(*form_, "ButtonPause"))), Qt::LeftButton, Qt::NoModifier, 0);
            return;
        }
        QRadioButton* item = ControlOf<TRadioGroup>(*form_, "RadioGroupMenu")->Item(rng_.Below(2));
        Log("stop by the menu");
        dialogs_.ForceYes = true;
        Press(InForm(item, QPoint(8, item->height() / 2)), Qt::LeftButton, Qt::NoModifier, 0);
        dialogs_.ForceYes = false;
    }

    void RunEvent(int index)
    {
        eventLabel_ = "#" + std::to_string(index);
        nestedIndex_ = 0;
        if (--moodLeft_ <= 0) {
            static const int inPlay[] = {30, 30, 10, 3};
            static const int elsewhere[] = {12, 2, 25, 40};
            mood_ = {inPlay[rng_.Below(4)], elsewhere[rng_.Below(4)], rng_.Between(1, 4), rng_.Between(1, 2)};
            moodLeft_ = rng_.Between(50, 400);
        }
        clock_.Now += rng_.Below(1500) / 1000.0;
        Post([this] { RandomAction(false); });
        for (int guard = 0; pendingActions_ > 0 && guard < 1000; ++guard)
            QCoreApplication::processEvents();
        EXPECT_EQ(pendingActions_, 0) << "actions left in the queue";
        WatchTheRun();
        ++steps_;
        if (!form_->isVisible()) {
            // The window was closed: the player starts the game again.
            ++windowsClosed_;
            Log("window closed; started again");
            form_.reset();
            OpenWindow();
        }
        CheckWindow(true);
    }

    void PrintRecent() const
    {
        std::cerr << "Last events of seed " << GetParam() << ":\n";
        for (const std::string& line : recent_)
            std::cerr << "  " << line << "\n";
    }
};

TEST_P(MonkeyTest, RandomEventsKeepTheWindowSound)
{
    const int events = MonkeyEvents();
    for (int i = 0; i < events; ++i) {
        SCOPED_TRACE(::testing::Message() << "seed " << GetParam() << ", event " << i
                                          << " (rerun: VANDREL_MONKEY_SEEDS=" << GetParam()
                                          << " VANDREL_MONKEY_EVENTS=" << i + 1 << ")");
        RunEvent(i);
        if (HasFailure()) {
            PrintRecent();
            return;
        }
    }
    int sent = 0;
    for (const auto& [kind, count] : delivered_)
        sent += count;
    std::cerr << "seed " << GetParam() << ": " << steps_ << " steps, " << runs_ << " continuous runs, " << sent
              << " window events, " << ticks_ << " ticks, " << windowsClosed_
              << " restarts, " << records_.Count() << " records\n ";
    for (const auto& [kind, count] : delivered_)
        std::cerr << " " << count << " " << kind << ",";
    std::cerr << "\n";
    for (const auto& [text, count] : messageCounts_)
        std::cerr << "  " << count << " x " << text.toStdString() << "\n";
}

// A long run, kept out of the quick suite by its name.
INSTANTIATE_TEST_SUITE_P(Stress, MonkeyTest, ::testing::ValuesIn(MonkeySeeds()),
                         [](const ::testing::TestParamInfo<std::uint64_t>& info) {
                             return "Seed" + std::to_string(info.param);
                         });
