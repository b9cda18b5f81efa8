// ViewTest.cpp: zooming and panning the picture, and what the redraw shows.
#include "UiFixture.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>
#include <QSlider>

TEST_F(UiTest, ZoomKeepsTheViewCentreInTheMiddle)
{
    PlaceOrigin(350, 300);
    ASSERT_DOUBLE_EQ(form->Game().View().Window().CenterX, 2.5);
    Slider("TrackBarUnit")->setValue(40);
    EXPECT_EQ(Image().Unit, 40);
    EXPECT_EQ(Image().FontSize(), 40);
    EXPECT_EQ(Image().OriginX, 300);
    EXPECT_EQ(Image().OriginY, 300);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Left, -7.5);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Right, 12.5);
}

TEST_F(UiTest, ResizeKeepsTheCentreAndTheScale)
{
    form->resize(1000 + 40 + 134, 700);
    EXPECT_EQ(Image().width(), 1000);
    EXPECT_EQ(Image().height(), 700);
    EXPECT_EQ(Image().OriginX, 500);
    EXPECT_EQ(Image().OriginY, 350);
    EXPECT_EQ(Image().Unit, 20);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Right, 25);
    // The path is drawn over the whole new picture.
    EXPECT_EQ(QColor(PixelAtWorld(1, 1)), QColor(Qt::red));
}

TEST_F(UiTest, ArrowKeysMoveTheViewOverTheWorld)
{
    QTest::keyClick(form.get(), Qt::Key_Left);
    EXPECT_EQ(Image().OriginX, 420);
    QTest::keyClick(form.get(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Image().OriginX, 520);
    QTest::keyClick(form.get(), Qt::Key_Up);
    EXPECT_EQ(Image().OriginY, 320);
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(Image().OriginX, 500);
    QTest::keyClick(form.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Image().OriginY, 220);
    EXPECT_DOUBLE_EQ(form->Game().View().Window().Left, -25);
}

TEST_F(UiTest, ArrowKeysAreTakenBeforeTheFocusedControl)
{
    // A focused slider would move its own thumb on an arrow key.
    Slider("TrackBarWait")->setFocusPolicy(Qt::StrongFocus);
    ChooseMenu(1);
    Click(Button("ButtonJidou"));
    Slider("TrackBarWait")->setFocus();
    QTest::keyClick(Slider("TrackBarWait"), Qt::Key_Right);
    EXPECT_EQ(Slider("TrackBarWait")->value(), 3);
    EXPECT_EQ(Image().OriginX, 380);
}

TEST_F(UiTest, OtherKeysChangeNothingAndPassOn)
{
    EXPECT_FALSE(form->FormKeyDown(Qt::Key_A, Qt::NoModifier));
    EXPECT_FALSE(form->FormKeyDown(Qt::Key_Space, Qt::ShiftModifier));
    // A line edit still gets its letters through the window's preview.
    QLineEdit edit(form.get());
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("a "));
    EXPECT_EQ(edit.text(), QStringLiteral("a "));
    EXPECT_EQ(Image().OriginX, 400);
    EXPECT_EQ(Image().OriginY, 300);
}

TEST_F(UiTest, ArrowButtonsMoveTheDrawingAndADoubleClickFiveTimes)
{
    QTest::mousePress(Button("ButtonLeft"), Qt::LeftButton);
    QTest::mouseRelease(Button("ButtonLeft"), Qt::LeftButton);
    EXPECT_EQ(Image().OriginX, 380);
    QTest::mouseClick(Button("ButtonUp"), Qt::LeftButton);
    EXPECT_EQ(Image().OriginY, 280);
    QTest::mouseClick(Button("ButtonDown"), Qt::RightButton);  // any button
    EXPECT_EQ(Image().OriginY, 300);

    // The second press of a double click carries the double-click flag.
    QTest::mouseClick(Button("ButtonRight"), Qt::LeftButton);
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(5, 5), Button("ButtonRight")->mapToGlobal(QPointF(5, 5)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Button("ButtonRight"), &second);
    QTest::mouseRelease(Button("ButtonRight"), Qt::LeftButton);
    EXPECT_EQ(Image().OriginX, 380 + 20 + 100);
}

