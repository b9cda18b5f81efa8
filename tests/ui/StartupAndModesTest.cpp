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
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_EQ(form->windowTitle(), Messages::Caption);
    EXPECT_EQ(Group("RadioGroupMenu")->ItemIndex(), -1);
    EXPECT_FALSE(Widget("PanelMondai")->isVisible());
    EXPECT_FALSE(Widget("PanelPuzzle")->isVisible());
    EXPECT_FALSE(Widget("PanelJidou")->isVisible());
    EXPECT_EQ(form->ProblemName(), Messages::SampleName);
    EXPECT_EQ(form->Game().BestSeconds(), 0);
    EXPECT_EQ(form->Puzzle().PointCount(), 70);
    EXPECT_FALSE(form->Game().Unsaved());
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
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Left, -20);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Right, 20);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Bottom, -15);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Top, 15);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().CenterX, 0);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().CenterY, 0);
}

TEST_F(UiTest, MenuSwitchesPanelsAndMasks)
{
    ChooseMenu(0);
    EXPECT_TRUE(Widget("PanelMondai")->isVisible());
    EXPECT_FALSE(Widget("PanelPuzzle")->isVisible());
    EXPECT_EQ(form->ButtonMaskNow(), MaskCreation);
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);

    ChooseMenu(1);
    EXPECT_FALSE(Widget("PanelMondai")->isVisible());
    EXPECT_TRUE(Widget("PanelPuzzle")->isVisible());
    EXPECT_EQ(form->ButtonMaskNow(), MaskPuzzle);
    EXPECT_TRUE(dialogs.Questions.empty());
}

TEST_F(UiTest, ClickOnTheSelectedModeChangesNothing)
{
    MakeUnsaved();
    ChooseMenu(1);
    Click(Button("ButtonStart"));
    const std::size_t asked = dialogs.Questions.size();
    ChooseMenu(1);
    EXPECT_EQ(dialogs.Questions.size(), asked);
    EXPECT_EQ(form->Game().GameMode(), ModePlay);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPlaying);
    EXPECT_TRUE(TimerControl()->isActive());

    ChooseMenu(0);
    Click(Button("ButtonNyuuryokuBegin"));
    ChooseMenu(0);
    EXPECT_EQ(form->Game().GameMode(), ModeEntry);
    EXPECT_TRUE(Button("ButtonNyuuryokuEnd")->isEnabled());
    // Asked by the switches and by the entry's begin, never by a click on the selected item.
    EXPECT_EQ(dialogs.Questions.size(), 3u);
}

