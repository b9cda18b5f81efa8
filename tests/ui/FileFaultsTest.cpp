// FileFaultsTest.cpp: the window when a save or the records file fails, or the records file holds damage.
#include "UiFixture.h"

#include <ostream>
#include <random>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include "files/FileHelpers.h"
#include "files/ReadOnlyFolder.h"
#include "files/TextFile.h"
#include "files/WriteLimit.h"

namespace {

const QString Solved = QStringLiteral("　　お　め　で　と　う　　");

// The message naming a file that could not be written.
QString WriteFailure(const QString& fileName)
{
    return QStringLiteral("ファイル「%1」に書き込めません: ").arg(fileName);
}

QString ReadFailure(const QString& fileName)
{
    return QStringLiteral("ファイル「%1」を読めません: ").arg(fileName);
}

// What the window shows of the problem in hand.
struct ProblemState {
    bool unsaved;
    bool saveEnabled;
    QString name;
    QString caption;
    std::int32_t bestSeconds;
    bool operator==(const ProblemState&) const = default;
};

void PrintTo(const ProblemState& s, std::ostream* os)
{
    *os << "{unsaved " << s.unsaved << ", save " << s.saveEnabled << ", name " << s.name.toStdString()
        << ", caption " << s.caption.toStdString() << ", best " << s.bestSeconds << "}";
}

}  // namespace

