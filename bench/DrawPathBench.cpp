// DrawPathBench.cpp: how long a redraw, a zoom, a wheel notch, a move and a frame of a move in motion take, beside filling the image.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QImage>
#include <QRadioButton>
#include <QSlider>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include "core/Moves.h"
#include "files/ProblemFile.h"
#include "game/MoveAnimation.h"
#include "game/ShiftBits.h"
#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/VandrelPathU.h"

namespace {

// Dialogs and clock that never wait: nothing here may block a measurement.
class TSilentDialogs : public TDialogs {
public:
    void ShowMessage(QWidget*, const QString&) override {}
    bool ConfirmWarning(QWidget*, const QString&) override { return true; }
    bool AskYesNo(QWidget*, const QString&) override { return false; }
    std::optional<QString> ChooseOpenFile(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    std::optional<RandomProblemRequest> ChooseRandomProblem(QWidget*, const RandomProblemRequest&) override
    {
        return std::nullopt;
    }
    std::optional<ProblemCode> ChooseCollectionProblem(QWidget*, const std::vector<CollectionRow>&, int,
                                                       const ProblemCode&) override
    {
        return std::nullopt;
    }
};

class TStillClock : public TClock {
public:
    double MonotonicSeconds() override { return 0; }
    QDate Today() override { return QDate(2026, 1, 1); }
    std::uint64_t NewSeed() override { return 1; }
};

TSilentDialogs silentDialogs;
TStillClock stillClock;

// A staircase of 255 points: every inner point is a corner, the most lines a path can have.
void LoadStaircase(TFormMain& form)
{
    PathArray stairs{};
    for (int i = 1; i <= MaxPoints; ++i) {
        stairs[i].X = i / 2;
        stairs[i].Y = (i - 1) / 2;
    }
    form.LoadProblemText(FormatProblemLines(stairs, MaxPoints));
}

QSlider* ZoomBar(TFormMain& form)
{
    return form.findChild<QSlider*>(QStringLiteral("TrackBarUnit"));
}

// A window whose picture is exactly width by height pixels.
std::unique_ptr<TFormMain> FormWithImage(int width, int height)
{
    auto form = std::make_unique<TFormMain>(silentDialogs, stillClock, TUserPlaces::In(QDir::currentPath()));
    form->setWindowState(Qt::WindowNoState);
    form->resize(width + 40 + 134, height);
    form->show();
    QApplication::processEvents();
    LoadStaircase(*form);
    return form;
}

void BM_Fill(benchmark::State& state)
{
    QImage image(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The window's redraw of the game's picture: the backdrop laid again, the
// staircase drawn, the tiles drawn over repainted.
void Redraw(TFormMain& form)
{
    form.Draw(form.Game().CurrentPicture());
}

void BM_DrawPath(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ZoomBar(*form)->setValue(static_cast<int>(state.range(2)));
    for (auto _ : state)
        Redraw(*form);
    state.counters["unit"] = static_cast<double>(state.range(2));
}

// The redraw's drawing without its repaint: the background laid, the corner
// chain walked and drawn as the redraw does. Beside BM_DrawPath this gives the
// repaint's share of a redraw.
void BM_DrawPathWithoutRepaint(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ZoomBar(*form)->setValue(static_cast<int>(state.range(2)));
    TMyImage* image = form->PlotImage();
    const PathArray& p = form->Puzzle().WorkPath();
    const ViewWindow& view = form->Game().View().Window();
    for (auto _ : state) {
        image->DrawBackdrop(view.Left, view.Right, view.Bottom, view.Top, 0xC0C0C0, 0x808080);
        image->SetPenColor(0x0000FF);
        image->SetPenWidth(3);
        image->MoveTo(p[1].X, p[1].Y);
        for (int c = 1; c < form->Puzzle().PointCount() && p[c].NextCorner > c;) {
            c = p[c].NextCorner;
            image->LineTo(p[c].X, p[c].Y);
        }
    }
    state.counters["unit"] = static_cast<double>(state.range(2));
}

// The view changes before every redraw (a drag pans by a pixel at a time), so
// the grid and axes are drawn afresh each time and the whole picture is repainted.
void BM_DrawPathNewView(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ZoomBar(*form)->setValue(static_cast<int>(state.range(2)));
    TGame& game = form->Game();
    game.MouseDown(ControlKey, false, 0, 0);
    std::int32_t x = 1;
    for (auto _ : state) {
        game.MouseMove(x, 0);
        x = 1 - x;
    }
    game.MouseUp();
    state.counters["unit"] = static_cast<double>(state.range(2));
}

// The next step of the zoom slider from `unit`: up, or down from the top.
int NextUnit(const QSlider& slider, int unit)
{
    return unit < slider.maximum() ? unit + 1 : unit - 1;
}

// A redraw after a zoom, as the game makes it: the view's steps (the view's
// centre kept in the middle of the picture), then the backdrop, the
// 255-point staircase and the repaint of the whole image. The unit goes back
// and forth between the one given and the slider's next step. The game's
// status moves the zoom slider too; the slider's repaint is left out here
// (its updates are off) and counted in the wheel benchmark below, so that the
// figure is the zoom's own.
void BM_RedrawAfterZoom(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int unit = static_cast<int>(state.range(2));
    const int next = NextUnit(*ZoomBar(*form), unit);
    ZoomBar(*form)->setValue(unit);
    QApplication::processEvents();
    ZoomBar(*form)->setUpdatesEnabled(false);
    for (auto _ : state)
        form->Game().Zoom(form->PlotImage()->Unit == unit ? next : unit);
    state.counters["unit"] = static_cast<double>(unit);
}

// From a wheel notch to the repainted frame, through the whole window: the
// event reaches the image, the window zooms about the pointer with one
// redraw, and the zoom slider follows. Each iteration ends with the events
// waiting, the slider's repaint among them, handled. Latency is the real time.
void BM_WheelNotchToFrame(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int unit = static_cast<int>(state.range(2));
    QSlider& slider = *ZoomBar(*form);
    slider.setValue(unit);
    TMyImage* image = form->PlotImage();
    const QPointF centre(image->width() / 2.0, image->height() / 2.0);
    int notch = NextUnit(slider, unit) > unit ? 120 : -120;
    std::int64_t zooms = 0;
    for (auto _ : state) {
        const int before = slider.value();
        QWheelEvent wheel(centre, image->mapToGlobal(centre), QPoint(), QPoint(0, notch), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(image, &wheel);
        QApplication::processEvents();
        zooms += slider.value() != before;
        notch = -notch;
    }
    if (zooms != static_cast<std::int64_t>(state.iterations()))
        state.SkipWithError("a wheel notch did not zoom");
    state.counters["unit"] = static_cast<double>(unit);
}

// The repaint of the whole image alone: the copy into the window's backing
// store that a redraw pays on top of its drawing when everything changed.
// The unit is that of the grid the backdrop's rows are copied from.
void BM_RepaintWhole(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ZoomBar(*form)->setValue(static_cast<int>(state.range(2)));
    Redraw(*form);
    for (auto _ : state)
        form->PlotImage()->repaint();
}

// One move end to end as the player makes it: the click that picks the
// point, the choice from the operation group, its redraw and the repaint.
void BM_MoveWithRedraw(benchmark::State& state)
{
    auto form = FormWithImage(1920, 1080);
    form->findChild<QCheckBox*>(QStringLiteral("CheckBoxMotion"))->setChecked(false);
    form->Game().ChooseMode(MenuPuzzle);
    form->Game().Start();
    const PathPoint& pivot = form->Puzzle().Work(128);
    const QPoint at = form->PlotImage()->WorldToPixel(pivot.X, pivot.Y);
    TRadioGroup* operations = form->findChild<TRadioGroup*>(QStringLiteral("RadioGroupSousa"));
    for (auto _ : state) {
        // Mirroring the same tail twice leaves the path as it was.
        form->Game().MouseDown(0, false, at.x(), at.y());
        operations->Item(OpH)->click();
        if (form->Puzzle().History().Full())
            form->Game().Start();
    }
}

// One frame of a move in motion as the game hands it to the window: the
// staircase's tail turning a quarter (R) about point `pivot`, the picture
// made of TMoveAnimation's path and mark at a frame's time, drawn and
// repainted. Point 1 turns the whole path, point 128 half of it. The frames
// go there and back through the motion at the game's frame interval, so each
// iteration draws what the one before did not.
void BM_MotionFrame(benchmark::State& state)
{
    auto form = FormWithImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    ZoomBar(*form)->setValue(static_cast<int>(state.range(2)));
    const auto pivot = static_cast<std::uint8_t>(state.range(3));
    const TMoveAnimation motion(form->Puzzle().WorkPath(), form->Puzzle().PointCount(), OpR, pivot, TailSelected, 0);
    Picture frame = form->Game().CurrentPicture();
    frame.Look = PathLook::Play;
    frame.Band.reset();
    const int last = static_cast<int>(TMoveAnimation::Duration / TMoveAnimation::FrameInterval);
    int at = 0;
    int step = 1;
    for (auto _ : state) {
        const double now = at * TMoveAnimation::FrameInterval;
        frame.Path = motion.PathAt(now);
        frame.Marks = {motion.MarkAt(now)};
        form->Draw(frame);
        if (at + step < 0 || at + step > last)
            step = -step;
        at += step;
    }
    state.counters["unit"] = static_cast<double>(state.range(2));
    state.counters["pivot"] = static_cast<double>(pivot);
}

// Both screen sizes at the smallest, the starting and the largest zoom,
// each with the arguments given after them.
void EverySizeAndUnit(benchmark::internal::Benchmark* b, std::initializer_list<std::int64_t> more)
{
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}})
        for (int unit : {3, 20, 40}) {
            std::vector<std::int64_t> args{width, height, unit};
            args.insert(args.end(), more);
            b->Args(args);
        }
}

void EverySizeAndUnit(benchmark::internal::Benchmark* b)
{
    EverySizeAndUnit(b, {});
}

// ... and the motion's two pivots: the first point and the middle one.
void EverySizeUnitAndPivot(benchmark::internal::Benchmark* b)
{
    for (std::int64_t pivot : {1, 128})
        EverySizeAndUnit(b, {pivot});
}

} // namespace

BENCHMARK(BM_Fill)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPath)->Apply(EverySizeAndUnit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPathWithoutRepaint)->Apply(EverySizeAndUnit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPathNewView)->Apply(EverySizeAndUnit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawAfterZoom)->Apply(EverySizeAndUnit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WheelNotchToFrame)->Apply(EverySizeAndUnit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintWhole)->Apply(EverySizeAndUnit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveWithRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionFrame)->Apply(EverySizeUnitAndPivot)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window creates its records file in the current folder.
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
