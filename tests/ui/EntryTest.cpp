// EntryTest.cpp: drawing a problem with the mouse: the band, commits, the end, the limit.
#include "UiFixture.h"

#include <QCursor>
#include <QDir>
#include <QSlider>

class EntryTest : public UiTest {
protected:
    // A play of the sample with its first point picked: the operation group
    // stands on the picture.
    void PickTheOriginInAPlay()
    {
        ChooseMenu(MenuPuzzle);
        Click(Button("ButtonStart"));
        ClickWorld(0, 0);
        ASSERT_EQ(form->Puzzle().SelectedPivot(), 1);
        ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    }

    // A player can only choose from the group while it is on the screen.
    void ChooseOperationIfShown(int item)
    {
        if (Group("RadioGroupSousa")->isVisible())
            ChooseOperation(item);
    }

    QList<QPoint> EnteredPoints()
    {
        QList<QPoint> points;
        for (int i = 1; i <= form->Puzzle().PointCount(); ++i)
            points.append(QPoint(form->Puzzle().WorkPath()[i].X, form->Puzzle().WorkPath()[i].Y));
        return points;
    }
};

TEST_F(EntryTest, BeginCutsThePathToTheOriginAndSetsTheXorPen)
{
    BeginEntry();
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
    EXPECT_FALSE(Button("ButtonNyuuryokuBegin")->isEnabled());
    EXPECT_TRUE(Button("ButtonNyuuryokuEnd")->isEnabled());
    EXPECT_EQ(Image().PenModeValue(), PenXor);
    EXPECT_EQ(Image().PenWidth(), 3);
    EXPECT_EQ(Image().PenColor(), 12632127);
    EXPECT_EQ(QCursor::pos(), form->PlotImage()->mapToGlobal(Pixel(0, 0)));
    // The sample is gone from the picture.
    EXPECT_NE(QColor(PixelAtWorld(1, 1)), QColor(Qt::red));
}

TEST_F(EntryTest, BandSnapsToTheCornersRowOrColumn)
{
    BeginEntry();
    MoveTo(3, 2);
    EXPECT_EQ(form->Game().EntryCandidate(), (LatticePoint{3, 0}));
    MoveTo(2, 3);
    EXPECT_EQ(form->Game().EntryCandidate(), (LatticePoint{0, 3}));
    MoveTo(2, 2);
    EXPECT_EQ(form->Game().EntryCandidate(), (LatticePoint{2, 0}));
    MoveTo(-2, 2);
    EXPECT_EQ(form->Game().EntryCandidate(), (LatticePoint{-2, 0}));
}

TEST_F(EntryTest, BandDrawnTwiceLeavesNoTrace)
{
    BeginEntry();
    const QImage before = Image().Surface().copy();
    MoveTo(4, 1);
    EXPECT_NE(Image().Surface(), before);
    MoveTo(0, 0);
    EXPECT_EQ(Image().Surface(), before);
}

TEST_F(EntryTest, ReleaseWithoutAMoveCommitsNothing)
{
    BeginEntry();
    QTest::mouseClick(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, Pixel(0, 0));
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
    EXPECT_FALSE(form->Game().Unsaved());
}

