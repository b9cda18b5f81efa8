// HandlerErrorsTest.cpp: a run-time error ends its handler there and is shown, without leaving the handler.
#include "UiFixture.h"

#include <QKeyEvent>

#include "files/WriteLimit.h"

// The handlers are called here the way the toolkit calls them, but with no
// event being delivered around them: a click() emits its signal directly, and
// the key filter is called as the application calls it. An error that left
// the handler would reach the test instead of the message.
using HandlerErrorsTest = UiTest;

TEST_F(HandlerErrorsTest, FailedRecordStoreIsShownByTheOperationsHandler)
{
    OpenCorner();
    Click(Button("ButtonStart"));
    ClickWorld(1, 0);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    dialogs.Messages.clear();
    {
        WriteLimit limit(0);
        EXPECT_NO_THROW(Group("RadioGroupSousa")->Item(OpR)->click());
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], Messages::Solved);
    EXPECT_TRUE(Begins(dialogs.Messages[1], WriteFailure(RecordsFileName)));
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
}

TEST_F(HandlerErrorsTest, AnotherProblemsLongNameLineLeavesTheOpenQuiet)
{
    // A line of a longer name that begins like this one, written whole.
    WriteAll(RecordsFileName, QByteArray("Vandrel5") + "            UVWXYZ        1234\r\n");
    dialogs.Files = {WriteProblem("Vandrel5.txt", {{0, 0}, {1, 0}, {1, 1}})};
    ChooseMenu(MenuPuzzle);
    Button("ButtonOpenAll")->click();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor("Vandrel5", NoRecordSeconds));
}

TEST_F(HandlerErrorsTest, OverflowingPanIsShownByTheKeyFilterAndTheKeyGoesNoFurther)
{
    PlaceOrigin(2147483600, 300);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
    QObject* filter = form.get();
    bool consumed = false;
    EXPECT_NO_THROW(consumed = filter->eventFilter(Button("ButtonStart"), &key));
    EXPECT_TRUE(consumed);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{EIntOverflow().what()});
    EXPECT_EQ(Image().OriginX, 2147483600);
}
