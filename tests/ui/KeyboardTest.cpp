// KeyboardTest.cpp: shortcuts for the buttons, a play from the keyboard, redo, and fitting the view.
#include "UiFixture.h"

#include <functional>

#include <QPlainTextEdit>
#include <QScrollBar>

#include "ui/PlayOverlay.h"

class KeyboardTest : public UiTest {
protected:
    static constexpr int Covered = TPlayOverlay::Width + 2 * TPlayOverlay::Inset;

    void SetUp() override
    {
        UiTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form.get(), static_cast<Qt::Key>(key), mods);
    }

    // Presses "]" or "[" until point `index` is selected, then the operation's letter.
    void MoveByKeys(int op, int index)
    {
        for (int guard = 0; guard < 300 && form->Puzzle().SelectedPivot() != index; ++guard)
            Key(form->Puzzle().SelectedPivot() < index ? Qt::Key_BracketRight : Qt::Key_BracketLeft);
        ASSERT_EQ(form->Puzzle().SelectedPivot(), index);
        ASSERT_TRUE(Group("RadioGroupSousa")->isVisible());
        Key(op == OpR ? Qt::Key_R : op == OpL ? Qt::Key_L : op == OpH ? Qt::Key_H : Qt::Key_V);
    }

    // Every point of the path at least `margin` pixels inside the picture,
    // and left of a strip of `covered` pixels on its right.
    bool PathInView(int margin, int covered = 0)
    {
        const TPuzzle& p = form->Puzzle();
        const QRect inside = Image().rect().adjusted(margin, margin, -margin - covered, -margin);
        for (int i = 1; i <= p.PointCount(); ++i) {
            if (!inside.contains(Image().WorldToPixel(p.Work(i).X, p.Work(i).Y)))
                return false;
        }
        return true;
    }
};

TEST_F(KeyboardTest, EachShortcutPressesItsButtonOnlyWhenThatIsEnabledAndShown)
{
    struct Case {
        QKeySequence Key;
        std::function<int()> Effect;  // grows by one each time the button acts
    };
    int helpToggles = 0;
    const Case cases[] = {
        {QKeySequence::Open, [&] { return dialogs.OpenDialogs; }},
        {QKeySequence::Save, [&] { return static_cast<int>(dialogs.SaveProposals.size()); }},
        {QKeySequence::HelpContents, [&] { return helpToggles; }},
    };
    QObject::connect(Button("ButtonSetsumei"), &QPushButton::clicked, [&] { ++helpToggles; });

    // Before a mode is chosen open and save are out of sight; help is always there.
    for (const Case& c : cases)
        EXPECT_EQ(c.Effect(), 0);
    for (const Case& c : cases)
        QTest::keySequence(form.get(), c.Key);
    EXPECT_EQ(dialogs.OpenDialogs, 0);
    EXPECT_TRUE(dialogs.SaveProposals.empty());
    EXPECT_EQ(helpToggles, 1);

    ChooseMenu(MenuPuzzle);
    for (const Case& c : cases) {
        const int before = c.Effect();
        QTest::keySequence(form.get(), c.Key);
        EXPECT_EQ(c.Effect(), before + 1) << c.Key.toString().toStdString();
    }
    EXPECT_EQ(dialogs.SaveProposals.back(), Messages::SampleName + "_") << "the play panel's save";

    Click(Button("ButtonStart"));  // open and save are disabled during a play
    QTest::keySequence(form.get(), QKeySequence::Open);
    QTest::keySequence(form.get(), QKeySequence::Save);
    EXPECT_EQ(dialogs.OpenDialogs, 1);
    EXPECT_EQ(dialogs.SaveProposals.size(), 1u);

    ChooseMenu(MenuCreation);
    QTest::keySequence(form.get(), QKeySequence::Save);
    EXPECT_EQ(dialogs.SaveProposals.back(), Messages::SampleName) << "the creation panel's save";
}

TEST_F(KeyboardTest, UndoAndRedoKeysFollowTheirButtons)
{
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonStart"));
    Key(Qt::Key_Z, Qt::ControlModifier);  // nothing to take back
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    MoveByKeys(OpV, 25);
    MoveByKeys(OpV, 40);
    const Coords afterTwo = WorkCoords(form->Puzzle());
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(0));
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(WorkCoords(form->Puzzle()), afterTwo);
    EXPECT_EQ(Label("LabelTesuu")->text(), Messages::MoveCounter(2));
    EXPECT_FALSE(Button("ButtonRedo")->isEnabled());

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Button("ButtonRedo")->isEnabled());
    Click(Button("ButtonPause"));  // a paused play takes no moves back or again
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->Puzzle().MoveCount(), 1);
    Click(Button("ButtonContinue"));
    MoveByKeys(OpH, 19);
    EXPECT_FALSE(Button("ButtonRedo")->isEnabled()) << "a new move forgets what could be redone";
}

