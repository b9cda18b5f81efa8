// HintAndRandomTest.cpp: the fewest moves shown, the hint, the demonstration's shortest option and random problems.
#include "UiFixture.h"

#include <QCheckBox>
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
    QTRY_COMPARE(Label("LabelSaitan")->text(), Messages::Par(17));
    StartThePlay();
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(0));
    form->ButtonJidouClick();
    form->ButtonStepMouseDown(0);
    form->ButtonStepMouseDown(0);
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(2));
    Click(Button("ButtonUndo"));
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(1));
}

TEST_F(HintTest, AHintPicksThePointOfAShortestMoveAndMovesNothing)
{
    StartThePlay();
    const Coords before = WorkCoords(form->Puzzle());
    Click(Button("ButtonHint"));
    QTRY_VERIFY(Group("RadioGroupSousa")->isVisible());
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
    QTRY_VERIFY(Group("RadioGroupSousa")->isVisible());
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
    form->ButtonJidouClick();
    form->ButtonStepMouseDown(0);  // the path changes before the hint is shown
    QTest::qWait(200);
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
        form->ButtonJidouClick();
        ASSERT_TRUE(Control<QCheckBox>("CheckBoxSaitan")->isVisible());
        Control<QCheckBox>("CheckBoxSaitan")->setChecked(option);
        form->ButtonStepMouseDown(DoubleClick);
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
    dialogs.RandomRequests = {{40, Difficulty::Hard, QString()}};
    Click(Button("ButtonRandom"));
    QTRY_COMPARE(form->ProblemName(), QStringLiteral("乱数40-424242-h"));
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor(QStringLiteral("乱数40-424242-h"), NoRecordSeconds));
    EXPECT_EQ(form->Puzzle().PointCount(), 40);
    const Coords made = WorkCoords(form->Puzzle());
    const std::optional<Problem> expected = GenerateProblem({40, 424242, Difficulty::Hard});
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(FormatProblemLines(expected->Points, 40), ProblemLines(made));

    // Played on, then made again from the code typed into the dialog.
    Click(Button("ButtonStart"));
    form->ButtonJidouClick();
    form->ButtonStepMouseDown(0);
    dialogs.RandomRequests = {{70, Difficulty::Easy, QStringLiteral(" 40-424242-h ")}};
    Click(Button("ButtonStart"));
    Click(Button("ButtonPause"));
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    QTRY_COMPARE(WorkCoords(form->Puzzle()), made);
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
