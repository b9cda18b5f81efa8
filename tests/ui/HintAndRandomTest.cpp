// HintAndRandomTest.cpp: the fewest moves shown, the hint, the demonstration's shortest option and random problems.
#include "UiFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QSpinBox>

#include "files/ProblemFile.h"
#include "solver/Generator.h"
#include "ui/RandomProblemDialog.h"

class HintTest : public UiTest {
protected:
    void StartThePlay()
    {
        ChooseMenu(MenuPuzzle);
        Click(Button("ButtonStart"));
    }
};

TEST_F(HintTest, TheSampleNeedsSeventeenMovesAndTheCounterFollowsMovesAndUndos)
{
    ChooseMenu(MenuPuzzle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Label("LabelSaitan")->text() == Messages::Par(17); }));
    StartThePlay();
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(0));
    Click(Button("ButtonJidou"));
    Step();
    Step();
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(2));
    Click(Button("ButtonUndo"));
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(1));
}

TEST_F(HintTest, AHintPicksThePointOfAShortestMoveAndMovesNothing)
{
    StartThePlay();
    const Coords before = WorkCoords(form->Puzzle());
    Click(Button("ButtonHint"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Group("RadioGroupSousa")->isVisible(); }));
    EXPECT_EQ(WorkCoords(form->Puzzle()), before);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    const int pivot = form->Puzzle().SelectedPivot();
    EXPECT_GE(pivot, 1);
    EXPECT_TRUE(Label("LabelHintUsed")->isVisible());

    // The marked operation at that point is a first move of a 17-move solution:
    // after it, 16 more are needed.
    int marked = -1;
    for (int op = OpR; op <= OpV; ++op)
        if (!Group("RadioGroupSousa")->Item(op)->styleSheet().isEmpty())
            marked = op;
    ASSERT_NE(marked, -1);
    ChooseOperation(marked);
    ASSERT_EQ(form->Puzzle().MoveCount(), 1);
    const Problem now{form->Puzzle().PointCount(), form->Puzzle().WorkPath()};
    EXPECT_EQ(SolveShortest(now).Moves.size(), 16u);
}

TEST_F(HintTest, AHintedPlayEndsWithTheCongratulationButStoresNoRecord)
{
    QFile::remove(RecordsFileName);
    const QString file = QDir::current().filePath("Vandrel7.txt");
    WriteFileAtomically(file, JoinTextLines(ProblemLines({{0, 0}, {1, 0}, {1, 1}})));
    dialogs.Files = {file};
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonOpenAll"));
    Click(Button("ButtonStart"));
    Click(Button("ButtonHint"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Group("RadioGroupSousa")->isVisible(); }));
    ChooseOperation(OpR);  // R about point 2, the one move
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});
    QFile records(RecordsFileName);
    ASSERT_TRUE(records.open(QIODevice::ReadOnly));
    EXPECT_EQ(records.readAll(), QByteArray()) << "no best time for a hinted play";
}

TEST_F(HintTest, HintsOnlyInAPlayAndAMoveMadeMeanwhileDropsIt)
{
    ChooseMenu(MenuPuzzle);
    EXPECT_FALSE(Button("ButtonHint")->isEnabled()) << "no play yet";
    Click(Button("ButtonStart"));
    Click(Button("ButtonHint"));
    Click(Button("ButtonJidou"));
    Step();  // the path changes before the hint is shown
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    EXPECT_FALSE(Label("LabelHintUsed")->isVisible());
    EXPECT_TRUE(Button("ButtonHint")->isEnabled());
}

TEST_F(HintTest, TheShortestOptionDemonstratesInTheFewestMoves)
{
    EXPECT_FALSE(Control<QCheckBox>("CheckBoxSaitan")->isChecked()) << "off at first";
    // Off: the fixed rule's 31 moves; on: 17.
    for (const auto& [option, moves] : {std::pair{false, 31}, std::pair{true, 17}}) {
        StartThePlay();
        Click(Button("ButtonJidou"));
        ASSERT_TRUE(Control<QCheckBox>("CheckBoxSaitan")->isVisible());
        Control<QCheckBox>("CheckBoxSaitan")->setChecked(option);
        Run();
        EXPECT_EQ(form->Puzzle().MoveCount(), moves);
        EXPECT_TRUE(form->Puzzle().IsSolved());
        EXPECT_FALSE(Widget("PanelSaitan")->isVisible()) << "goes with the demonstration's panel";
    }
}

class RandomProblemTest : public UiTest {};

