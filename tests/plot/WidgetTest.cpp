// WidgetTest.cpp: the image as a widget: construction, following its parent, painting and mouse signals.
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "plot/ImageFixture.h"

namespace {

using plottest::Block;
using plottest::PixelsOf;
using plottest::Rgb;

TEST(ImageConstructionTest, FillsParentWithOriginAtItsCentre)
{
    QWidget parent;
    parent.resize(641, 481);
    auto* image = new TMyImage(&parent);
    EXPECT_EQ(image->parentWidget(), &parent);
    EXPECT_EQ(image->geometry(), QRect(0, 0, 641, 481));
    EXPECT_EQ(image->OriginX, 320);  // integer halves
    EXPECT_EQ(image->OriginY, 240);
    EXPECT_EQ(image->Unit, 60);
    EXPECT_EQ(image->FontSize(), 12);
    EXPECT_EQ(image->Matrix[1][1], 1.0);
    EXPECT_EQ(image->Matrix[1][2], 0.0);
    EXPECT_EQ(image->Matrix[1][3], 0.0);
    EXPECT_EQ(image->Matrix[2][1], 0.0);
    EXPECT_EQ(image->Matrix[2][2], 1.0);
    EXPECT_EQ(image->Matrix[2][3], 0.0);
    EXPECT_TRUE(image->hasMouseTracking());

    // The surface exists from construction on, at the widget's size.
    const QImage& surface = image->Surface();
    EXPECT_EQ(surface.size(), QSize(641, 481));
    EXPECT_EQ(surface.format(), QImage::Format_RGB32);
    EXPECT_EQ(PixelsOf(surface, Rgb(0xFFFFFF)).size(), 641u * 481u);
    EXPECT_EQ(image->PenColor(), 0);
    EXPECT_EQ(image->PenModeValue(), PenCopy);
    EXPECT_EQ(image->PenWidth(), 1);
}

// A shown window with a panel inside, as the game has it.
class ShownImageTest : public ::testing::Test {
protected:
    ShownImageTest()
    {
        window_.resize(420, 320);
        panel_ = new QWidget(&window_);
        panel_->setGeometry(10, 10, 400, 300);
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
        image_ = new TMyImage(panel_);  // created after the panel is shown
    }

    QWidget window_;
    QWidget* panel_;
    TMyImage* image_;
};

TEST_F(ShownImageTest, CreatedLateItIsVisible)
{
    EXPECT_TRUE(image_->isVisible());
    EXPECT_EQ(image_->geometry(), QRect(0, 0, 400, 300));
}

TEST_F(ShownImageTest, FollowsTheParentsSize)
{
    panel_->resize(250, 180);
    EXPECT_EQ(image_->geometry(), QRect(0, 0, 250, 180));
    EXPECT_EQ(image_->Surface().size(), QSize(250, 180));
    image_->SetPenColor(0x0000FF);
    image_->DrawSquare(1, 1, 0, 0);  // the origin stays where it was
    EXPECT_EQ(PixelsOf(image_->Surface(), Rgb(0x0000FF)), Block(199, 149, 201, 151));

    panel_->resize(500, 400);
    EXPECT_EQ(image_->size(), QSize(500, 400));
    EXPECT_EQ(image_->Surface().size(), QSize(500, 400));
}

TEST_F(ShownImageTest, PaintingShowsTheSurface)
{
    image_->SetUnit(20);
    image_->SetPenColor(0xC0C0C0);
    image_->DrawGrid(-10, 10, -7, 7);
    image_->SetPenColor(0x0000FF);
    image_->SetPenWidth(3);
    image_->Segment(-2, -1, 4, 3);
    image_->DrawSquare(3, 3, 1, 1);
    const QImage shown = image_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, image_->Surface());
}

