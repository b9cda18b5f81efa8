// PlayTest.cpp: a play by mouse: picking points, the operation group, undo, solving, records.
#include "UiFixture.h"

#include <QLabel>
#include <QTimer>

class PlayTest : public UiTest {
protected:
    // Opens the corner path (0,0),(1,0),(1,1) as "Vandrel5" and starts a play.
    void OpenAndStartCorner()
    {
        OpenCorner();
        Click(Button("ButtonStart"));
    }
};

TEST_F(PlayTest, OpeningNamesTheProblemInTheCaption)
{
    OpenAndStartCorner();
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor("Vandrel5", NoRecordSeconds));
    EXPECT_EQ(form->Game().BestSeconds(), NoRecordSeconds);
    EXPECT_EQ(form->Puzzle().PointCount(), 3);
}

TEST_F(PlayTest, TimedPlayToTheCongratulationStoresTheRecord)
{
    OpenAndStartCorner();
    clock.Now += 42;
    form->TimerTimer();

    ClickWorld(1, 0);
    EXPECT_EQ(form->Puzzle().SelectedPivot(), 2);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    EXPECT_EQ(Group("RadioGroupSousa")->ItemIndex(), -1);
    ChooseOperation(OpR);

    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    ASSERT_FALSE(dialogs.Messages.empty());
    EXPECT_EQ(dialogs.Messages.back(), Messages::Solved);
    EXPECT_EQ(form->ButtonMaskNow(), MaskSolved);
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_FALSE(TimerControl()->isActive());
    EXPECT_EQ(form->Game().BestSeconds(), 42);

    EXPECT_EQ(RecordLines(), QList<QByteArray>{StoredLine("Vandrel5", 42, clock.Date)});

    // After the solve, clicks select nothing.
    ClickWorld(1, 0);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
}

TEST_F(PlayTest, AnEqualTimeStoresNothing)
{
    const QByteArray record = RecordLine("Vandrel5", "42");
    WriteAll(RecordsFileName, record + "\r\n");
    OpenAndStartCorner();
    ASSERT_EQ(form->Game().BestSeconds(), 42);
    clock.Now += 42;
    form->TimerTimer();
    ClickWorld(1, 0);
    ChooseOperation(OpR);
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(RecordLines(), QList<QByteArray>{record});
}

TEST_F(PlayTest, TheSampleNeverStoresARecord)
{
    ChooseMenu(1);
    Click(Button("ButtonStart"));
    clock.Now += 5;
    form->TimerTimer();
    // Fold the sample to its end by the demonstration, during the timed play.
    Click(Button("ButtonJidou"));
    for (int step = 0; step < 31; ++step)
        Step();
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_TRUE(RecordLines().isEmpty());
}

TEST_F(PlayTest, RefusedMoveShowsFailureAndRestores)
{
    OpenAndStartCorner();
    ClickWorld(1, 0);
    ChooseOperation(OpL);  // (1,1) would land on the origin
    ASSERT_FALSE(dialogs.Messages.empty());
    EXPECT_EQ(dialogs.Messages.back(), Messages::Failure);
    EXPECT_EQ(form->Puzzle().WorkPath()[3].X, 1);
    EXPECT_EQ(form->Puzzle().WorkPath()[3].Y, 1);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    EXPECT_FALSE(Button("ButtonUndo")->isEnabled());
    EXPECT_EQ(form->Game().GameMode(), ModePlay);
}

TEST_F(PlayTest, UndoTakesBackOneMove)
{
    OpenAndStartCorner();
    ClickWorld(1, 0);
    ChooseOperation(OpH);  // (1,1) → (1,-1)
    EXPECT_EQ(form->Puzzle().WorkPath()[3].Y, -1);
    EXPECT_TRUE(Button("ButtonUndo")->isEnabled());
    Click(Button("ButtonUndo"));
    EXPECT_EQ(form->Puzzle().WorkPath()[3].Y, 1);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    EXPECT_FALSE(Button("ButtonUndo")->isEnabled());
}

TEST_F(PlayTest, CancelLeavesTheHighlightAndMovesNothing)
{
    OpenAndStartCorner();
    ClickWorld(1, 0);
    const QColor blue(0, 0, 255);
    EXPECT_EQ(QColor(PixelAtWorld(1, 0.5)), blue);
    ChooseOperation(OpCancel);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    EXPECT_EQ(QColor(PixelAtWorld(1, 0.5)), blue);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
}

