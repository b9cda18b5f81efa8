// FileFaultsTest.cpp: the window when a problem file cannot be read or holds no problem, a save fails, or the records file cannot be read or written: the message is shown and the game goes on.
#include "UiFixture.h"

#include <ostream>
#include <variant>

#include <QDir>
#include <QFile>

#include "files/WriteLimit.h"

namespace {

// What the window shows of the problem in hand.
struct ProblemState {
    bool unsaved;
    bool saveEnabled;
    QString name;
    QString caption;
    std::int32_t bestSeconds;
    Coords path;
    bool operator==(const ProblemState&) const = default;
};

void PrintTo(const ProblemState& s, std::ostream* os)
{
    *os << "{unsaved " << s.unsaved << ", save " << s.saveEnabled << ", name " << s.name.toStdString()
        << ", caption " << s.caption.toStdString() << ", best " << s.bestSeconds << ", path " << Show(s.path) << "}";
}

}  // namespace

class FileFaultsTest : public UiTest {
protected:
    ProblemState State() const
    {
        return {form->Game().Unsaved(), Button("ButtonSave")->isEnabled(), form->ProblemName(), form->windowTitle(),
                form->Game().BestSeconds(), WorkCoords(form->Puzzle())};
    }

    // Files in the test's folder: a failed write leaves no temporary file behind.
    static QStringList FilesHere()
    {
        return QDir::current().entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    // Opens `file`, which the window must refuse with one message: the
    // problem, its name and the caption stay as they were. Gives the message.
    QString OpenRefused(const QString& file)
    {
        const ProblemState before = State();
        dialogs.Messages.clear();
        dialogs.Files = {file};
        Click(Button("ButtonOpenAll"));
        EXPECT_EQ(State(), before);
        EXPECT_EQ(dialogs.Messages.size(), 1u);
        return dialogs.Messages.empty() ? QString() : dialogs.Messages[0];
    }

    // A save to `target` that fails: one message naming the file, and the
    // problem, its name and the caption as they were.
    void ExpectSaveRefused(const QString& target, QPushButton* button)
    {
        const ProblemState before = State();
        dialogs.Messages.clear();
        dialogs.Files = {target};
        Click(button);
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_TRUE(Begins(dialogs.Messages[0], WriteFailure(target)));
        EXPECT_EQ(State(), before);
    }

    // The corner path opened before is played to its end and its record stored.
    void ExpectThePlayGoesOn()
    {
        dialogs.Messages.clear();
        SolveCornerIn(42);
        EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});
        EXPECT_EQ(RecordLines(), QList<QByteArray>{StoredLine("Vandrel5", 42, clock.Date)});
    }
};

TEST_F(FileFaultsTest, UnreadableProblemFileIsReportedAndThePlayGoesOn)
{
    OpenCorner();
    for (const QString& file : {QDir::current().filePath("Missing.txt"), QDir::current().path()})
        EXPECT_TRUE(Begins(OpenRefused(file), ReadFailure(file)));
    ExpectThePlayGoesOn();
}

TEST_F(FileFaultsTest, InvalidProblemFileIsReportedByLineAndThePlayGoesOn)
{
    OpenCorner();
    // Point 2 lies two units from point 1.
    const QByteArray text = "   3\r\n   0   0\r\n   2   0\r\n   3   0\r\n";
    const QString bad = QDir::current().filePath("Bad.txt");
    WriteAll(bad, text);
    const ProblemParse parse = ParseProblemLines(SplitTextLines(text));
    ASSERT_TRUE(std::holds_alternative<ProblemError>(parse));
    const ProblemError& error = std::get<ProblemError>(parse);
    EXPECT_EQ(OpenRefused(bad), Messages::ProblemLineError("Bad.txt", error.Line, error.Message));
    ExpectThePlayGoesOn();
}

TEST_F(FileFaultsTest, FailedSaveIsReportedAndTheProblemAndItsNameStay)
{
    // An entered problem, unsaved, saved over an older file on a full disk.
    BeginEntry();
    CommitAt(0, 2);
    Click(Button("ButtonNyuuryokuEnd"));
    ASSERT_TRUE(form->Game().Unsaved());
    const QString target = QDir::current().filePath("Vandrel7.txt");
    const QByteArray old = JoinTextLines(BuiltInSampleLines());
    WriteAll(target, old);
    for (const rlim_t room : {rlim_t{0}, rlim_t{10}}) {
        WriteLimit limit(room);
        ExpectSaveRefused(target, Button("ButtonSave"));
    }
    EXPECT_EQ(ReadAll(target), old);
    EXPECT_EQ(FilesHere(), (QStringList{RecordsFileName, "Vandrel7.txt"}));

    // Once there is room the save works, and the problem is played.
    dialogs.Messages.clear();
    dialogs.Files = {target};
    Click(Button("ButtonSave"));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(form->Game().Unsaved());
    EXPECT_EQ(form->ProblemName(), QStringLiteral("Vandrel7"));
    EXPECT_EQ(SplitTextLines(ReadFileBytes(target)), ProblemLines({{0, 0}, {0, 1}, {0, 2}}));
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonStart"));
    ClickWorld(0, 0);
    ChooseOperation(OpR);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});

    // A copy under another name fails alike and keeps the problem's own name.
    {
        WriteLimit limit(0);
        ExpectSaveRefused(QDir::current().filePath("Vandrel7_.txt"), Button("ButtonSaveAll"));
    }
    EXPECT_EQ(dialogs.SaveProposals.back(), QStringLiteral("Vandrel7_"));
}