// Every test runs in a folder of its own, which is the current folder and so
// holds the records file; the window starts there.
class FileFaultsTest : public UiTest {
protected:
    QTemporaryDir scratch;
    QString work = scratch.filePath("work");
    QString previousFolder = QDir::currentPath();

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkdir(work));
        ASSERT_TRUE(QDir::setCurrent(work));
        UiTest::SetUp();
    }

    void TearDown() override
    {
        UiTest::TearDown();
        QDir::setCurrent(previousFolder);
    }

    // Closes the window and starts a new one in the current folder.
    void Restart()
    {
        form.reset();
        dialogs.Messages.clear();
        form = std::make_unique<TFormMain>(dialogs, clock);
        form->setWindowState(Qt::WindowNoState);
        form->resize(ImageWidth + 40 + 134, ImageHeight);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    ProblemState State() const
    {
        return {form->Session().Unsaved(), Button("ButtonSave")->isEnabled(), form->ProblemName(), form->windowTitle(),
                form->Session().BestSeconds()};
    }

    QString RecordsPath() const { return QDir(work).filePath(RecordsFileName); }

    // --- Problem creation -------------------------------------------------------

    // Draws (0,0), (0,1), (0,2) and ends the entry: an unsaved problem.
    void EnterProblem()
    {
        ChooseMenu(0);
        Click(Button("ButtonNyuuryokuBegin"));
        ASSERT_EQ(form->Session().GameMode(), ModeEntry);
        const QPoint end = Image().WorldToPixel(0, 2);
        form->ImageMouseMove(0, end.x(), end.y());
        QTest::mouseRelease(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, end);
        Click(Button("ButtonNyuuryokuEnd"));
        ASSERT_EQ(form->Puzzle().PointCount(), 3);
        ASSERT_TRUE(form->Session().Unsaved());
        ASSERT_TRUE(Button("ButtonSave")->isEnabled());
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
        EXPECT_TRUE(dialogs.Messages[0].startsWith(WriteFailure(target))) << dialogs.Messages[0].toStdString();
        EXPECT_EQ(State(), before);
        EXPECT_EQ(form->Puzzle().PointCount(), 3);
    }

    // The entered problem is saved after all, played and solved.
    void ExpectTheGameGoesOn()
    {
        const QString file = QDir(work).filePath("Vandrel7.txt");
        dialogs.Messages.clear();
        dialogs.Files = {file};
        Click(Button("ButtonSave"));
        EXPECT_TRUE(dialogs.Messages.empty());
        EXPECT_FALSE(form->Session().Unsaved());
        EXPECT_EQ(form->ProblemName(), QStringLiteral("Vandrel7"));
        EXPECT_EQ(SplitTextLines(ReadFileBytes(file)), Problem({{0, 0}, {0, 1}, {0, 2}}));

        ChooseMenu(1);
        Click(Button("ButtonStart"));
        ClickWorld(0, 0);
        ChooseOperation(OpR);
        EXPECT_EQ(dialogs.Messages, std::vector<QString>{Solved});
        EXPECT_TRUE(form->Puzzle().IsSolved());
    }

    // --- Play and records ------------------------------------------------------

    // Opens the corner path (0,0), (1,0), (1,1) as "Vandrel5"; the records file is read again.
    void OpenCorner()
    {
        const QString file = QDir(work).filePath("Vandrel5.txt");
        if (!QFile::exists(file))
            WriteFileAtomically(file, JoinTextLines(Problem({{0, 0}, {1, 0}, {1, 1}})));
        dialogs.Files = {file};
        ChooseMenu(1);
        Click(Button("ButtonOpenAll"));
        ASSERT_EQ(form->ProblemName(), QStringLiteral("Vandrel5"));
        ASSERT_EQ(form->Puzzle().PointCount(), 3);
    }

    // Plays the opened corner path to its end in `seconds`.
    void SolveIn(int seconds)
    {
        Click(Button("ButtonStart"));
        ASSERT_EQ(form->Session().GameMode(), ModePlay);
        clock.Now += seconds;
        form->TimerTimer();
        ClickWorld(1, 0);
        ChooseOperation(OpR);
        EXPECT_EQ(form->Session().GameMode(), ModeIdle);
        EXPECT_TRUE(form->Puzzle().IsSolved());
    }

    static QByteArray Stored(const QByteArray& name, int seconds, const QDate& date)
    {
        return RecordLine(name, QByteArray::number(seconds),
                          ToShiftJis(QLocale::system().toString(date, QLocale::ShortFormat)));
    }

    QByteArray Stored(const QByteArray& name, int seconds) const { return Stored(name, seconds, clock.Date); }

    QList<QByteArray> RecordLines() const { return SplitByteLines(ReadAll(RecordsPath())); }

    // Files left in the work folder: a failed write leaves no temporary file behind.
    QStringList FilesInWork() const
    {
        return QDir(work).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

// --- Saving a problem ------------------------------------------------------------

TEST_F(FileFaultsTest, SaveWhereTheFolderIsAPlainFile)
{
    EnterProblem();
    WriteAll(QDir(work).filePath("plain"), "a plain file");
    ExpectSaveRefused(QDir(work).filePath("plain/Vandrel7.txt"), Button("ButtonSave"));
    EXPECT_EQ(ReadAll(QDir(work).filePath("plain")), QByteArray("a plain file"));
    ExpectTheGameGoesOn();
}

TEST_F(FileFaultsTest, SaveIntoAReadOnlyFolderLeavesTheOldFile)
{
    EnterProblem();
    const QString locked = QDir(work).filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    const QString target = locked + "/Vandrel7.txt";
    const QByteArray old = JoinTextLines(Problem({{0, 0}, {1, 0}}));
    WriteAll(target, old);
    {
        ReadOnlyFolder readOnly(work, locked);
        PermissionsHold hold;
        if (!PermissionsHold::CannotCreateIn(locked))
            GTEST_SKIP() << "this process may write into any folder";
        ExpectSaveRefused(target, Button("ButtonSave"));
    }
    EXPECT_EQ(ReadAll(target), old);
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"Vandrel7.txt"});
    ExpectTheGameGoesOn();
}

TEST_F(FileFaultsTest, SaveOverAFolderLeavesItAsItWas)
{
    EnterProblem();
    const QString target = QDir(work).filePath("Vandrel7.txt");
    ASSERT_TRUE(QDir().mkdir(target));
    WriteAll(target + "/inside", "kept");
    ExpectSaveRefused(target, Button("ButtonSave"));
    EXPECT_EQ(QDir(target).entryList(QDir::Files | QDir::Hidden), QStringList{"inside"});
    EXPECT_EQ(ReadAll(target + "/inside"), QByteArray("kept"));
    ASSERT_TRUE(QDir(target).removeRecursively());
    ExpectTheGameGoesOn();
}

