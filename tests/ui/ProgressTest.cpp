// ProgressTest.cpp: what lasts between runs: preferences, a play kept at closing and taken up again, the collection and the day's problem.
#include "UiFixture.h"

#include <sstream>

#include "solver/Collection.h"
#include "solver/Daily.h"
#include "ui/ModePanels.h"

TEST(Preferences, RoundTripAndAnythingBrokenGivesTheDefaults)
{
    QTemporaryDir folder;
    const TUserData data(TUserPlaces::In(folder.path()));
    EXPECT_EQ(data.LoadPreferences(), TPreferences{}) << "no file yet";
    const TPreferences chosen{5, true, false, QStringLiteral("/tmp/problems"), 120, Difficulty::Hard};
    data.SavePreferences(chosen);
    EXPECT_EQ(data.LoadPreferences(), chosen);

    // A value beyond its range is its default; the others stand.
    WriteAll(data.Places().SettingsFile, "[demonstration]\nwait=9\nshortest=true\n[random]\npoints=1\ndifficulty=hard\n");
    TPreferences expected;
    expected.ShortestSteps = true;
    expected.RandomLevel = Difficulty::Hard;
    EXPECT_EQ(data.LoadPreferences(), expected);
    // Two copies of the game: each writes only what it changed.
    const TUserData other(TUserPlaces::In(folder.path()));
    TPreferences mine = data.LoadPreferences(), theirs = other.LoadPreferences();
    theirs.Motion = false;
    other.SavePreferences(theirs);
    mine.RandomPoints = 200;
    data.SavePreferences(mine);
    EXPECT_EQ(data.LoadPreferences(), (TPreferences{mine.WaitPosition, true, false, {}, 200, Difficulty::Hard}));
    // A file that is no settings file at all gives the defaults.
    WriteAll(data.Places().SettingsFile, QByteArray("\xff\xfe[[[\x00\x01 garbage =\n[", 20));
    EXPECT_EQ(data.LoadPreferences(), TPreferences{});
}

TEST(KeptPlay, AnUnreadableOneIsIgnoredWithALineAndForgotten)
{
    QTemporaryDir folder;
    const TUserData data(TUserPlaces::In(folder.path()));
    std::ostringstream err;
    EXPECT_EQ(data.KeptPlay(err), std::nullopt);
    EXPECT_EQ(err.str(), "") << "none kept: nothing to say";
    WriteAll(folder.filePath("play.txt"), "ソラドミ play 1\nname x\n");
    EXPECT_EQ(data.KeptPlay(err), std::nullopt);
    EXPECT_NE(err.str().find("is ignored: cut short"), std::string::npos) << err.str();
    EXPECT_FALSE(QFile::exists(folder.filePath("play.txt")));
}

// Two copies of the game: one closing without a play leaves the other's kept
// play alone, and reading it does not take it.
TEST(KeptPlay, OnlyTheCopyThatKeptItForgetsIt)
{
    QTemporaryDir folder;
    TUserData a(TUserPlaces::In(folder.path())), b(TUserPlaces::In(folder.path()));
    std::ostringstream err;
    SavedPlay play;
    play.Path = ProblemOf({{0, 0}, {1, 0}, {1, 1}});
    a.KeepPlay(play);
    b.KeepPlay(std::nullopt);
    EXPECT_EQ(b.KeptPlay(err), play);
    EXPECT_EQ(b.KeptPlay(err), play);
    a.KeepPlay(std::nullopt);
    EXPECT_EQ(b.KeptPlay(err), std::nullopt);
    EXPECT_EQ(err.str(), "");

    // A play that cannot be written is said so, for the window to show.
    QTemporaryDir blocked;
    WriteAll(blocked.filePath("data"), "a file where the folder should be");
    TUserData c(TUserPlaces::In(blocked.filePath("data")));
    EXPECT_THROW(c.KeepPlay(play), EFileError);
}

TEST(FewestMarks, MarksThatCannotBeReadAreNotWrittenOver)
{
    QTemporaryDir folder;
    const TUserData data(TUserPlaces::In(folder.path()));
    data.MarkFewestSolved("A");
    data.MarkFewestSolved("B");
    EXPECT_EQ(data.FewestSolved(), (QStringList{"A", "B"}));
    const QString marks = folder.filePath("fewest.txt");
    const QByteArray tooLarge = "A\nB\n" + QByteArray(RecordsFileMaxBytes, 'x') + "\n";
    WriteAll(marks, tooLarge);
    EXPECT_EQ(data.FewestSolved(), QStringList{}) << "the collection is still there to play";
    EXPECT_THROW(data.MarkFewestSolved("C"), EFileError);
    EXPECT_EQ(ReadAll(marks), tooLarge);
}