TEST_F(PlayTest, HighlightIsBlueWithAMarkerAndARedrawRemovesIt)
{
    OpenAndStartCorner();
    ClickWorld(1, 0);
    const QColor blue(0, 0, 255);
    const QPoint pivot = Image().WorldToPixel(1, 0);
    // The 7 by 7 marker on the pivot.
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy)
            EXPECT_EQ(QColor(Image().Surface().pixel(pivot + QPoint(dx, dy))), blue);
    EXPECT_EQ(QColor(PixelAtWorld(1, 0.5)), blue);
    // The head is still red.
    EXPECT_EQ(QColor(PixelAtWorld(0.5, 0)), QColor(Qt::red));

    Drag(0, 0);  // a redraw
    EXPECT_EQ(QColor(PixelAtWorld(1, 0.5)), QColor(Qt::red));
}

TEST_F(PlayTest, MissWithdrawsTheGroupSoNothingMovesWithoutAPivot)
{
    OpenAndStartCorner();
    ClickWorld(1, 0);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    ClickWorld(5, 5);
    EXPECT_EQ(form->Puzzle().SelectedPivot(), 0);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    // Even a direct call with the stale state moves nothing.
    form->Game().ChooseOperation(OpR);
    EXPECT_EQ(form->Puzzle().WorkPath()[3].X, 1);
    EXPECT_EQ(form->Puzzle().WorkPath()[3].Y, 1);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
}

TEST_F(PlayTest, GroupStandsBesideTheClickInEachQuarter)
{
    OpenAndStartCorner();
    // Upper left quarter: hangs below, 32 pixels to the right.
    PlaceOrigin(100, 100);
    QPoint at = Image().WorldToPixel(1, 0);
    ClickImage(at);
    EXPECT_EQ(Group("RadioGroupSousa")->pos(), QPoint(at.x() + 32, at.y()));

    // Lower right quarter: stands above, its right edge 32 pixels to the left.
    PlaceOrigin(700, 500);
    at = Image().WorldToPixel(1, 0);
    ClickImage(at);
    EXPECT_EQ(Group("RadioGroupSousa")->pos(), QPoint(at.x() - 140 - 32, at.y() - 130));
}

TEST_F(PlayTest, ControlClickInPlaySelectsNothing)
{
    OpenAndStartCorner();
    ClickImage(Image().WorldToPixel(1, 0), Qt::ControlModifier);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    EXPECT_EQ(form->Puzzle().SelectedPivot(), 0);
}

TEST_F(PlayTest, ClickBeforeAnyModeSelectsNothing)
{
    ClickWorld(0, 1);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
}

// An entry ends without a redraw; a move picked right after it must still
// turn the entered path rigidly, not along the previous path's directions.
TEST_F(PlayTest, MoveRightAfterAnEntryTurnsTheEnteredPath)
{
    BeginEntry();
    CommitAt(0, 2);
    CommitAt(2, 2);
    Click(Button("ButtonNyuuryokuEnd"));
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonJidou"));
    ClickWorld(0, 2);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    ChooseOperation(OpL);  // the tail (1,2),(2,2) turns up to (0,3),(0,4)
    EXPECT_EQ(WorkCoords(form->Puzzle()), (Coords{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}}));
}

// In motion, a move ends on exactly the picture it makes at once; a click
// during the motion completes it before it acts.
TEST_F(PlayTest, AMoveInMotionEndsOnThePictureOfTheMoveMadeAtOnce)
{
    QImage pictures[2];
    for (int motion = 0; motion < 2; ++motion) {
        form.reset();
        OpenWindow(form, dialogs, clock);
        Control<QCheckBox>("CheckBoxMotion")->setChecked(motion == 1);
        OpenAndStartCorner();
        ClickWorld(1, 0);
        ChooseOperation(OpH);
        EXPECT_EQ(form->Game().Animating(), motion == 1);
        ClickWorld(0, 0);  // completes the move first, then picks the first point
        EXPECT_FALSE(form->Game().Animating());
        EXPECT_EQ(form->Puzzle().SelectedPivot(), 1);
        Drag(0, 0);  // a redraw without the pick's highlight
        pictures[motion] = Image().Surface().copy();
    }
    EXPECT_EQ(pictures[0], pictures[1]);
}