TEST_F(FileFaultsTest, SaveOnAFullDiskLeavesTheOldFile)
{
    EnterProblem();
    const QString target = QDir(work).filePath("Vandrel7.txt");
    const QByteArray old = JoinTextLines(BuiltInSampleLines());
    WriteAll(target, old);
    for (const rlim_t room : {rlim_t{0}, rlim_t{10}}) {
        WriteLimit limit(room);
        ExpectSaveRefused(target, Button("ButtonSave"));
    }
    EXPECT_EQ(ReadAll(target), old);
    EXPECT_EQ(FilesInWork(), (QStringList{RecordsFileName, "Vandrel7.txt"}));
    ExpectTheGameGoesOn();
}

TEST_F(FileFaultsTest, SaveWithUnderscoreOnAFullDiskKeepsTheOpenedProblemsName)
{
    OpenCorner();
    const ProblemState before = State();
    ASSERT_EQ(before.caption, QStringLiteral("ソラドミ　Vandrel5     60000分 0秒"));
    const QString target = QDir(work).filePath("Vandrel5_.txt");
    WriteAll(target, "old");
    {
        WriteLimit limit(0);
        ExpectSaveRefused(target, Button("ButtonSaveAll"));
    }
    EXPECT_EQ(dialogs.SaveProposals.back(), QStringLiteral("Vandrel5_"));
    EXPECT_EQ(ReadAll(target), QByteArray("old"));
    SolveIn(42);
    EXPECT_EQ(RecordLines(), QList<QByteArray>{Stored("Vandrel5", 42)});
}

// --- The records file: it cannot be written ----------------------------------------

TEST_F(FileFaultsTest, RecordsFileThatIsAFolderIsReportedAndThePlayGoesOn)
{
    form.reset();
    ASSERT_TRUE(QFile::remove(RecordsPath()));
    ASSERT_TRUE(QDir().mkdir(RecordsPath()));
    WriteAll(RecordsPath() + "/inside", "kept");
    Restart();
    ASSERT_EQ(dialogs.Messages.size(), 1u) << "reported at start-up";
    EXPECT_TRUE(dialogs.Messages[0].startsWith(ReadFailure(RecordsFileName))) << dialogs.Messages[0].toStdString();

    dialogs.Messages.clear();
    OpenCorner();
    ASSERT_EQ(dialogs.Messages.size(), 1u) << "reported when a problem is opened";
    EXPECT_TRUE(dialogs.Messages[0].startsWith(ReadFailure(RecordsFileName)));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5     60000分 0秒"));

    dialogs.Messages.clear();
    SolveIn(42);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], Solved);
    EXPECT_TRUE(dialogs.Messages[1].startsWith(WriteFailure(RecordsFileName))) << dialogs.Messages[1].toStdString();
    EXPECT_EQ(QDir(RecordsPath()).entryList(QDir::Files | QDir::Hidden), QStringList{"inside"});
    EXPECT_EQ(ReadAll(RecordsPath() + "/inside"), QByteArray("kept"));
    EXPECT_EQ(form->Session().BestSeconds(), 42);
    EXPECT_FALSE(form->Session().Unsaved());

    // With the folder gone, the next open writes the list, the record of the
    // play above included, and the next faster play is stored.
    ASSERT_TRUE(QDir(RecordsPath()).removeRecursively());
    dialogs.Messages.clear();
    OpenCorner();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(RecordLines(), QList<QByteArray>{Stored("Vandrel5", 42)});
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5         0分42秒"));
    SolveIn(30);
    EXPECT_EQ(RecordLines(), QList<QByteArray>{Stored("Vandrel5", 30)});
}