TEST_F(KeyboardTest, AWholePlayOfTheSampleFromTheKeyboard)
{
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonStart"));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(form->Puzzle().SelectedPivot(), 1) << "the first key selects point 1";
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
    EXPECT_EQ(form->Puzzle().MoveCount(), 0);
    const std::pair<int, int> moves[] = {
        {OpV, 25}, {OpV, 40}, {OpV, 57}, {OpV, 65}, {OpV, 13}, {OpV, 5},  {OpH, 19}, {OpH, 33},
        {OpH, 43}, {OpH, 52}, {OpH, 62}, {OpH, 68}, {OpH, 9},  {OpH, 3},  {OpR, 69}, {OpL, 67},
        {OpR, 64}, {OpL, 60}, {OpR, 55}, {OpL, 49}, {OpR, 44}, {OpL, 43}, {OpR, 37}, {OpL, 29},
        {OpR, 22}, {OpL, 16}, {OpR, 11}, {OpL, 7},  {OpR, 4},  {OpL, 2},  {OpR, 1},
    };
    for (const auto& [op, pivot] : moves)
        MoveByKeys(op, pivot);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{Messages::Solved});
    EXPECT_EQ(form->Game().GameMode(), ModeIdle);
}

TEST_F(KeyboardTest, HomeFitsTheWholePathAtTheLargestZoomThatHoldsIt)
{
    // A square spiral of 255 points and a straight path of 255 points.
    Coords spiral{{0, 0}};
    for (int leg = 1; spiral.size() < 255; ++leg) {
        const int dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
        for (int step = 0; step < (leg + 1) / 2 && spiral.size() < 255; ++step)
            spiral.emplace_back(spiral.back().first + dx[(leg - 1) % 4], spiral.back().second + dy[(leg - 1) % 4]);
    }
    Coords straight;
    for (int i = 0; i < 255; ++i)
        straight.emplace_back(i, 0);
    // The spiral spans 15 by 15 units and fits beside the progress panel; the
    // straight path spans 254 by 0, too wide for that even at the smallest zoom.
    const struct {
        Coords Path;
        QSize Span;
        int Covered;
    } cases[] = {{spiral, {15, 15}, Covered}, {straight, {254, 0}, 0}};
    for (const auto& [path, span, covered] : cases) {
        ASSERT_TRUE(form->LoadProblemText(ProblemLines(path)));
        Key(Qt::Key_Right, Qt::ShiftModifier);  // off to one side first
        Key(Qt::Key_Home);
        EXPECT_TRUE(PathInView(TGameView::FitMargin - 1, covered)) << "centred, to the pixel";
        const int unit = Slider("TrackBarUnit")->value();
        EXPECT_EQ(Image().Unit, unit);
        const int next = unit + 1;
        EXPECT_TRUE(unit == Slider("TrackBarUnit")->maximum() ||
                    span.width() * next + 2 * TGameView::FitMargin > ImageWidth - covered ||
                    span.height() * next + 2 * TGameView::FitMargin > ImageHeight)
            << "one step more would still hold it, unit " << unit;
    }
}

TEST_F(KeyboardTest, CtrlPlusAndMinusZoomAStepAsTheSliderDoes)
{
    const int unit = Slider("TrackBarUnit")->value();
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Plus, 1}, {Qt::Key_Equal, 2}, {Qt::Key_Minus, 1}};
    for (const auto& [key, steps] : keys) {
        Key(key, Qt::ControlModifier);
        EXPECT_EQ(Slider("TrackBarUnit")->value(), unit + steps);
        EXPECT_EQ(Image().Unit, unit + steps);
    }
}

// The help text, clicked into, pages with Page Down: no point is picked.
TEST_F(KeyboardTest, TheHelpTextKeepsItsPagingKeys)
{
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonStart"));
    Key(Qt::Key_F1);
    QPlainTextEdit* help = Memo("MemoSetsumei");
    help->setFocus();
    QTest::keyClick(help, Qt::Key_PageDown);
    EXPECT_GT(help->verticalScrollBar()->value(), 0);
    EXPECT_EQ(form->Puzzle().SelectedPivot(), 0);
}
