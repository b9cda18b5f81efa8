// UiFixture.h: a window under test in a folder of its own, with dialogs and a clock that the test answers.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#include <gtest/gtest.h>

#include "files/FileHelpers.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "solver/Shortest.h"
#include "plot/MyImageU.h"
#include "support/Masks.h"
#include "support/Paths.h"
#include "ui/Controls.h"
#include "ui/Messages.h"
#include "ui/PictureArea.h"
#include "ui/VandrelPathU.h"

// Dialogs that log what they were asked and answer from queues. Unqueued
// questions are answered Yes; unqueued file dialogs are cancelled.
class TFakeDialogs : public TDialogs {
public:
    std::vector<QString> Messages;
    std::vector<QString> Questions;
    std::deque<bool> Answers;
    // Files the dialogs choose in turn; an empty name cancels.
    std::deque<QString> Files;
    std::vector<QString> SaveProposals;
    int OpenDialogs = 0;
    // Runs when a message is shown, while the handler that showed it waits.
    std::function<void(const QString&)> OnMessage;

    void ShowMessage(QWidget*, const QString& text) override
    {
        Messages.push_back(text);
        if (OnMessage)
            OnMessage(text);
    }
    bool ConfirmWarning(QWidget*, const QString& text) override
    {
        Questions.push_back(text);
        if (Answers.empty())
            return true;
        const bool a = Answers.front();
        Answers.pop_front();
        return a;
    }
    // Answers to yes-or-no questions in turn; none queued answers No.
    std::deque<bool> YesNoAnswers;
    std::vector<QString> YesNoQuestions;
    bool AskYesNo(QWidget*, const QString& text) override
    {
        YesNoQuestions.push_back(text);
        if (YesNoAnswers.empty())
            return false;
        const bool a = YesNoAnswers.front();
        YesNoAnswers.pop_front();
        return a;
    }
    std::vector<QString> Folders;  // where each file dialog started
    std::optional<QString> ChooseOpenFile(QWidget*, const QString& folder) override
    {
        ++OpenDialogs;
        Folders.push_back(folder);
        return NextFile();
    }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString& initialName, const QString& folder) override
    {
        SaveProposals.push_back(initialName);
        Folders.push_back(folder);
        return NextFile();
    }
    // The collection's rows as last shown, and the row the player picks (-1: cancel, -2: the day's problem).
    std::vector<CollectionRow> CollectionRows;
    int CollectionSuggested = -1;
    int CollectionPick = -1;
    std::optional<ProblemCode> ChooseCollectionProblem(QWidget*, const std::vector<CollectionRow>& rows, int suggested,
                                                       const ProblemCode& daily) override
    {
        CollectionRows = rows;
        CollectionSuggested = suggested;
        if (CollectionPick == -2)
            return daily;
        if (CollectionPick < 0)
            return std::nullopt;
        return rows.at(static_cast<std::size_t>(CollectionPick)).Code;
    }
    // Random problems asked for in turn; none queued cancels the dialog.
    std::deque<RandomProblemRequest> RandomRequests;
    std::vector<RandomProblemRequest> RandomProposals;
    std::optional<RandomProblemRequest> ChooseRandomProblem(QWidget*, const RandomProblemRequest& proposal) override
    {
        RandomProposals.push_back(proposal);
        if (RandomRequests.empty())
            return std::nullopt;
        const RandomProblemRequest request = RandomRequests.front();
        RandomRequests.pop_front();
        return request;
    }

private:
    std::optional<QString> NextFile()
    {
        if (Files.empty())
            return std::nullopt;
        const QString f = Files.front();
        Files.pop_front();
        if (f.isEmpty())
            return std::nullopt;
        return f;
    }
};

// A clock that moves only when the test moves it.
class TFakeClock : public TClock {
public:
    double Now = 1000.0;
    QDate Date{2026, 12, 8};

    std::uint64_t Seed = 1234567;  // what every new random problem starts from

    double MonotonicSeconds() override { return Now; }
    QDate Today() override { return Date; }
    std::uint64_t NewSeed() override { return Seed; }
};

// A control of the window, found by its name as a player finds it by sight.
template <typename T>
T* ControlOf(const TFormMain& form, const char* name)
{
    T* control = form.findChild<T*>(QLatin1String(name));
    if (!control)
        ADD_FAILURE() << "no control " << name;
    return control;
}