TEST_F(FileFaultsTest, RecordsOnAFullDiskLeaveTheOldFileAndOtherRecords)
{
    const QList<QByteArray> others{RecordLine("Alpha", "17", "2020/01/01"), RecordLine("Zeta", "9", "2021/02/02")};
    const QByteArray old = JoinByteLines(others);
    WriteAll(RecordsPath(), old);
    OpenCorner();
    dialogs.Messages.clear();
    {
        WriteLimit limit(10);
        SolveIn(42);
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], Solved);
    EXPECT_TRUE(dialogs.Messages[1].startsWith(WriteFailure(RecordsFileName))) << dialogs.Messages[1].toStdString();
    EXPECT_EQ(ReadAll(RecordsPath()), old);
    EXPECT_EQ(FilesInWork(), (QStringList{RecordsFileName, "Vandrel5.txt"}));

    // The next faster play finds room and keeps both other records.
    dialogs.Messages.clear();
    SolveIn(41);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Solved});
    EXPECT_EQ(RecordLines(), (QList<QByteArray>{others[0], Stored("Vandrel5", 41), others[1]}));
}

TEST_F(FileFaultsTest, RecordsInAReadOnlyFolderLeaveTheOldFile)
{
    const QString locked = QDir(work).filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(QDir::setCurrent(locked));
    const QByteArray old = JoinByteLines({RecordLine("Alpha", "17", "2020/01/01")});
    WriteAll(RecordsFileName, old);
    const QString problem = QDir(locked).filePath("Vandrel5.txt");
    WriteAll(problem, JoinTextLines(Problem({{0, 0}, {1, 0}, {1, 1}})));
    dialogs.Files = {problem};
    ChooseMenu(1);
    Click(Button("ButtonOpenAll"));
    ASSERT_EQ(form->ProblemName(), QStringLiteral("Vandrel5"));
    dialogs.Messages.clear();
    {
        ReadOnlyFolder readOnly(work, locked);
        PermissionsHold hold;
        if (!PermissionsHold::CannotCreateIn(locked))
            GTEST_SKIP() << "this process may write into any folder";
        SolveIn(42);
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], Solved);
    EXPECT_TRUE(dialogs.Messages[1].startsWith(WriteFailure(RecordsFileName))) << dialogs.Messages[1].toStdString();
    EXPECT_EQ(ReadAll(RecordsFileName), old);
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{RecordsFileName, "Vandrel5.txt"}));

    dialogs.Messages.clear();
    SolveIn(41);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Solved});
    EXPECT_EQ(SplitByteLines(ReadAll(RecordsFileName)),
              (QList<QByteArray>{RecordLine("Alpha", "17", "2020/01/01"), Stored("Vandrel5", 41)}));
}

TEST_F(FileFaultsTest, RecordsFileThatCannotBeReadIsNeverReplaced)
{
    const QByteArray old = JoinByteLines({RecordLine("Alpha", "17", "2020/01/01")});
    WriteAll(RecordsPath(), old);
    {
        TemporaryMode scratchMode(scratch.path(), 0755);
        TemporaryMode workMode(work, 0777);
        TemporaryMode fileMode(RecordsPath(), 0222);
        PermissionsHold hold;
        if (!PermissionsHold::CannotRead(RecordsPath()))
            GTEST_SKIP() << "this process may read any file";
        OpenCorner();
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_TRUE(dialogs.Messages[0].startsWith(ReadFailure(RecordsFileName))) << dialogs.Messages[0].toStdString();
        EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5     60000分 0秒"));

        dialogs.Messages.clear();
        SolveIn(42);
        ASSERT_EQ(dialogs.Messages.size(), 2u);
        EXPECT_EQ(dialogs.Messages[0], Solved);
        EXPECT_TRUE(dialogs.Messages[1].startsWith(ReadFailure(RecordsFileName))) << dialogs.Messages[1].toStdString();
    }
    EXPECT_EQ(ReadAll(RecordsPath()), old);

    // Readable again, the file gives its records back and takes the next one.
    OpenCorner();
    dialogs.Messages.clear();
    SolveIn(41);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Solved});
    EXPECT_EQ(RecordLines(), (QList<QByteArray>{RecordLine("Alpha", "17", "2020/01/01"), Stored("Vandrel5", 41)}));
}

// --- The records file: what it holds is damaged ------------------------------------

