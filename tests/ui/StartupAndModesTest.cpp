// StartupAndModesTest.cpp: the window after start-up, the mode switch, help and quit.
#include "UiFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/VandrelApplication.h"

TEST_F(UiTest, StartsWithTheSampleDrawnAndNoModeChosen)
{
    EXPECT_EQ(form->ButtonMaskNow(), MaskStartUp);
    EXPECT_EQ(form->GameMode, ModeIdle);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ"));
    EXPECT_EQ(form->RadioGroupMenu->ItemIndex(), -1);
    EXPECT_FALSE(form->PanelMondai->isVisible());
    EXPECT_FALSE(form->PanelPuzzle->isVisible());
    EXPECT_FALSE(form->PanelJidou->isVisible());
    EXPECT_EQ(form->ProblemName, QStringLiteral("Vandrel000"));
    EXPECT_EQ(form->BestSeconds, 0);
    EXPECT_EQ(form->Puzzle.PointCount, 70);
    EXPECT_FALSE(form->Unsaved);
    // The records file is created, empty, in the current folder.
    QFileInfo records(RecordsFileName);
    EXPECT_TRUE(records.exists());
    EXPECT_EQ(records.size(), 0);
    // The sample's red path runs along the segment from (0,1) to (2,1).
    EXPECT_EQ(QColor(PixelAtWorld(1, 1)), QColor(Qt::red));
    // A point off the path is white or grid.
    EXPECT_NE(QColor(PixelAtWorld(5.5, 5.5)), QColor(Qt::red));
}

TEST_F(UiTest, FirstDisplayCentresTheOrigin)
{
    EXPECT_EQ(Image().width(), ImageWidth);
    EXPECT_EQ(Image().height(), ImageHeight);
    EXPECT_EQ(Image().OriginX, 400);
    EXPECT_EQ(Image().OriginY, 300);
    EXPECT_EQ(Image().Unit, 20);
    EXPECT_DOUBLE_EQ(form->ViewLeft, -20);
    EXPECT_DOUBLE_EQ(form->ViewRight, 20);
    EXPECT_DOUBLE_EQ(form->ViewBottom, -15);
    EXPECT_DOUBLE_EQ(form->ViewTop, 15);
    EXPECT_DOUBLE_EQ(form->ViewCenterX, 0);
    EXPECT_DOUBLE_EQ(form->ViewCenterY, 0);
}

TEST_F(UiTest, MenuSwitchesPanelsAndMasks)
{
    ChooseMenu(0);
    EXPECT_TRUE(form->PanelMondai->isVisible());
    EXPECT_FALSE(form->PanelPuzzle->isVisible());
    EXPECT_EQ(form->ButtonMaskNow(), MaskCreation);
    EXPECT_EQ(form->GameMode, ModeIdle);

    ChooseMenu(1);
    EXPECT_FALSE(form->PanelMondai->isVisible());
    EXPECT_TRUE(form->PanelPuzzle->isVisible());
    EXPECT_EQ(form->ButtonMaskNow(), MaskPuzzle);
    EXPECT_TRUE(dialogs.Questions.empty());
}

TEST_F(UiTest, ClickOnTheSelectedModeChangesNothing)
{
    ChooseMenu(1);
    Click(form->ButtonStart);
    form->Unsaved = true;
    ChooseMenu(1);
    EXPECT_EQ(form->GameMode, ModePlay);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPlaying);
    EXPECT_TRUE(form->Timer->isActive());

    ChooseMenu(0);
    Click(form->ButtonNyuuryokuBegin);
    ChooseMenu(0);
    EXPECT_EQ(form->GameMode, ModeEntry);
    EXPECT_TRUE(form->ButtonNyuuryokuEnd->isEnabled());
    // Asked only by the switch to creation and by the entry's begin.
    EXPECT_EQ(dialogs.Questions.size(), 2u);
}

TEST_F(UiTest, ModeSwitchesKeepTheSizeOfAWindowThatIsNotMaximised)
{
    form->resize(850, 512);
    for (const bool demonstration : {false, true}) {
        ChooseMenu(1);
        if (demonstration)
            Click(form->ButtonJidou);
        const QSize size = form->size();
        for (int item : {0, 1, 0, 1}) {
            ChooseMenu(item);
            QApplication::processEvents();
            EXPECT_EQ(form->size(), size) << "demonstration panel " << demonstration << ", item " << item;
        }
    }
}