// Counts paint events that reach the image.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(ShownImageTest, DrawingSchedulesAPaintAndRepaintPaintsAtOnce)
{
    QApplication::processEvents();
    PaintCounter counter;
    image_->installEventFilter(&counter);

    image_->Segment(-1, -1, 1, 1);
    EXPECT_EQ(counter.paints, 0);
    image_->Repaint();
    EXPECT_EQ(counter.paints, 1);

    counter.paints = 0;
    image_->Segment(-1, 1, 1, -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
}

// ---- Mouse ----------------------------------------------------------------------

class MouseTest : public ShownImageTest {
protected:
    MouseTest() : downs_(image_, &TMyImage2::MouseDown), moves_(image_, &TMyImage2::MouseMove),
                  ups_(image_, &TMyImage2::MouseUp)
    {
    }

    static QList<QVariant> Press(Qt::MouseButton button, int shift, int x, int y)
    {
        return {QVariant::fromValue(button), shift, x, y};
    }

    static QList<QVariant> Move(int shift, int x, int y) { return {shift, x, y}; }

    QSignalSpy downs_;
    QSignalSpy moves_;
    QSignalSpy ups_;
};

TEST_F(MouseTest, PressAndReleaseCarryButtonModifiersAndPixel)
{
    QTest::mousePress(image_, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    QTest::mouseRelease(image_, Qt::LeftButton, Qt::ShiftModifier, QPoint(11, 21));
    QTest::mousePress(image_, Qt::RightButton, Qt::ControlModifier, QPoint(30, 40));
    QTest::mouseRelease(image_, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier,
                        QPoint(31, 41));
    QTest::mousePress(image_, Qt::MiddleButton, Qt::AltModifier, QPoint(5, 6));  // Alt has no bit
    QTest::mouseRelease(image_, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));

    ASSERT_EQ(downs_.count(), 3);
    EXPECT_EQ(downs_[0], Press(Qt::LeftButton, ShiftKey, 10, 20));
    EXPECT_EQ(downs_[1], Press(Qt::RightButton, ControlKey, 30, 40));
    EXPECT_EQ(downs_[2], Press(Qt::MiddleButton, 0, 5, 6));
    ASSERT_EQ(ups_.count(), 3);
    EXPECT_EQ(ups_[0], Press(Qt::LeftButton, ShiftKey, 11, 21));
    EXPECT_EQ(ups_[1], Press(Qt::RightButton, ShiftKey | ControlKey, 31, 41));
    EXPECT_EQ(ups_[2], Press(Qt::MiddleButton, 0, 5, 6));
}

// Sent straight to the image, each with its own modifiers (QTest's move goes
// through the cursor and picks up whatever modifiers an earlier test left).
// Qt drops button-less moves on a widget without mouse tracking, so these
// arrive only because the image tracks the mouse.
TEST_F(MouseTest, MovesArriveWithoutAButton)
{
    const auto move = [this](QPointF at, Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(QEvent::MouseMove, at, image_->mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, modifiers);
        QApplication::sendEvent(image_, &event);
    };
    move(QPointF(30, 40), Qt::NoModifier);
    move(QPointF(50.75, 60.25), Qt::ControlModifier | Qt::ShiftModifier);

    ASSERT_GE(moves_.count(), 2);
    EXPECT_EQ(moves_[moves_.count() - 2], Move(0, 30, 40));
    EXPECT_EQ(moves_.last(), Move(ShiftKey | ControlKey, 50, 60));  // the pixel under the pointer
    EXPECT_EQ(downs_.count(), 0);
}

TEST_F(MouseTest, DoubleClickMarksTheSecondPress)
{
    // What Qt delivers for a double click; QTest's mouseDClick sends only the
    // third of these events to a widget.
    QTest::mousePress(image_, Qt::LeftButton, Qt::ControlModifier, QPoint(7, 8));
    QTest::mouseRelease(image_, Qt::LeftButton, Qt::ControlModifier, QPoint(7, 8));
    QTest::mouseDClick(image_, Qt::LeftButton, Qt::ControlModifier, QPoint(7, 8));
    QTest::mouseRelease(image_, Qt::LeftButton, Qt::ControlModifier, QPoint(7, 8));

    ASSERT_EQ(downs_.count(), 2);
    EXPECT_EQ(downs_[0], Press(Qt::LeftButton, ControlKey, 7, 8));
    EXPECT_EQ(downs_[1], Press(Qt::LeftButton, ControlKey | DoubleClick, 7, 8));
    ASSERT_EQ(ups_.count(), 2);
    for (const auto& up : ups_)
        EXPECT_EQ(up, Press(Qt::LeftButton, ControlKey, 7, 8));
}

// The window pans while the middle button is held: press and release carry
// it, and the moves between them arrive.
TEST_F(MouseTest, MiddleButtonDrag)
{
    QTest::mousePress(image_, Qt::MiddleButton, Qt::NoModifier, QPoint(40, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(45.5, 38), image_->mapToGlobal(QPointF(45.5, 38)),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(image_, &move);
    QTest::mouseRelease(image_, Qt::MiddleButton, Qt::NoModifier, QPoint(47, 36));

    ASSERT_EQ(downs_.count(), 1);
    EXPECT_EQ(downs_[0], Press(Qt::MiddleButton, 0, 40, 50));
    ASSERT_FALSE(moves_.isEmpty());
    EXPECT_EQ(moves_.last(), Move(0, 45, 38));
    ASSERT_EQ(ups_.count(), 1);
    EXPECT_EQ(ups_[0], Press(Qt::MiddleButton, 0, 47, 36));
}

// ---- Wheel ----------------------------------------------------------------------

struct WheelCase {
    const char* name;
    std::vector<int> eighths;  // the vertical turn of each event, in eighths of a degree
    bool inverted;             // the system reverses the wheel for scrolling
    std::vector<int> notches;  // as signalled, in order
};

TEST(WheelTest, WholeNotchesAtThePixelUnderThePointer)
{
    const std::vector<WheelCase> cases = {
        {"one notch away from the user", {120}, false, {1}},
        {"one notch toward the user", {-120}, false, {-1}},
        {"several notches in one event", {360}, false, {3}},
        {"a fine wheel's parts add up", {40, 40, 40, 60, 60}, false, {1, 1}},
        {"what is left over is carried", {100, 100, 100, -50}, false, {1, 1}},
        {"turning back takes parts away", {60, -60, 60, -60, 90, 30}, false, {1}},
        {"half a notch toward the user is none yet", {-60}, false, {}},
        {"parts toward the user", {-70, -70, -100}, false, {-1, -1}},
        {"reversed for scrolling, not for the notches", {120, 240}, true, {-1, -2}},
        {"a sideways turn is no notch", {0, 0}, false, {}},
    };
    for (const WheelCase& c : cases) {
        QWidget parent;
        parent.resize(100, 80);
        auto* image = new TMyImage(&parent);
        QSignalSpy wheels(image, &TMyImage2::Wheel);
        for (const int eighths : c.eighths) {
            const QPointF at(10.75, 20.25);
            QWheelEvent event(at, image->mapToGlobal(at), QPoint(), QPoint(eighths == 0 ? 120 : 0, eighths),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, c.inverted);
            QApplication::sendEvent(image, &event);
        }
        QList<QList<QVariant>> expected;
        for (const int notches : c.notches)
            expected.append({notches, 10, 20});
        EXPECT_EQ(QList<QList<QVariant>>(wheels), expected) << c.name;
    }
}

}  // namespace