TEST_F(FileFaultsTest, BinaryJunkRecordsAreKeptLineForLine)
{
    std::mt19937 random(8122026);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray junk;
    for (int i = 0; i < 16 * 1024; ++i)
        junk += static_cast<char>(byte(random));
    WriteAll(RecordsPath(), junk);
    Restart();
    EXPECT_TRUE(dialogs.Messages.empty());

    OpenCorner();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(form->Session().BestSeconds(), NoRecordSeconds);
    SolveIn(42);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Solved});

    QList<QByteArray> expected = SplitByteLines(junk);
    expected.insert(form->RecordLine(), Stored("Vandrel5", 42));
    EXPECT_EQ(ReadAll(RecordsPath()), JoinByteLines(expected));
}

TEST_F(FileFaultsTest, UnsortedRecordsLoseNoLine)
{
    const QList<QByteArray> lines{RecordLine("Zeta", "5", "2020/01/01"), RecordLine("Alpha", "7", "2020/01/02"),
                                  RecordLine("Vandrel5", "100", "2020/01/03")};
    WriteAll(RecordsPath(), JoinByteLines(lines));
    OpenCorner();
    EXPECT_TRUE(dialogs.Messages.empty());
    // The lookup stops at the first name not below "Vandrel5" and adds the
    // problem's line there; the record further down stays as it is.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5     60000分 0秒"));
    SolveIn(200);
    EXPECT_EQ(RecordLines(), (QList<QByteArray>{Stored("Vandrel5", 200), lines[0], lines[1], lines[2]}));
}

TEST_F(FileFaultsTest, DuplicateRecordsUseAndReplaceTheFirst)
{
    const QList<QByteArray> lines{RecordLine("Beta", "10", "2020/01/01"), RecordLine("Vandrel5", "100", "2020/01/02"),
                                  RecordLine("Vandrel5", "50", "2020/01/03"), RecordLine("Zeta", "3", "2020/01/04")};
    WriteAll(RecordsPath(), JoinByteLines(lines));
    OpenCorner();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5         1分40秒"));
    SolveIn(80);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Solved});
    EXPECT_EQ(RecordLines(), (QList<QByteArray>{lines[0], Stored("Vandrel5", 80), lines[2], lines[3]}));
}

TEST_F(FileFaultsTest, MegabyteLinesAndThousandsOfRecordsAreKept)
{
    QList<QByteArray> lines;
    for (int i = 0; i < 3000; ++i)
        lines.append(RecordLine("P" + QByteArray::number(i).rightJustified(6, '0'), QByteArray::number(i), "2020/01/01"));
    lines.append(RecordLine("Vandrel4", "1", "2020/01/02") + QByteArray(1 << 20, '4'));
    lines.append(RecordLine("Vandrel5", "100", "2020/01/03") + QByteArray(1 << 20, '5'));
    lines.append(QByteArray(1 << 20, 'z'));
    WriteAll(RecordsPath(), JoinByteLines(lines));
    OpenCorner();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ　Vandrel5         1分40秒"));
    SolveIn(42);
    QList<QByteArray> expected = lines;
    expected[3001] = Stored("Vandrel5", 42);
    EXPECT_EQ(RecordLines(), expected);
}

TEST_F(FileFaultsTest, MoreRecordsThanLineNumbersReportAnOverflowAndWriteNothing)
{
    QList<QByteArray> lines;
    for (int i = 0; i < 70000; ++i)
        lines.append(RecordLine("P" + QByteArray::number(i).rightJustified(6, '0'), QByteArray::number(i)));
    const QByteArray old = JoinByteLines(lines);
    WriteAll(RecordsPath(), old);
    OpenCorner();
    // "Vandrel5" would be line 70001, past what a line number holds.
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{QStringLiteral("整数のオーバーフロー")});
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ソラドミ"));

    dialogs.Messages.clear();
    SolveIn(42);
    EXPECT_EQ(dialogs.Messages, (std::vector<QString>{Solved, QStringLiteral("整数のオーバーフロー")}));
    EXPECT_EQ(ReadAll(RecordsPath()), old);
}
