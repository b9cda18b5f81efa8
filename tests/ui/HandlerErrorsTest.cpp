// HandlerErrorsTest.cpp: a run-time error ends its handler there and is shown, without leaving the handler.
#include "UiFixture.h"

#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "files/FileHelpers.h"
#include "files/TextFile.h"
#include "files/WriteLimit.h"

// The handlers are called here the way the toolkit calls them, but with no
// event being delivered around them: a click() emits its signal directly, and
// the key filter is called as the application calls it. An error that left
// the handler would reach the test instead of the message.
class HandlerErrorsTest : public UiTest {
protected:
    QTemporaryDir scratch;
    QString previousFolder = QDir::currentPath();

    void SetUp() override
    {
        ASSERT_TRUE(QDir::setCurrent(scratch.path()));
        UiTest::SetUp();
    }

    void TearDown() override
    {
        UiTest::TearDown();
        QDir::setCurrent(previousFolder);
    }

    QString CornerFile()
    {
        const QString file = QDir(scratch.path()).filePath("Vandrel5.txt");
        WriteFileAtomically(file, JoinTextLines(Problem({{0, 0}, {1, 0}, {1, 1}})));
        return file;
    }
};

TEST_F(HandlerErrorsTest, FailedRecordStoreIsShownByTheOperationsHandler)
{
    dialogs.Files = {CornerFile()};
    ChooseMenu(1);
    Click(Button("ButtonOpenAll"));
    Click(Button("ButtonStart"));
    ClickWorld(1, 0);
    ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
    dialogs.Messages.clear();
    {
        WriteLimit limit(0);
        EXPECT_NO_THROW(Group("RadioGroupSousa")->Item(OpR)->click());
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], QStringLiteral("　　お　め　で　と　う　　"));
    EXPECT_TRUE(dialogs.Messages[1].startsWith(QStringLiteral("ファイル「RecVandrel.txt」に書き込めません: ")))
        << dialogs.Messages[1].toStdString();
    EXPECT_EQ(form->Session().GameMode(), ModeIdle);
}

TEST_F(HandlerErrorsTest, AnotherProblemsLongNameLineLeavesTheOpenQuiet)
{
    // A line of a longer name that begins like this one, written whole.
    WriteAll(RecordsFileName, QByteArray("Vandrel5") + "            UVWXYZ        1234\r\n");
    dialogs.Files = {CornerFile()};
    ChooseMenu(1);
    Button("ButtonOpenAll")->click();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5     60000分 0秒"));
}

TEST_F(HandlerErrorsTest, OverflowingPanIsShownByTheKeyFilterAndTheKeyGoesNoFurther)
{
    Image().SetOrigin(2147483600, 300);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
    QObject* filter = form.get();
    bool consumed = false;
    EXPECT_NO_THROW(consumed = filter->eventFilter(Button("ButtonStart"), &key));
    EXPECT_TRUE(consumed);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{QStringLiteral("整数のオーバーフロー")});
    EXPECT_EQ(Image().OriginX, 2147483600);
}
