// UiFixture.h: a window under test, with dialogs and a clock that the test answers.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/RecordingHost.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "solver/Shortest.h"
#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/Messages.h"
#include "ui/VandrelPathU.h"

// Dialogs that log what they were asked and answer from queues. Unqueued
// questions are answered Yes; unqueued file dialogs are cancelled.
class TFakeDialogs : public TDialogs {
public:
    std::vector<QString> Messages;
    std::vector<QString> Questions;
    std::deque<bool> Answers;
    // Files the dialogs choose in turn; an empty name cancels.
    std::deque<QString> Files;
    std::vector<QString> SaveProposals;
    int OpenDialogs = 0;
    // Runs when a message is shown, while the handler that showed it waits.
    std::function<void(const QString&)> OnMessage;

    void ShowMessage(QWidget*, const QString& text) override
    {
        Messages.push_back(text);
        if (OnMessage)
            OnMessage(text);
    }
    bool ConfirmWarning(QWidget*, const QString& text) override
    {
        Questions.push_back(text);
        if (Answers.empty())
            return true;
        const bool a = Answers.front();
        Answers.pop_front();
        return a;
    }
    std::optional<QString> ChooseOpenFile(QWidget*) override
    {
        ++OpenDialogs;
        return NextFile();
    }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString& initialName) override
    {
        SaveProposals.push_back(initialName);
        return NextFile();
    }
    // Random problems asked for in turn; none queued cancels the dialog.
    std::deque<RandomProblemRequest> RandomRequests;
    std::vector<RandomProblemRequest> RandomProposals;
    std::optional<RandomProblemRequest> ChooseRandomProblem(QWidget*, const RandomProblemRequest& proposal) override
    {
        RandomProposals.push_back(proposal);
        if (RandomRequests.empty())
            return std::nullopt;
        const RandomProblemRequest request = RandomRequests.front();
        RandomRequests.pop_front();
        return request;
    }

private:
    std::optional<QString> NextFile()
    {
        if (Files.empty())
            return std::nullopt;
        const QString f = Files.front();
        Files.pop_front();
        if (f.isEmpty())
            return std::nullopt;
        return f;
    }
};

// A clock that moves only when the test moves it; delays are logged and
// advance the clock without waiting.
class TFakeClock : public TClock {
public:
    double Now = 1000.0;
    QDate Date{2026, 12, 8};
    std::vector<int> Delays;
    std::function<void(int)> OnDelay;

    std::uint64_t Seed = 1234567;  // what every new random problem starts from

    double MonotonicSeconds() override { return Now; }
    QDate Today() override { return Date; }
    std::uint64_t NewSeed() override { return Seed; }
    void DelayMs(int ms) override
    {
        Delays.push_back(ms);
        Now += ms / 1000.0;
        if (OnDelay)
            OnDelay(ms);
    }
};

// A control of the window, found by its name as a player finds it by sight.
template <typename T>
T* ControlOf(const TFormMain& form, const char* name)
{
    T* control = form.findChild<T*>(QLatin1String(name));
    if (!control)
        ADD_FAILURE() << "no control " << name;
    return control;
}

// The window at a known size: the picture is 800 by 600 pixels.
class UiTest : public ::testing::Test {
protected:
    static constexpr int ImageWidth = 800;
    static constexpr int ImageHeight = 600;

    TFakeDialogs dialogs;
    TFakeClock clock;
    std::unique_ptr<TFormMain> form;

    void SetUp() override
    {
        QFile::remove(RecordsFileName);
        form = std::make_unique<TFormMain>(dialogs, clock);
        form->setWindowState(Qt::WindowNoState);
        form->resize(ImageWidth + 40 + 134, ImageHeight);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_NE(form->PlotImage(), nullptr);
    }

    void TearDown() override { form.reset(); }

    TMyImage2& Image() { return *form->PlotImage(); }

    // The window's controls, found by their names as a player finds them by sight.
    template <typename T>
    T* Control(const char* name) const
    {
        return ControlOf<T>(*form, name);
    }
    TPressButton* Button(const char* name) const { return Control<TPressButton>(name); }
    TRadioGroup* Group(const char* name) const { return Control<TRadioGroup>(name); }
    QWidget* Widget(const char* name) const { return Control<QWidget>(name); }
    QLabel* Label(const char* name) const { return Control<QLabel>(name); }
    QSlider* Slider(const char* name) const { return Control<QSlider>(name); }
    QPlainTextEdit* Memo(const char* name) const { return Control<QPlainTextEdit>(name); }
    QTimer* TimerControl() const { return Control<QTimer>("Timer"); }

    // Work that is not saved: a segment drawn in problem creation.
    void MakeUnsaved()
    {
        ChooseMenu(MenuCreation);
        Click(Button("ButtonNyuuryokuBegin"));
        form->ImageMouseMove(0, Image().WorldToPixel(2, 0).x(), Image().WorldToPixel(2, 0).y());
        const QPoint at = Image().WorldToPixel(2, 0);
        form->ImageMouseUp(Qt::LeftButton, 0, at.x(), at.y());
        Click(Button("ButtonNyuuryokuEnd"));
        ASSERT_TRUE(form->Session().Unsaved());
    }

    QRgb PixelAtWorld(double x, double y)
    {
        const QPoint p = Image().WorldToPixel(x, y);
        return Image().Surface().pixel(p);
    }

    // Clicks the image at a pixel with the given buttons held.
    void ClickImage(QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(form->PlotImage(), Qt::LeftButton, mods, at);
    }

    // A double click as the window system delivers it: press, release, the
    // double-click press, release.
    void DoubleClickImage(QPoint at)
    {
        QTest::mouseClick(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent press(QEvent::MouseButtonDblClick, at, form->PlotImage()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->PlotImage(), &press);
        QTest::mouseRelease(form->PlotImage(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void ClickWorld(double x, double y) { ClickImage(Image().WorldToPixel(x, y)); }

    void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    void ChooseMenu(int item)
    {
        QTest::mouseClick(Group("RadioGroupMenu")->Item(item), Qt::LeftButton);
    }

    void ChooseOperation(int item)
    {
        QTest::mouseClick(Group("RadioGroupSousa")->Item(item), Qt::LeftButton);
    }

    // Puts a problem in place as an opened file would.
    void UseProblem(const QStringList& lines)
    {
        const ProblemParse parse = ParseProblemLines(lines);
        ASSERT_TRUE(std::holds_alternative<ParsedProblem>(parse));
        ASSERT_TRUE(form->LoadProblemText(lines));
    }

    static QStringList LinesOf(const Coords& path)
    {
        const ::Problem problem = ProblemOf(path);
        return FormatProblemLines(problem.Points, problem.PointCount);
    }

    static QStringList Problem(std::initializer_list<std::pair<int, int>> points)
    {
        PathArray path{};
        int i = 1;
        for (auto [x, y] : points) {
            path[i].X = x;
            path[i].Y = y;
            ++i;
        }
        return FormatProblemLines(path, static_cast<std::uint8_t>(points.size()));
    }
};