// The lines of a problem file for `points`, as the game saves them.
inline QStringList ProblemLines(const Coords& points)
{
    const Problem problem = ProblemOf(points);
    return FormatProblemLines(problem.Points, problem.PointCount);
}

// The picture is 800 by 600 pixels in a window of this size.
constexpr int ImageWidth = 800;
constexpr int ImageHeight = 600;

// Starts the game's window at its known size and waits until it is shown.
// Its player's preferences and kept play are in a folder below the current one.
inline void OpenWindow(std::unique_ptr<TFormMain>& form, TDialogs& dialogs, TClock& clock)
{
    form = std::make_unique<TFormMain>(dialogs, clock, TUserPlaces::In(QDir::current().filePath("player")));
    form->setWindowState(Qt::WindowNoState);
    form->resize(ImageWidth + 40 + 134, ImageHeight);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_NE(form->PlotImage(), nullptr);
    // Moves are shown at once unless a test wants them in motion.
    form->findChild<QCheckBox*>(QStringLiteral("CheckBoxMotion"))->setChecked(false);
}

// The window of a test. Every test runs in a scratch folder of its own, which
// is the current folder and so holds the records file; the window starts there.
class UiTest : public ::testing::Test {
protected:
    QTemporaryDir scratch;
    QString previousFolder = QDir::currentPath();
    TFakeDialogs dialogs;
    TFakeClock clock;
    std::unique_ptr<TFormMain> form;

    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        ASSERT_TRUE(QDir::setCurrent(scratch.path()));
        OpenWindow(form, dialogs, clock);
    }

    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(previousFolder);
    }

    TMyImage2& Image() { return *form->PlotImage(); }

    // The game's time passes to each tick it asks for, through the window's
    // timer, while a move is shown or a demonstration step is under way:
    // as if the player waited for it.
    void Settle()
    {
        for (int guard = 0; guard < 100000; ++guard) {
            QCoreApplication::processEvents();  // what searches found arrives through the event loop
            if (!form->Game().Busy())
                return;
            const std::optional<double> due = form->Game().NextDue();
            if (!due || QThreadPool::globalInstance()->activeThreadCount() > 0) {
                QTest::qWait(1);  // a search off the window's thread is still at work
                continue;
            }
            clock.Now = std::max(clock.Now, *due);
            form->TimerTimer();
        }
        ADD_FAILURE() << "the game does not settle";
    }

    // The picture dragged by (dx, dy) pixels with Control held, as a player
    // pans it; without a move, just a redraw.
    void Drag(int dx, int dy)
    {
        TGame& game = form->Game();
        game.MouseDown(ControlKey, false, 0, 0);
        game.MouseMove(dx, dy);
        game.MouseUp();
    }

    // Puts the world's origin at pixel (x, y) of the picture. Far off, the
    // path's pixels leave 32 bits and its redraw fails; the view is placed
    // all the same.
    void PlaceOrigin(int x, int y)
    {
        TGame& game = form->Game();
        game.MouseDown(ControlKey, false, 0, 0);
        for (const auto& step : {std::function<void()>([&] { game.MouseMove(x - Image().OriginX, y - Image().OriginY); }),
                                 std::function<void()>([&] { game.MouseUp(); })}) {
            try {
                step();
            } catch (const ERangeError&) {
            }
        }
    }

    // Time passes, and the window's timer ticks.
    void Pass(double seconds)
    {
        clock.Now += seconds;
        form->TimerTimer();
    }

    // "次" pressed, and its step waited for.
    void Step()
    {
        QTest::mouseClick(Button("ButtonStep"), Qt::LeftButton);
        Settle();
    }

    // "次" double-clicked, and the run waited for to its end.
    void Run()
    {
        QTest::mouseDClick(Button("ButtonStep"), Qt::LeftButton);
        Settle();
    }

    // The window's controls, found by their names as a player finds them by sight.
    template <typename T>
    T* Control(const char* name) const
    {
        return ControlOf<T>(*form, name);
    }
    TPressButton* Button(const char* name) const { return Control<TPressButton>(name); }
    TRadioGroup* Group(const char* name) const { return Control<TRadioGroup>(name); }
    QWidget* Widget(const char* name) const { return Control<QWidget>(name); }
    QLabel* Label(const char* name) const { return Control<QLabel>(name); }
    QSlider* Slider(const char* name) const { return Control<QSlider>(name); }
    QPlainTextEdit* Memo(const char* name) const { return Control<QPlainTextEdit>(name); }
    QTimer* TimerControl() const { return Control<QTimer>("Timer"); }

    QPoint Pixel(int x, int y) { return Image().WorldToPixel(x, y); }

    // Begins a path entry in problem creation.
    void BeginEntry()
    {
        ChooseMenu(MenuCreation);
        Click(Button("ButtonNyuuryokuBegin"));
        ASSERT_EQ(form->Game().GameMode(), ModeEntry);
    }

    // Moves the mouse, and with it the entry's band, to (x, y).
    void MoveTo(int x, int y)
    {
        const QPoint p = Pixel(x, y);
        form->Game().MouseMove(p.x(), p.y());
    }

    // Moves the band to (x, y) and releases there, as a click does.
    void CommitAt(int x, int y)
    {
        MoveTo(x, y);
        QTest::mouseRelease(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, Pixel(x, y));
    }

    // Work that is not saved: a segment drawn in problem creation.
    void MakeUnsaved()
    {
        BeginEntry();
        CommitAt(2, 0);
        Click(Button("ButtonNyuuryokuEnd"));
        ASSERT_TRUE(form->Game().Unsaved());
    }

    QRgb PixelAtWorld(double x, double y)
    {
        const QPoint p = Image().WorldToPixel(x, y);
        return Image().Surface().pixel(p);
    }

    // Clicks the image at a pixel with the given buttons held.
    void ClickImage(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(form->PlotImage(), Qt::LeftButton, mods, at);
    }

    // A double click as the window system delivers it: press, release, the
    // double-click press, release.
    void DoubleClickImage(QPoint at)
    {
        QTest::mouseClick(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent press(QEvent::MouseButtonDblClick, at, form->PlotImage()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->PlotImage(), &press);
        QTest::mouseRelease(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void ClickWorld(double x, double y) { ClickImage(Image().WorldToPixel(x, y)); }

    void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    void ChooseMenu(int item)
    {
        QTest::mouseClick(Group("RadioGroupMenu")->Item(item), Qt::LeftButton);
    }

    void ChooseOperation(int item)
    {
        QTest::mouseClick(Group("RadioGroupSousa")->Item(item), Qt::LeftButton);
    }

    // Puts a problem in place as an opened file would.
    void UseProblem(const QStringList& lines)
    {
        const ProblemParse parse = ParseProblemLines(lines);
        ASSERT_TRUE(std::holds_alternative<ParsedProblem>(parse));
        ASSERT_TRUE(form->LoadProblemText(lines));
    }

    // Writes a problem file into the test's folder; gives its full path.
    static QString WriteProblem(const QString& name, const Coords& points)
    {
        const QString file = QDir::current().filePath(name);
        WriteFileAtomically(file, JoinTextLines(ProblemLines(points)));
        return file;
    }

    // Opens the corner path (0,0), (1,0), (1,1) as "Vandrel5" with "開く" of
    // the puzzle mode; the records file is read again.
    void OpenCorner()
    {
        dialogs.Files = {WriteProblem("Vandrel5.txt", {{0, 0}, {1, 0}, {1, 1}})};
        ChooseMenu(MenuPuzzle);
        Click(Button("ButtonOpenAll"));
        ASSERT_EQ(form->ProblemName(), QStringLiteral("Vandrel5"));
        ASSERT_EQ(form->Puzzle().PointCount(), 3);
    }

    // Plays the opened corner path to its end in `seconds`.
    void SolveCornerIn(int seconds)
    {
        Click(Button("ButtonStart"));
        ASSERT_EQ(form->Game().GameMode(), ModePlay);
        clock.Now += seconds;
        form->TimerTimer();
        ClickWorld(1, 0);
        ChooseOperation(OpR);
        EXPECT_EQ(form->Game().GameMode(), ModeIdle);
        EXPECT_TRUE(form->Puzzle().IsSolved());
    }

    // The lines of the records file, without their line ends.
    static QList<QByteArray> RecordLines()
    {
        return QFile::exists(RecordsFileName) ? SplitByteLines(ReadAll(RecordsFileName)) : QList<QByteArray>{};
    }
};