TEST_F(FileFaultsTest, RecordsFileThatCannotBeReadIsReportedAndThePlayGoesOn)
{
    // A folder in the records file's place can be neither read nor replaced.
    form.reset();
    ASSERT_TRUE(QFile::remove(RecordsFileName));
    ASSERT_TRUE(QDir().mkdir(RecordsFileName));
    WriteAll(RecordsFileName + "/inside", "kept");
    dialogs.Messages.clear();
    OpenWindow(form, dialogs, clock);
    ASSERT_EQ(dialogs.Messages.size(), 1u) << "reported at start-up";
    EXPECT_TRUE(Begins(dialogs.Messages[0], ReadFailure(RecordsFileName)));

    dialogs.Messages.clear();
    OpenCorner();
    ASSERT_EQ(dialogs.Messages.size(), 1u) << "reported when a problem is opened";
    EXPECT_TRUE(Begins(dialogs.Messages[0], ReadFailure(RecordsFileName)));
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor("Vandrel5", NoRecordSeconds));

    dialogs.Messages.clear();
    SolveCornerIn(42);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], Messages::Solved);
    EXPECT_TRUE(Begins(dialogs.Messages[1], WriteFailure(RecordsFileName)));
    EXPECT_EQ(QDir(RecordsFileName).entryList(QDir::Files | QDir::Hidden), QStringList{"inside"});
    EXPECT_EQ(ReadAll(RecordsFileName + "/inside"), QByteArray("kept"));
    EXPECT_EQ(form->Game().BestSeconds(), 42);

    // With the folder gone, the next open writes the list, the record of the
    // play above included, and the next faster play is stored.
    ASSERT_TRUE(QDir(RecordsFileName).removeRecursively());
    dialogs.Messages.clear();
    OpenCorner();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(RecordLines(), QList<QByteArray>{StoredLine("Vandrel5", 42, clock.Date)});
    EXPECT_EQ(form->windowTitle(), Messages::CaptionFor("Vandrel5", 42));
    SolveCornerIn(30);
    EXPECT_EQ(RecordLines(), QList<QByteArray>{StoredLine("Vandrel5", 30, clock.Date)});
}

// The window closed while the solving move is still in motion: its record,
// which cannot be written, is reported, and the window closes all the same.
TEST_F(FileFaultsTest, RecordThatCannotBeWrittenAsTheWindowClosesIsReported)
{
    OpenCorner();
    ASSERT_TRUE(QFile::remove(RecordsFileName));
    ASSERT_TRUE(QDir().mkdir(RecordsFileName));
    Control<QCheckBox>("CheckBoxMotion")->setChecked(true);
    Click(Button("ButtonStart"));
    Pass(42);
    ClickWorld(1, 0);
    ChooseOperation(OpR);
    ASSERT_TRUE(form->Game().Busy()) << "the move is in motion";
    dialogs.Messages.clear();
    EXPECT_NO_THROW(form->close());
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(Begins(dialogs.Messages[0], WriteFailure(RecordsFileName)));
    EXPECT_FALSE(form->Game().Busy());
}

TEST_F(FileFaultsTest, RecordsFileThatCannotBeWrittenIsReportedAndThePlayGoesOn)
{
    const QList<QByteArray> others{RecordLine("Alpha", "17", "2020/01/01"), RecordLine("Zeta", "9", "2021/02/02")};
    const QByteArray old = JoinByteLines(others);
    WriteAll(RecordsFileName, old);
    OpenCorner();
    dialogs.Messages.clear();
    {
        WriteLimit limit(10);  // a full disk
        SolveCornerIn(42);
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], Messages::Solved);
    EXPECT_TRUE(Begins(dialogs.Messages[1], WriteFailure(RecordsFileName)));
    EXPECT_EQ(ReadAll(RecordsFileName), old);
    EXPECT_EQ(FilesHere(), (QStringList{RecordsFileName, "Vandrel5.txt"}));

    // The next faster play finds room and keeps both other records.
    dialogs.Messages.clear();
    SolveCornerIn(41);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});
    EXPECT_EQ(RecordLines(), (QList<QByteArray>{others[0], StoredLine("Vandrel5", 41, clock.Date), others[1]}));
}