TEST(QtTranslation, JapaneseWhereInstalledAndTheGameStartsWithoutIt)
{
    QTemporaryDir empty;
    EXPECT_FALSE(InstallQtJapanese(*qApp, empty.path()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    TFakeDialogs dialogs;
    TFakeClock clock;
    TFormMain form(dialogs, clock);
    form.show();
    EXPECT_NE(form.PlotImage, nullptr);

    ASSERT_TRUE(InstallQtJapanese(*qApp, QtTranslationsFolder()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

TEST_F(UiTest, UnsavedWorkIsGuardedByTheWarning)
{
    ChooseMenu(0);
    form->Unsaved = true;
    dialogs.Answers = {false};
    ChooseMenu(1);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0], QStringLiteral("保存してませんが，移動しますか"));
    // Cancel leaves panels and buttons as they were.
    EXPECT_TRUE(form->PanelMondai->isVisible());
    EXPECT_EQ(form->ButtonMaskNow(), MaskCreation);

    dialogs.Answers = {false};
    Click(form->ButtonClose);
    EXPECT_EQ(dialogs.Questions.back(), QStringLiteral("保存してませんが，終了しますか"));
    EXPECT_TRUE(form->isVisible());

    dialogs.Answers = {true};
    Click(form->ButtonClose);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UiTest, QuitWithoutUnsavedWorkAsksNothing)
{
    Click(form->ButtonClose);
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UiTest, HelpButtonTogglesTheExplanation)
{
    EXPECT_EQ(form->MemoSetsumei->toPlainText().split('\n'), TFormMain::HelpLines());
    EXPECT_EQ(TFormMain::HelpLines().size(), 33);
    Click(form->ButtonSetsumei);
    EXPECT_TRUE(form->MemoSetsumei->isVisible());
    EXPECT_EQ(form->ButtonSetsumei->text(), QStringLiteral("説明非表示"));
    Click(form->ButtonSetsumei);
    EXPECT_FALSE(form->MemoSetsumei->isVisible());
    EXPECT_EQ(form->ButtonSetsumei->text(), QStringLiteral("説明表示"));
    EXPECT_TRUE(form->ButtonSetsumei->isEnabled());
}

TEST_F(UiTest, ClockCountsPausesAndContinues)
{
    ChooseMenu(1);
    Click(form->ButtonStart);
    EXPECT_EQ(form->GameMode, ModePlay);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPlaying);
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_EQ(form->PanelTime->text(), QStringLiteral("   0分 0秒"));

    clock.Now += 75.4;
    form->TimerTimer();
    EXPECT_EQ(form->ElapsedSeconds, 75);
    EXPECT_EQ(form->PanelTime->text(), QStringLiteral("   1分15秒"));

    // The fraction since the last tick is not carried over a pause.
    clock.Now += 0.9;
    Click(form->ButtonPause);
    EXPECT_EQ(form->GameMode, ModeIdle);
    EXPECT_FALSE(form->Timer->isActive());
    EXPECT_EQ(form->CarriedSeconds, 75);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPaused);

    clock.Now += 500;  // paused time does not count
    Click(form->ButtonContinue);
    EXPECT_EQ(form->GameMode, ModePlay);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPlaying);
    clock.Now += 10.5;  // a half goes to the even second
    form->TimerTimer();
    EXPECT_EQ(form->ElapsedSeconds, 85);
}

TEST_F(UiTest, PauseWithinTheFirstSecondCarriesNothing)
{
    ChooseMenu(1);
    Click(form->ButtonStart);
    clock.Now += 0.7;
    Click(form->ButtonPause);
    EXPECT_EQ(form->CarriedSeconds, 0);
    Click(form->ButtonContinue);
    clock.Now += 2;
    form->TimerTimer();
    EXPECT_EQ(form->ElapsedSeconds, 2);
}

TEST_F(UiTest, ClockOverflowIsReportedAndTheDisplayKept)
{
    ChooseMenu(1);
    Click(form->ButtonStart);
    form->CarriedSeconds = 2147483600;
    clock.Now += 100;
    EXPECT_THROW(form->TimerTimer(), EIntOverflow);
    EXPECT_EQ(form->PanelTime->text(), QStringLiteral("   0分 0秒"));
}

TEST_F(UiTest, RestartAfterMovesAsksFirst)
{
    ChooseMenu(1);
    Click(form->ButtonJidou);
    form->Puzzle.ApplyOperation(OpV, 25);
    ASSERT_EQ(form->Puzzle.MoveCount(), 1);
    dialogs.Answers = {false};
    Click(form->ButtonStart);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0], QStringLiteral("途中ですが，最初からやり直しますか ? "));
    EXPECT_EQ(form->Puzzle.MoveCount(), 1);

    Click(form->ButtonStart);  // answered Yes
    EXPECT_EQ(form->Puzzle.MoveCount(), 0);
    EXPECT_EQ(form->Puzzle.WorkPath[30].X, form->Puzzle.ProblemPath[30].X);
    EXPECT_EQ(form->Puzzle.WorkPath[30].Y, form->Puzzle.ProblemPath[30].Y);
}

TEST_F(UiTest, RunTimeErrorInAHandlerIsShownAndTheGameGoesOn)
{
    ChooseMenu(1);
    Click(form->ButtonStart);
    form->CarriedSeconds = 2147483600;
    clock.Now += 100;
    // Delivered as the timer's event, the error reaches the application object.
    QTimerEvent tick(form->Timer->timerId());
    QApplication::sendEvent(form->Timer, &tick);
    ASSERT_FALSE(dialogs.Messages.empty());
    EXPECT_EQ(dialogs.Messages.back(), QStringLiteral("整数のオーバーフロー"));
    Click(form->ButtonPause);
    EXPECT_EQ(form->GameMode, ModeIdle);
}