TEST_F(UiTest, ControlDragAndMiddleDragPanPixelForPixel)
{
    const std::pair<Qt::MouseButton, Qt::KeyboardModifiers> drags[] = {{Qt::LeftButton, Qt::ControlModifier},
                                                                        {Qt::MiddleButton, Qt::NoModifier}};
    ChooseMenu(MenuPuzzle);
    Click(Button("ButtonStart"));
    for (const auto& [button, mods] : drags) {
        PlaceOrigin(400, 300);
        // Pressed on a point of the path: in a play it picks nothing.
        const QPoint start = Image().WorldToPixel(0, 1);
        QTest::mousePress(form->PlotImage(), button, mods, start);
        EXPECT_TRUE(form->Game().Dragging());
        EXPECT_FALSE(Group("RadioGroupSousa")->isVisible());
        form->Game().MouseMove(start.x() + 15, start.y() - 5);
        form->Game().MouseMove(start.x() + 30, start.y() - 10);  // control may be let go
        EXPECT_EQ(Image().OriginX, 430);
        EXPECT_EQ(Image().OriginY, 290);
        QTest::mouseRelease(form->PlotImage(), button, Qt::NoModifier, start + QPoint(30, -10));
        EXPECT_FALSE(form->Game().Dragging());
        form->Game().MouseMove(200, 200);
        EXPECT_EQ(Image().OriginX, 430);
        EXPECT_EQ(Image().OriginY, 290);
    }
}

TEST_F(UiTest, TheWheelZoomsAboutTheWorldPointUnderThePointer)
{
    QSlider* zoom = Slider("TrackBarUnit");
    // Notches turned, and the zoom bar's step after them: one step a notch, within its limits.
    const std::pair<int, int> turns[] = {{1, 21}, {3, 24}, {-5, 19}, {40, 40}, {1, 40}, {-100, 3}};
    const QPoint at(613, 157);
    for (const auto& [notches, unit] : turns) {
        const QPointF before = Image().PixelToWorld(at.x(), at.y());
        QWheelEvent wheel(at, Image().mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->PlotImage(), &wheel);
        EXPECT_EQ(zoom->value(), unit) << notches;
        EXPECT_EQ(Image().Unit, unit);
        const QPointF after = Image().PixelToWorld(at.x(), at.y());
        EXPECT_NEAR(after.x(), before.x(), 0.5 / unit) << notches;
        EXPECT_NEAR(after.y(), before.y(), 0.5 / unit) << notches;
        EXPECT_DOUBLE_EQ(form->Game().View().Window().CenterX, (form->Game().View().Window().Left + form->Game().View().Window().Right) / 2);
    }
}

TEST_F(UiTest, PictureIsRedPathOverSilverGridAndGreyAxesOnWhite)
{
    const QImage& s = Image().Surface();
    EXPECT_EQ(QColor(s.pixel(Image().WorldToPixel(10.5, 10))), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(QColor(s.pixel(Image().WorldToPixel(10.5, 0))), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(QColor(s.pixel(Image().WorldToPixel(10.5, 10.5))), QColor(Qt::white));
    EXPECT_EQ(QColor(s.pixel(Image().WorldToPixel(-4, -3.5))), QColor(Qt::red));
}

TEST_F(UiTest, OnePointPathDrawsNoLine)
{
    UseProblem(QStringList{"   1", "   0   0"});
    EXPECT_EQ(form->Puzzle().PointCount(), 1);
    EXPECT_EQ(QColor(PixelAtWorld(0.5, 0)), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(QColor(PixelAtWorld(0, 0.5)), QColor(0x80, 0x80, 0x80));
}

TEST_F(UiTest, PanFarBeyondThe32BitRangeIsRefused)
{
    PlaceOrigin(2147483600, 300);
    EXPECT_THROW(form->FormKeyDown(Qt::Key_Left, Qt::ShiftModifier), EIntOverflow);
    EXPECT_EQ(Image().OriginX, 2147483600);
}