TEST_F(RandomProblemTest, ANewProblemAndTheSameAgainFromItsCode)
{
    ChooseMenu(MenuPuzzle);
    clock.Seed = 424242;
    const ProblemCode drawn{40, NewProblemSeed(424242), Difficulty::Hard};
    const QString name = QString::fromStdString(ProblemCodeName(drawn));
    dialogs.RandomRequests = {{40, Difficulty::Hard, QString()}};
    Click(Button("ButtonRandom"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ProblemName() == name; }));
    EXPECT_EQ(name, QStringLiteral("乱数") + QString::fromStdString(FormatProblemCode(drawn)));
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor(name, NoRecordSeconds));
    EXPECT_EQ(form->Puzzle().PointCount(), 40);
    const Coords made = WorkCoords(form->Puzzle());
    const std::optional<Problem> expected = GenerateProblem(drawn);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(FormatProblemLines(expected->Points, 40), ProblemLines(made));

    // Played on, then made again from the code typed into the dialog.
    Click(Button("ButtonStart"));
    Click(Button("ButtonJidou"));
    Step();
    dialogs.RandomRequests = {{70, Difficulty::Easy, " " + QString::fromStdString(FormatProblemCode(drawn)) + " "}};
    Click(Button("ButtonStart"));
    Click(Button("ButtonPause"));
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return WorkCoords(form->Puzzle()) == made; }));
    EXPECT_EQ(dialogs.RandomProposals.back().Points, 40) << "the dialog proposes the last size";
}

TEST_F(RandomProblemTest, ACodeThatNamesNoProblemChangesNothing)
{
    ChooseMenu(MenuPuzzle);
    dialogs.RandomRequests = {{70, Difficulty::Normal, QStringLiteral("70-12-x")}};
    Click(Button("ButtonRandom"));
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::BadProblemCode("70-12-x")});
    EXPECT_EQ(form->ProblemName(), Messages::SampleName);
    Click(Button("ButtonStart"));
    EXPECT_FALSE(Button("ButtonRandom")->isEnabled()) << "only where a problem may be opened";
}

TEST_F(RandomProblemTest, TheDialogProposesAndGivesBackWhatWasChosen)
{
    TRandomProblemDialog dialog(form.get(), {120, Difficulty::Hard, QStringLiteral("9-9-e")});
    const RandomProblemRequest proposed = dialog.Request();
    EXPECT_EQ(proposed.Points, 120);
    EXPECT_EQ(proposed.Level, Difficulty::Hard);
    EXPECT_EQ(proposed.Code, QStringLiteral("9-9-e"));
    QSpinBox* points = dialog.findChild<QSpinBox*>();
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->minimum(), 2);
    EXPECT_EQ(points->maximum(), 255);
}

// The whole code of a random problem stands in the play's panel; Ctrl+C and
// the button beside it copy it, and typed into the dialog it gives the same
// problem again.
TEST_F(RandomProblemTest, TheWholeCodeIsShownAndCopied)
{
    ChooseMenu(MenuPuzzle);
    EXPECT_FALSE(Label("LabelCode")->isVisible()) << "the sample has no code";
    clock.Seed = 9876543210;
    dialogs.RandomRequests = {{255, Difficulty::Hard, QString()}};
    Click(Button("ButtonRandom"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Label("LabelCode")->isVisible(); }));
    const QString code = Label("LabelCode")->text();
    EXPECT_EQ(code.toStdString(), FormatProblemCode({255, NewProblemSeed(clock.Seed), Difficulty::Hard}))
        << "a drawn seed is short enough for the record name to hold the whole code";
    QGuiApplication::clipboard()->clear();
    form->activateWindow();
    QTest::keySequence(form.get(), QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), code);
    QGuiApplication::clipboard()->clear();
    Click(Button("ButtonCopyCode"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), code);

    const std::optional<Problem> expected = GenerateProblem(*ParseProblemCode(code.toStdString()));
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(ProblemLines(WorkCoords(form->Puzzle())), FormatProblemLines(expected->Points, expected->PointCount));
}

// A problem arriving during a paused play ends that play: nothing of it can
// be continued, taken back or made again on the new path.
TEST_F(RandomProblemTest, ANewProblemDuringAPauseEndsThePlayBeforeIt)
{
    for (const bool random : {false, true}) {
        SCOPED_TRACE(random ? "random" : "open");
        ChooseMenu(MenuPuzzle);
        Click(Button("ButtonStart"));
        Pass(30);
        ClickWorld(0, 0);  // a move about the first point is never refused
        ChooseOperation(OpR);
        ASSERT_EQ(form->Puzzle().MoveCount(), 1);
        Click(Button("ButtonPause"));
        if (random) {
            dialogs.RandomRequests = {{10, Difficulty::Easy, QString()}};
            Click(Button("ButtonRandom"));
            ASSERT_TRUE(QTest::qWaitFor([&] { return int{form->Puzzle().PointCount()} == 10; }));
        } else {
            dialogs.Files = {WriteProblem("Vandrel010.txt", {{0, 0}, {0, 1}, {1, 1}, {1, 2}})};
            Click(Button("ButtonOpenAll"));
        }
        EXPECT_FALSE(Button("ButtonContinue")->isEnabled());
        EXPECT_FALSE(Button("ButtonUndo")->isEnabled());
        EXPECT_FALSE(Button("ButtonRedo")->isEnabled());
        EXPECT_EQ(Label("PanelTime")->text(), QStringLiteral("   0分 0秒"));
        const Coords installed = WorkCoords(form->Puzzle());
        for (const char* name : {"ButtonContinue", "ButtonUndo", "ButtonRedo", "ButtonPause"})
            Button(name)->click();
        EXPECT_EQ(WorkCoords(form->Puzzle()), installed);
        EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    }
}