class ProgressTest : public UiTest {
protected:
    // The record name of the day's problem on the fake clock's date.
    std::string TodaysName() const
    {
        const QDate& d = clock.Date;
        return ProblemCodeName(*DailyProblemCode(
            std::chrono::year_month_day{std::chrono::year(d.year()), std::chrono::month(d.month()), std::chrono::day(d.day())}));
    }
};

TEST_F(ProgressTest, APlayClosedAndReopenedGoesOnWithTheSamePathAndClock)
{
    OpenCorner();
    Click(Button("ButtonStart"));
    Pass(37);
    ClickWorld(0, 0);
    ChooseOperation(OpR);
    const Coords path = WorkCoords(form->Puzzle());
    form->close();

    dialogs.YesNoAnswers = {true};
    OpenWindow(form, dialogs, clock);
    EXPECT_EQ(dialogs.YesNoQuestions, std::vector<QString>{Messages::ResumeQuestion});
    EXPECT_EQ(WorkCoords(form->Puzzle()), path);
    EXPECT_TRUE(Widget("PanelPuzzle")->isVisible());
    EXPECT_EQ(Group("RadioGroupMenu")->ItemIndex(), MenuPuzzle);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPaused);
    EXPECT_EQ(Label("PanelTime")->text(), QStringLiteral("   0分37秒"));
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor("Vandrel5", NoRecordSeconds));
    Click(Button("ButtonContinue"));
    Click(Button("ButtonUndo"));
    EXPECT_EQ(WorkCoords(form->Puzzle()), (Coords{{0, 0}, {1, 0}, {1, 1}}));
    EXPECT_EQ(form->Puzzle().MoveCount(), 0) << "undo goes back through the kept moves";
    form->close();  // still a timed play: kept again

    dialogs.YesNoAnswers = {false};
    OpenWindow(form, dialogs, clock);
    EXPECT_EQ(dialogs.YesNoQuestions.size(), 2u);
    EXPECT_EQ(form->Puzzle().PointCount(), 70) << "No: the sample, as at every start";
    form->close();
    OpenWindow(form, dialogs, clock);
    EXPECT_EQ(dialogs.YesNoQuestions.size(), 2u) << "a play declined is gone";
}

TEST_F(ProgressTest, PreferencesAreTheLastOnesChosen)
{
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonJidou"));
    Slider("TrackBarWait")->setValue(5);
    Control<QCheckBox>("CheckBoxSaitan")->setChecked(true);
    dialogs.Files = {WriteProblem("Vandrel5.txt", {{0, 0}, {1, 0}})};
    Click(Button("ButtonOpenAll"));
    form.reset();
    OpenWindow(form, dialogs, clock);
    EXPECT_EQ(Slider("TrackBarWait")->value(), 5);
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxSaitan")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>("CheckBoxMotion")->isChecked()) << "as the tests leave it";
    EXPECT_EQ(Slider("TrackBarUnit")->value(), 20) << "the zoom is the starting one";
    EXPECT_EQ(Group("RadioGroupMenu")->ItemIndex(), -1) << "no mode chosen";
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonOpenAll"));
    EXPECT_EQ(dialogs.Folders.back(), QDir::currentPath()) << "where the last file was";
}

TEST_F(ProgressTest, TheCollectionProposesTheFirstUnsolvedAndInstallsTheChosenProblem)
{
    ChooseMenu(MenuPuzzle);
    const CollectionEntry& first = GradedCollection().front();
    dialogs.CollectionPick = 0;
    QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(dialogs.CollectionRows.size(), GradedCollection().size());
    EXPECT_EQ(dialogs.CollectionSuggested, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ProblemName().toStdString() == ProblemCodeName(first.Code); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Label("LabelSaitan")->text() == Messages::Par(first.FewestMoves); }));

    // Folded in its fewest moves by the shortest solution's moves, taken by hand.
    Click(Button("ButtonStart"));
    const ShortestSolution solution = SolveShortest(Problem{form->Puzzle().PointCount(), form->Puzzle().WorkPath()});
    for (const SolverMove& m : solution.Moves) {
        const PathPoint& p = form->Puzzle().Work(m.Pivot);
        ClickWorld(p.X, p.Y);
        ChooseOperation(m.OpCode);
    }
    ASSERT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});
    dialogs.CollectionPick = -2;
    Click(Button("ButtonCollection"));
    EXPECT_TRUE(dialogs.CollectionRows.front().FewestSolved);
    EXPECT_TRUE(dialogs.CollectionRows.front().BestSeconds.has_value());
    EXPECT_EQ(dialogs.CollectionSuggested, 1) << "the next one unsolved";
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ProblemName().toStdString() == TodaysName(); }));
}

TEST_F(ProgressTest, CtrlDInstallsTheDaysProblemWithoutTheDialog)
{
    ChooseMenu(MenuPuzzle);
    QTest::keyClick(form.get(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ProblemName().toStdString() == TodaysName(); }));
    EXPECT_TRUE(dialogs.CollectionRows.empty()) << "the dialog was not shown";
}