TEST_F(EntryTest, CommitExtendsTheRowAndMovesTheCursorOntoTheCorner)
{
    BeginEntry();
    CommitAt(3, 1);
    EXPECT_EQ(EnteredPoints(), (QList<QPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(form->Game().EntryCorner(), (LatticePoint{3, 0}));
    EXPECT_TRUE(form->Game().Unsaved());
    EXPECT_EQ(QCursor::pos(), form->PlotImage()->mapToGlobal(Pixel(3, 0)));
}

TEST_F(EntryTest, CommitStopsBeforeThePath)
{
    BeginEntry();
    CommitAt(0, 2);
    CommitAt(3, 2);
    CommitAt(3, 0);
    CommitAt(-2, 0);  // crosses the origin
    EXPECT_EQ(form->Puzzle().PointCount(), 10);
    EXPECT_EQ(form->Game().EntryCorner(), (LatticePoint{1, 0}));
    EXPECT_EQ(QCursor::pos(), form->PlotImage()->mapToGlobal(Pixel(1, 0)));
}

TEST_F(EntryTest, CommitBackAlongTheLastSegmentAddsNothing)
{
    BeginEntry();
    CommitAt(3, 0);
    QCursor::setPos(0, 0);
    CommitAt(1, 0);
    EXPECT_EQ(form->Puzzle().PointCount(), 4);
    EXPECT_EQ(form->Game().EntryCorner(), (LatticePoint{3, 0}));
    EXPECT_EQ(QCursor::pos(), form->PlotImage()->mapToGlobal(Pixel(3, 0)));
}

TEST_F(EntryTest, ControlDragDuringEntryPansAndCommitsNothing)
{
    BeginEntry();
    MoveTo(3, 0);
    const QPoint from = Pixel(3, 0);
    QTest::mousePress(form->PlotImage(), Qt::LeftButton, Qt::ControlModifier, from);
    form->Game().MouseMove(from.x() + 40, from.y());
    QTest::mouseRelease(form->PlotImage(), Qt::LeftButton, Qt::ControlModifier, from + QPoint(40, 0));
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
    EXPECT_EQ(Image().OriginX, 440);
    EXPECT_FALSE(form->Game().Unsaved());
}

TEST_F(EntryTest, DoubleClickCommitsThenEnds)
{
    BeginEntry();
    MoveTo(0, 2);
    DoubleClickImage(Pixel(0, 2));
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(form->Puzzle().PointCount(), 3);
    EXPECT_EQ(form->Puzzle().ProblemPath()[3].Y, 2);
    EXPECT_TRUE(Button("ButtonNyuuryokuBegin")->isEnabled());
    EXPECT_FALSE(Button("ButtonNyuuryokuEnd")->isEnabled());
    EXPECT_EQ(Image().PenModeValue(), PenCopy);
    EXPECT_EQ(Image().PenWidth(), 1);
}

TEST_F(EntryTest, EndRightAfterBeginGivesTheOriginAlone)
{
    BeginEntry();
    Click(Button("ButtonNyuuryokuEnd"));
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
    QTest::keyClick(form.get(), Qt::Key_Left);  // a redraw: a path of one point draws without a line
    EXPECT_NE(QColor(PixelAtWorld(0.5, 0)), QColor(Qt::red));
}

TEST_F(EntryTest, BeginAgainAsksWhileUnsaved)
{
    BeginEntry();
    CommitAt(2, 0);
    Click(Button("ButtonNyuuryokuEnd"));
    dialogs.Answers = {false};
    Click(Button("ButtonNyuuryokuBegin"));
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0], Messages::NewProblemQuestion);
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(form->Puzzle().PointCount(), 3);
}

TEST_F(EntryTest, LeavingTheModeFinishesTheEntry)
{
    BeginEntry();
    CommitAt(0, -3);
    ChooseMenu(1);  // answered Yes
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(Image().PenModeValue(), PenCopy);
    EXPECT_FALSE(Button("ButtonNyuuryokuEnd")->isEnabled());
    EXPECT_EQ(form->Puzzle().PointCount(), 4);
    EXPECT_EQ(form->Puzzle().ProblemPath()[4].Y, -3);
}

TEST_F(EntryTest, RedrawDuringEntryShowsThePathSoFarAndNoBand)
{
    BeginEntry();
    CommitAt(3, 0);
    MoveTo(3, 4);  // a band up from (3,0)
    QTest::keyClick(form.get(), Qt::Key_Left);  // pans and redraws
    EXPECT_EQ(form->Game().EntryCandidate(), form->Game().EntryCorner());
    const QColor entered(192, 63, 63);
    EXPECT_EQ(QColor(PixelAtWorld(1.5, 0)), entered);
    EXPECT_NE(QColor(PixelAtWorld(3, 2)), entered);
    // The next move draws a fresh band and erasing it leaves the redrawn picture.
    const QImage redrawn = Image().Surface().copy();
    MoveTo(3, 2);
    MoveTo(3, 0);
    EXPECT_EQ(Image().Surface(), redrawn);
}

TEST_F(EntryTest, The256thPointIsRefused)
{
    BeginEntry();
    // A comb of teeth 20 high; the commits go on until one is refused.
    int x = 0;
    bool up = true;
    for (int tooth = 0; tooth < 40 && dialogs.Messages.empty(); ++tooth) {
        CommitAt(x, up ? 20 : 0);
        if (dialogs.Messages.empty())
            CommitAt(x + 1, up ? 20 : 0);
        ++x;
        up = !up;
    }
    EXPECT_EQ(form->Puzzle().PointCount(), 255);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0], Messages::PathFull);
    const LatticePoint end{form->Puzzle().WorkPath()[255].X, form->Puzzle().WorkPath()[255].Y};
    EXPECT_EQ(form->Game().EntryCorner(), end);
    Click(Button("ButtonNyuuryokuEnd"));
    EXPECT_EQ(form->Puzzle().PointCount(), 255);
}

