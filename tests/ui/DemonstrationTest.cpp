// DemonstrationTest.cpp: the computer's demonstration, step by step and continuously.
#include "UiFixture.h"

#include <QSlider>
#include <QTimer>

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
        ChooseMenu(1);
        Click(Button("ButtonJidou"));
        ASSERT_TRUE(Widget("PanelJidou")->isVisible());
        ASSERT_TRUE(Button("ButtonStep")->isEnabled());
        ASSERT_EQ(form->Session().GameMode(), ModePlay);
    }
};

TEST_F(DemonstrationTest, SteppingTheSampleShowsEachMoveInItsColourBeforeMakingIt)
{
    OpenDemonstration();
    Slider("TrackBarUnit")->setValue(3);  // the unfolding path stays on the picture
    std::vector<std::string> seen;
    std::vector<QRgb> highlights;
    for (std::size_t step = 0; step < SampleSolution.size(); ++step) {
        // The wait of a step is where its highlight is on screen; the tail may
        // run off the picture, so look for its colour anywhere.
        clock.OnDelay = [&](int) { highlights.push_back(HighlightOnScreen()); };
        const std::uint16_t before = form->Puzzle().MoveCount();
        QTest::mouseClick(Button("ButtonStep"), Qt::LeftButton);
        ASSERT_EQ(form->Puzzle().MoveCount(), before + 1) << "step " << step;
        const MoveEntry e = form->Puzzle().History().Latest();
        seen.push_back(MoveWord(e.OpCode, e.Pivot));
        EXPECT_TRUE(Button("ButtonStep")->isEnabled());
        EXPECT_EQ(HighlightOnScreen(), 0u) << "the redraw removes the highlight, step " << step;
        if (step + 1 < SampleSolution.size()) {
            EXPECT_TRUE(dialogs.Messages.empty()) << "step " << step;
        }
    }
    EXPECT_EQ(seen, SampleSolution);
    ASSERT_EQ(highlights.size(), seen.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const bool rotation = seen[i][0] == 'R' || seen[i][0] == 'L';
        EXPECT_EQ(highlights[i], rotation ? Lime : Aqua) << "step " << i;
    }
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0], Messages::Solved);
    EXPECT_FALSE(Widget("PanelJidou")->isVisible());
    EXPECT_EQ(form->Session().GameMode(), ModeIdle);
    EXPECT_TRUE(form->Puzzle().IsSolved());
}

TEST_F(DemonstrationTest, WaitDoublesWithEachTrackBarPosition)
{
    OpenDemonstration();
    const int expected[] = {500, 1000, 2000, 4000, 8000};
    for (int position = 1; position <= 5; ++position) {
        Slider("TrackBarWait")->setValue(position);
        clock.Delays.clear();
        form->ButtonStepMouseDown(0);
        ASSERT_EQ(clock.Delays.size(), 1u);
        EXPECT_EQ(clock.Delays[0], expected[position - 1]);
    }
}

TEST_F(DemonstrationTest, ContinuousRunWaitsTwicePerCycleAndEndsOnSolving)
{
    UseProblem(ProblemLines({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    OpenDemonstration();
    form->ButtonStepMouseDown(DoubleClick);
    EXPECT_EQ(form->Puzzle().MoveCount(), 3);
    EXPECT_EQ(clock.Delays.size(), 6u);
    EXPECT_EQ(form->Session().GameMode(), ModeIdle);
    EXPECT_TRUE(Button("ButtonStep")->isEnabled());
    EXPECT_TRUE(form->Puzzle().IsSolved());
}

TEST_F(DemonstrationTest, ContinuousRunOnAStraightPathMakesOneCycle)
{
    UseProblem(ProblemLines({{0, 0}, {1, 0}, {2, 0}}));
    OpenDemonstration();
    form->ButtonStepMouseDown(DoubleClick);
    EXPECT_EQ(form->Puzzle().MoveCount(), 1);
    EXPECT_EQ(form->Puzzle().History().Latest().OpCode, OpH);
    EXPECT_EQ(form->Puzzle().History().Latest().Pivot, 1);
    EXPECT_EQ(clock.Delays.size(), 2u);
    EXPECT_EQ(dialogs.Messages.size(), 1u);
}

TEST_F(DemonstrationTest, PauseEndsTheRunAfterItsCycleAndNextStillSteps)
{
    OpenDemonstration();
    Click(Button("ButtonStart"));
    Click(Button("ButtonJidou"));
    int delays = 0;
    clock.OnDelay = [&](int) {
        // The click waits in the queue until the run lets messages through.
        if (++delays == 1)
            QTimer::singleShot(0, form.get(), [this] { Click(Button("ButtonPause")); });
    };
    form->ButtonStepMouseDown(DoubleClick);
    EXPECT_EQ(form->Puzzle().MoveCount(), 1);
    EXPECT_EQ(form->Session().GameMode(), ModeIdle);
    EXPECT_TRUE(Widget("PanelJidou")->isVisible());

    clock.OnDelay = nullptr;
    QTest::mouseClick(Button("ButtonStep"), Qt::LeftButton);
    EXPECT_EQ(form->Puzzle().MoveCount(), 2);
}

TEST_F(DemonstrationTest, EntryBegunDuringARunEndsItWithoutStepping)
{
    OpenDemonstration();
    int delays = 0;
    clock.OnDelay = [&](int) {
        if (++delays == 2)
            QTimer::singleShot(0, form.get(), [this] {
                Group("RadioGroupMenu")->SetItemIndex(0);
                form->RadioGroupMenuClick();
                form->ButtonNyuuryokuBeginClick();
            });
    };
    form->ButtonStepMouseDown(DoubleClick);
    EXPECT_EQ(form->Session().GameMode(), ModeEntry);
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
    EXPECT_EQ(form->Puzzle().MoveCount(), 1);
    // A step asked for during the entry leaves the entered path alone.
    form->ButtonStepMouseDown(0);
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
}

TEST_F(DemonstrationTest, OpeningHidesThePanelEvenWhenCancelled)
{
    OpenDemonstration();
    Click(Button("ButtonOpenAll"));
    EXPECT_EQ(dialogs.OpenDialogs, 1);
    EXPECT_FALSE(Widget("PanelJidou")->isVisible());
}
