// DemonstrationTest.cpp: the computer's demonstration in the window: each move highlighted in its colour for the wait, a window that answers during the waits, and what ends a run.
#include "UiFixture.h"

#include <QPaintEvent>
#include <QSlider>

#include "support/SampleSolution.h"

class DemonstrationTest : public UiTest {
protected:
    static constexpr QRgb Lime = 0xFF00FF00;
    static constexpr QRgb Aqua = 0xFF00FFFF;

    // The one highlight colour on the picture, or 0 when there is none.
    QRgb HighlightOnScreen()
    {
        const QImage& s = Image().Surface();
        bool lime = false, aqua = false;
        for (int y = 0; y < s.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(s.constScanLine(y));
            for (int x = 0; x < s.width(); ++x) {
                lime |= row[x] == Lime;
                aqua |= row[x] == Aqua;
            }
        }
        if (lime == aqua)
            return lime ? 1 : 0;
        return lime ? Lime : Aqua;
    }

    void OpenDemonstration()
    {
        ChooseMenu(MenuPuzzle);
        Click(Button("ButtonJidou"));
        ASSERT_TRUE(Widget("PanelJidou")->isVisible());
        ASSERT_TRUE(Button("ButtonStep")->isEnabled());
        ASSERT_EQ(form->Game().GameMode(), ModePlay);
    }
};

TEST_F(DemonstrationTest, EachMoveIsShownInItsColourForTheWaitThenMade)
{
    OpenDemonstration();
    Slider("TrackBarUnit")->setValue(3);  // the unfolding path stays on the picture
    for (std::size_t step = 0; step < SampleSolution.size(); ++step) {
        QTest::mouseClick(Button("ButtonStep"), Qt::LeftButton);
        const bool rotation = SampleSolution[step][0] == 'R' || SampleSolution[step][0] == 'L';
        EXPECT_EQ(HighlightOnScreen(), rotation ? Lime : Aqua) << "step " << step;
        EXPECT_EQ(form->Puzzle().MoveCount(), step) << "made only when the wait is over";
        Pass(2.0);
        EXPECT_EQ(HighlightOnScreen(), 0u) << "the redraw removes the highlight, step " << step;
    }
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});
    EXPECT_FALSE(Widget("PanelJidou")->isVisible());
    EXPECT_TRUE(form->Puzzle().IsSolved());
}

// During the wait nothing sleeps: paints and clicks are handled as they come.
TEST_F(DemonstrationTest, TheWindowAnswersDuringTheWait)
{
    OpenDemonstration();
    Slider("TrackBarWait")->setValue(5);  // the longest wait, 8 seconds
    Run();
    ASSERT_TRUE(form->Game().Puzzle().IsSolved());
    Click(Button("ButtonStart"));
    Click(Button("ButtonJidou"));
    QTest::mouseDClick(Button("ButtonStep"), Qt::LeftButton);
    ASSERT_TRUE(form->Game().MovePending());
    int paints = 0;
    struct PaintCounter : QObject {
        int* Count;
        explicit PaintCounter(int* count) : Count(count) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            *Count += e->type() == QEvent::Paint;
            return false;
        }
    } counter(&paints);
    Image().installEventFilter(&counter);
    Image().update();
    QApplication::processEvents();
    EXPECT_GT(paints, 0) << "a queued paint is handled at once";
    Click(Button("ButtonSetsumei"));
    EXPECT_TRUE(Memo("MemoSetsumei")->isVisible()) << "a click too";
    EXPECT_TRUE(form->Game().MovePending()) << "the wait goes on meanwhile";
    Image().removeEventFilter(&counter);

    ChooseMenu(MenuCreation);  // ends the run at once
    Pass(100);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    EXPECT_FALSE(form->Game().Busy());
}

TEST_F(DemonstrationTest, AClickOnThePathDuringAPendingStepLeavesThePathToTheStep)
{
    OpenDemonstration();
    QTest::mouseClick(Button("ButtonStep"), Qt::LeftButton);
    ClickWorld(0, 1);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    Pass(2.0);
    ASSERT_EQ(form->Puzzle().MoveCount(), 1);
    EXPECT_EQ(MoveWord(form->Puzzle().History().Latest().OpCode, form->Puzzle().History().Latest().Pivot),
              SampleSolution[0]);
}

// A choice from the menu while a step's move is pending is not taken; the
// same choice made once the step is over is.
TEST_F(DemonstrationTest, AChoiceNotTakenDuringAPendingStepCanBeMadeAgain)
{
    OpenDemonstration();
    ClickWorld(0, 0);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    QTest::mouseClick(Button("ButtonStep"), Qt::LeftButton);
    ChooseOperation(OpR);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    Pass(2.0);
    ASSERT_EQ(form->Puzzle().MoveCount(), 1);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    ChooseOperation(OpR);
    EXPECT_EQ(form->Puzzle().MoveCount(), 2);
}

TEST_F(DemonstrationTest, OpeningHidesThePanelEvenWhenCancelled)
{
    OpenDemonstration();
    Click(Button("ButtonOpenAll"));
    EXPECT_EQ(dialogs.OpenDialogs, 1);
    EXPECT_FALSE(Widget("PanelJidou")->isVisible());
}
