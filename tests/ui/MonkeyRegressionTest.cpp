// MonkeyRegressionTest.cpp: event sequences the random monkey found to break the window, replayed by hand.
#include "UiFixture.h"

#include "MonkeyChecks.h"

class MonkeyRegressionTest : public UiTest {
protected:
    QPoint Pixel(int x, int y) { return Image().WorldToPixel(x, y); }

    void CommitAt(int x, int y)
    {
        const QPoint p = Pixel(x, y);
        form->ImageMouseMove(0, p.x(), p.y());
        QTest::mouseRelease(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, p);
    }

    // A player can only choose from the group while it is on the screen.
    void ChooseOperationIfShown(int item)
    {
        if (Group("RadioGroupSousa")->isVisible())
            ChooseOperation(item);
    }

    // A play of the sample with its first point picked: the operation group
    // stands on the picture.
    void PickTheOriginInAPlay()
    {
        ChooseMenu(1);
        Click(Button("ButtonStart"));
        ClickWorld(0, 0);
        ASSERT_EQ(form->Puzzle().SelectedPivot(), 1);
        ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    }
};

// Seed 221: the group, left standing when the menu switched to problem
// creation, folded the path being entered; the next commit then stepped from
// a corner that was no longer the path's end.
TEST_F(MonkeyRegressionTest, OperationGroupLeftFromAPlayCannotFoldAnEntry)
{
    PickTheOriginInAPlay();
    ChooseMenu(0);
    Click(Button("ButtonNyuuryokuBegin"));
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    CommitAt(3, 0);
    CommitAt(3, 2);
    ASSERT_EQ(form->Puzzle().PointCount(), 6);

    ChooseOperationIfShown(OpH);
    EXPECT_EQ(form->Session().GameMode(), ModeEntry);
    EXPECT_EQ(form->Puzzle().WorkPath()[6].Y, 2) << "the entered path was folded";
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);

    CommitAt(1, 2);
    Click(Button("ButtonNyuuryokuEnd"));
    EXPECT_EQ(form->Puzzle().PointCount(), 8);
    EXPECT_TRUE(IsSelfAvoidingPath(form->Puzzle().ProblemPath(), form->Puzzle().PointCount()));
    EXPECT_TRUE(dialogs.Messages.empty());
}

// Seed 200: the same group, chosen after the entry had ended, turned the
// entered path by step directions left over from the paths before it (an entry
// never works them out) and gave a path that runs through itself.
TEST_F(MonkeyRegressionTest, OperationGroupLeftFromAPlayCannotTurnTheEnteredPath)
{
    // A square whose steps close on the origin but for its missing fourth.
    UseProblem(Problem({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    PickTheOriginInAPlay();
    ChooseMenu(0);
    Click(Button("ButtonNyuuryokuBegin"));
    CommitAt(0, -3);
    CommitAt(-2, -3);
    Click(Button("ButtonNyuuryokuEnd"));
    ASSERT_EQ(form->Puzzle().PointCount(), 6);
    ChooseMenu(1);  // answered Yes

    ChooseOperationIfShown(OpR);
    EXPECT_TRUE(IsSelfAvoidingPath(form->Puzzle().WorkPath(), form->Puzzle().PointCount()));
    EXPECT_EQ(form->Puzzle().WorkPath()[6].X, -2);
    EXPECT_EQ(form->Puzzle().WorkPath()[6].Y, -3);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
}

// An entry ends without a redraw; a move picked right after it must still
// turn the entered path rigidly, not along the previous path's directions.
TEST_F(UiTest, MoveRightAfterAnEntryTurnsTheEnteredPath)
{
    ChooseMenu(0);
    Click(Button("ButtonNyuuryokuBegin"));
    for (auto [x, y] : {std::pair{0, 2}, std::pair{2, 2}}) {
        const QPoint p = Image().WorldToPixel(x, y);
        form->ImageMouseMove(0, p.x(), p.y());
        form->ImageMouseUp(Qt::LeftButton, 0, p.x(), p.y());
    }
    Click(Button("ButtonNyuuryokuEnd"));
    ChooseMenu(1);
    Click(Button("ButtonJidou"));
    ClickWorld(0, 2);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    ChooseOperation(OpL);  // the tail (1,2),(2,2) turns up to (0,3),(0,4)
    EXPECT_EQ(form->Puzzle().WorkPath()[4].X, 0);
    EXPECT_EQ(form->Puzzle().WorkPath()[4].Y, 3);
    EXPECT_EQ(form->Puzzle().WorkPath()[5].X, 0);
    EXPECT_EQ(form->Puzzle().WorkPath()[5].Y, 4);
}