// "保存" during an entry: a cancelled dialog leaves the drawing going; a
// file chosen ends it and holds what was drawn.
TEST_F(EntryTest, SavingDuringAnEntryEndsItOnlyOnceAFileIsChosen)
{
    BeginEntry();
    CommitAt(0, 2);
    Click(Button("ButtonSave"));  // no file: cancelled
    EXPECT_EQ(form->Game().GameMode(), ModeEntry);
    EXPECT_TRUE(Button("ButtonNyuuryokuEnd")->isEnabled());
    CommitAt(-1, 2);
    const QString file = QDir::current().filePath("Vandrel78.txt");
    dialogs.Files = {file};
    Click(Button("ButtonSave"));
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(SplitTextLines(ReadFileBytes(file)), ProblemLines({{0, 0}, {0, 1}, {0, 2}, {-1, 2}}));
}

TEST_F(EntryTest, EnteredProblemIsSavedOpenedAndSolvedByTheDemonstration)
{
    BeginEntry();
    CommitAt(0, 2);
    CommitAt(-2, 2);
    CommitAt(-2, -1);
    Click(Button("ButtonNyuuryokuEnd"));
    const QString file = QDir::current().filePath("Vandrel77.txt");
    dialogs.Files = {file};
    Click(Button("ButtonSave"));
    EXPECT_FALSE(form->Game().Unsaved());
    EXPECT_EQ(dialogs.SaveProposals.back(), Messages::SampleName);
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor("Vandrel77", NoRecordSeconds));
    EXPECT_EQ(SplitTextLines(ReadFileBytes(file)),
              ProblemLines({{0, 0}, {0, 1}, {0, 2}, {-1, 2}, {-2, 2}, {-2, 1}, {-2, 0}, {-2, -1}}));

    ChooseMenu(1);
    dialogs.Files = {file};
    Click(Button("ButtonOpenAll"));
    EXPECT_EQ(form->Puzzle().PointCount(), 8);
    Click(Button("ButtonJidou"));
    for (int step = 0; step < 20 && form->Game().GameMode() == ModePlay; ++step)
        Step();
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(dialogs.Messages.back(), Messages::Solved);
    EXPECT_TRUE(form->Puzzle().IsSolved());
}

// The operation group, left standing when the menu switched from a play to
// problem creation, must not fold the path being entered: the next commit
// would then step from a corner that is no longer the path's end.
TEST_F(EntryTest, OperationGroupLeftFromAPlayCannotFoldAnEntry)
{
    PickTheOriginInAPlay();
    BeginEntry();
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    CommitAt(3, 0);
    CommitAt(3, 2);
    ASSERT_EQ(form->Puzzle().PointCount(), 6);

    ChooseOperationIfShown(OpH);
    EXPECT_EQ(form->Game().GameMode(), ModeEntry);
    EXPECT_EQ(form->Puzzle().WorkPath()[6].Y, 2) << "the entered path was folded";
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);

    CommitAt(1, 2);
    Click(Button("ButtonNyuuryokuEnd"));
    EXPECT_EQ(form->Puzzle().PointCount(), 8);
    EXPECT_EQ(PathFault(form->Puzzle().ProblemPath(), form->Puzzle().PointCount()), "");
    EXPECT_TRUE(dialogs.Messages.empty());
}

// Nor may the group, chosen after the entry has ended, turn the entered path
// by step directions left over from the paths before it (an entry never works
// them out): that gave a path that runs through itself.
TEST_F(EntryTest, OperationGroupLeftFromAPlayCannotTurnTheEnteredPath)
{
    // A square whose steps close on the origin but for its missing fourth.
    UseProblem(ProblemLines({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    PickTheOriginInAPlay();
    BeginEntry();
    CommitAt(0, -3);
    CommitAt(-2, -3);
    Click(Button("ButtonNyuuryokuEnd"));
    ASSERT_EQ(form->Puzzle().PointCount(), 6);
    ChooseMenu(MenuPuzzle);  // answered Yes

    ChooseOperationIfShown(OpR);
    EXPECT_EQ(PathFault(form->Puzzle().WorkPath(), form->Puzzle().PointCount()), "");
    EXPECT_EQ(form->Puzzle().WorkPath()[6].X, -2);
    EXPECT_EQ(form->Puzzle().WorkPath()[6].Y, -3);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
}