TEST_F(UiTest, ModeSwitchesKeepTheSizeOfAWindowThatIsNotMaximised)
{
    form->resize(850, 512);
    for (const bool demonstration : {false, true}) {
        ChooseMenu(1);
        if (demonstration)
            Click(Button("ButtonJidou"));
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
    TFormMain form(dialogs, clock, TUserPlaces::In(QDir::currentPath()));
    form.show();
    EXPECT_NE(form.PlotImage(), nullptr);

    ASSERT_TRUE(InstallQtJapanese(*qApp, QtTranslationsFolder()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

TEST_F(UiTest, UnsavedWorkIsGuardedByTheWarning)
{
    MakeUnsaved();
    dialogs.Answers = {false};
    ChooseMenu(1);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0], Messages::SwitchQuestion);
    // Cancel leaves panels and buttons as they were.
    EXPECT_TRUE(Widget("PanelMondai")->isVisible());
    EXPECT_EQ(form->ButtonMaskNow(), MaskCreation);

    dialogs.Answers = {false};
    Click(Button("ButtonClose"));
    EXPECT_EQ(dialogs.Questions.back(), Messages::QuitQuestion);
    EXPECT_TRUE(form->isVisible());

    dialogs.Answers = {true};
    Click(Button("ButtonClose"));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UiTest, QuitWithoutUnsavedWorkAsksNothing)
{
    Click(Button("ButtonClose"));
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UiTest, HelpButtonTogglesTheExplanation)
{
    EXPECT_EQ(Memo("MemoSetsumei")->toPlainText().split('\n'), TPictureArea::HelpLines());
    EXPECT_EQ(TPictureArea::HelpLines().size(), 33);
    Click(Button("ButtonSetsumei"));
    EXPECT_TRUE(Memo("MemoSetsumei")->isVisible());
    EXPECT_EQ(Button("ButtonSetsumei")->text(), Messages::HideHelp);
    Click(Button("ButtonSetsumei"));
    EXPECT_FALSE(Memo("MemoSetsumei")->isVisible());
    EXPECT_EQ(Button("ButtonSetsumei")->text(), Messages::ShowHelp);
    EXPECT_TRUE(Button("ButtonSetsumei")->isEnabled());
}

TEST_F(UiTest, ClockCountsPausesAndContinues)
{
    ChooseMenu(1);
    Click(Button("ButtonStart"));
    EXPECT_EQ(form->Game().GameMode(), ModePlay);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPlaying);
    EXPECT_TRUE(TimerControl()->isActive());
    EXPECT_EQ(Label("PanelTime")->text(), QStringLiteral("   0分 0秒"));

    clock.Now += 75.4;
    form->TimerTimer();
    EXPECT_EQ(form->Game().Clock().Elapsed(), 75);
    EXPECT_EQ(Label("PanelTime")->text(), QStringLiteral("   1分15秒"));

    // The fraction since the last tick is not carried over a pause.
    clock.Now += 0.9;
    Click(Button("ButtonPause"));
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
    EXPECT_FALSE(TimerControl()->isActive());
    EXPECT_EQ(form->Game().Clock().Carried(), 75);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPaused);

    clock.Now += 500;  // paused time does not count
    Click(Button("ButtonContinue"));
    EXPECT_EQ(form->Game().GameMode(), ModePlay);
    EXPECT_EQ(form->ButtonMaskNow(), MaskPlaying);
    clock.Now += 10.5;  // a half goes to the even second
    form->TimerTimer();
    EXPECT_EQ(form->Game().Clock().Elapsed(), 85);
}

TEST_F(UiTest, PauseWithinTheFirstSecondCarriesNothing)
{
    ChooseMenu(1);
    Click(Button("ButtonStart"));
    clock.Now += 0.7;
    Click(Button("ButtonPause"));
    EXPECT_EQ(form->Game().Clock().Carried(), 0);
    Click(Button("ButtonContinue"));
    clock.Now += 2;
    form->TimerTimer();
    EXPECT_EQ(form->Game().Clock().Elapsed(), 2);
}

TEST_F(UiTest, ClockOverflowIsReportedAndTheDisplayKept)
{
    ChooseMenu(1);
    Click(Button("ButtonStart"));
    clock.Now += 3e9;  // beyond what 32 bits of seconds hold
    EXPECT_THROW(form->TimerTimer(), EIntOverflow);
    EXPECT_EQ(Label("PanelTime")->text(), QStringLiteral("   0分 0秒"));
}

TEST_F(UiTest, RestartAfterMovesAsksFirst)
{
    ChooseMenu(1);
    Click(Button("ButtonJidou"));
    Step();  // V 25, the demonstration's first move
    ASSERT_EQ(form->Puzzle().MoveCount(), 1);
    dialogs.Answers = {false};
    Click(Button("ButtonStart"));
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0], Messages::RestartQuestion);
    EXPECT_EQ(form->Puzzle().MoveCount(), 1);

    Click(Button("ButtonStart"));  // answered Yes
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    EXPECT_EQ(form->Puzzle().WorkPath()[30].X, form->Puzzle().ProblemPath()[30].X);
    EXPECT_EQ(form->Puzzle().WorkPath()[30].Y, form->Puzzle().ProblemPath()[30].Y);
}

TEST_F(UiTest, RunTimeErrorInAHandlerIsShownAndTheGameGoesOn)
{
    ChooseMenu(1);
    Click(Button("ButtonStart"));
    clock.Now += 3e9;  // beyond what 32 bits of seconds hold
    // Delivered as the timer's event, the error reaches the application object.
    QTimerEvent tick(TimerControl()->timerId());
    QApplication::sendEvent(TimerControl(), &tick);
    ASSERT_FALSE(dialogs.Messages.empty());
    EXPECT_EQ(dialogs.Messages.back(), EIntOverflow().what());
    Click(Button("ButtonPause"));
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
}
