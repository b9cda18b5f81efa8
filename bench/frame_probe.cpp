// frame_probe.cpp: moves shown as motion in the game's window on a real screen, and the distinct frames its own timer paints for each.
//
//   vandrel-frame-probe [MOVES]
//
// Starts the game as app/main.cpp does, gives the window the whole screen,
// clicks "パズル実行" and "開始" and makes MOVES moves (10 unless given) on the
// sample with "動きを表示" on: each is the demonstration rule's next move, its
// point picked as a click on it would and its operation clicked in the
// operation group. The window's own timer ticks the motion on the system
// clock. Every paint of the picture is checked in the window's backing store:
// a frame is a paint made while the window draws a picture the game handed
// it, and it is distinct when a pixel it painted differs from what the
// picture painted there before. For each move it prints the paints from the
// click to the end of the motion (ms after the click, pixels repainted; +
// a distinct frame, = a frame that changed nothing, * a paint of another
// cause, such as the operation group uncovering the picture), the distinct
// frames within the motion's 180 ms and up to its last frame; then the
// fewest, the median and the most over the moves.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <QBackingStore>
#include <QCheckBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "ProbeSupport.h"
#include "core/Moves.h"
#include "core/ScopeExit.h"
#include "game/MoveAnimation.h"
#include "plot/MyImageU.h"
#include "solver/Demonstration.h"
#include "ui/Controls.h"
#include "ui/VandrelApplication.h"
#include "ui/VandrelPathU.h"

namespace {

// The game's window, marking when it draws a picture the game handed it.
class TWatchedForm : public TFormMain {
public:
    bool Drawing = false;

    void Draw(const Picture& picture) override
    {
        Drawing = true;
        const ScopeExit done([this] { Drawing = false; });
        TFormMain::Draw(picture);
    }
};

struct Frame {
    double Ms = 0;        // after the click
    long long Pixels = 0;  // repainted
    bool Drawn = false;    // while the window drew the game's picture
    bool Distinct = false;
};

// Watches the picture's paints: each is let through first, then what it put
// into the backing store is compared with what the picture showed there.
class TFrameWatch : public QObject {
public:
    TFrameWatch(TWatchedForm& window, QWidget& picture) : window_(window), picture_(picture)
    {
        picture_.installEventFilter(this);
    }

    void Begin()
    {
        frames_.clear();
        start_ = MonotonicNs();
        watching_ = true;
    }
    std::vector<Frame> End()
    {
        watching_ = false;
        return frames_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &picture_ || event->type() != QEvent::Paint || inside_)
            return false;
        inside_ = true;
        watched->event(event);
        inside_ = false;
        const bool distinct = Compare(static_cast<QPaintEvent*>(event)->region());
        if (watching_) {
            long long pixels = 0;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += static_cast<long long>(r.width()) * r.height();
            frames_.push_back({(MonotonicNs() - start_) / 1e6, pixels, window_.Drawing, distinct});
        }
        return true;
    }

private:
    // Whether the painted region differs from what the picture showed there
    // before; keeps it as what the picture shows now.
    bool Compare(const QRegion& region)
    {
        QPaintDevice* device = window_.backingStore() ? window_.backingStore()->paintDevice() : nullptr;
        if (!device || device->devType() != QInternal::Image)
            return false;
        const QImage& store = *static_cast<QImage*>(device);
        if (store.depth() != 32)
            return false;
        if (shown_.size() != picture_.size() || shown_.format() != store.format())
            shown_ = QImage(picture_.size(), store.format());
        const QPoint offset = picture_.mapTo(&window_, QPoint(0, 0));
        const QRect inside = QRect(QPoint(0, 0), picture_.size()) & store.rect().translated(-offset);
        bool distinct = false;
        for (const QRect& part : region) {
            const QRect r = part & inside;
            const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const uchar* now = store.constScanLine(y + offset.y()) + (r.left() + offset.x()) * 4;
                uchar* before = shown_.scanLine(y) + r.left() * 4;
                if (std::memcmp(now, before, bytes) != 0) {
                    distinct = true;
                    std::memcpy(before, now, bytes);
                }
            }
        }
        return distinct;
    }

    TWatchedForm& window_;
    QWidget& picture_;
    QImage shown_;
    bool inside_ = false;
    bool watching_ = false;
    long long start_ = 0;
    std::vector<Frame> frames_;
};

// Makes the moves one after another, each once the one before has ended.
class TMoves {
public:
    TMoves(TWatchedForm& form, TFrameWatch& watch, int count) : form_(form), watch_(watch), left_(count) {}

    void Next()
    {
        const std::optional<SolverMove> move = NextDemonstrationMove(form_.Puzzle());
        if (left_-- <= 0 || !move) {
            Summary();
            QApplication::quit();
            return;
        }
        form_.Game().PickPoint(move->Pivot);
        // The pick's own picture is painted before the click.
        QTimer::singleShot(300, &form_, [this, m = *move] {
            watch_.Begin();
            form_.findChild<TRadioGroup*>(QStringLiteral("RadioGroupSousa"))->Item(m.OpCode)->click();
            QTimer::singleShot(600, &form_, [this, m] { Report(m); });
        });
    }

private:
    void Report(const SolverMove& move)
    {
        if (form_.Game().Animating()) {
            QTimer::singleShot(100, &form_, [this, move] { Report(move); });
            return;
        }
        const std::vector<Frame> frames = watch_.End();
        int within = 0;
        int all = 0;
        std::printf("move %zu: %c about point %d:", within_.size() + 1, "?RLHV"[std::min<int>(move.OpCode, OpV)], move.Pivot);
        for (const Frame& f : frames) {
            const bool counted = f.Drawn && f.Distinct;
            std::printf(" %.1f/%lld%s", f.Ms, f.Pixels, !f.Drawn ? "*" : f.Distinct ? "+" : "=");
            all += counted;
            within += counted && f.Ms <= TMoveAnimation::Duration * 1000;
        }
        std::printf("\n  distinct frames: %d within %.0f ms, %d up to the last frame\n", within,
                    TMoveAnimation::Duration * 1000, all);
        std::fflush(stdout);
        within_.push_back(within);
        all_.push_back(all);
        QTimer::singleShot(300, &form_, [this] { Next(); });
    }

    void Summary() const
    {
        if (within_.empty()) {
            std::printf("no move made\n");
            return;
        }
        const auto print = [](const char* what, std::vector<int> counts) {
            std::sort(counts.begin(), counts.end());
            std::printf("%s: fewest %d, median %d, most %d\n", what, counts.front(), counts[counts.size() / 2],
                        counts.back());
        };
        std::printf("%zu moves\n", within_.size());
        print("distinct frames within the motion", within_);
        print("distinct frames up to the last", all_);
    }

    TWatchedForm& form_;
    TFrameWatch& watch_;
    int left_;
    std::vector<int> within_;
    std::vector<int> all_;
};

} // namespace

int main(int argc, char** argv)
{
    TVandrelApplication app(argc, argv);
    InstallQtJapanese(app, QtTranslationsFolder());
    const int moves = argc > 1 ? std::atoi(argv[1]) : 10;
    TWatchedForm form;
    form.show();
    FillScreen(form);
    if (!form.PlotImage())
        return 1;
    const QSize picture = form.PlotImage()->size();
    std::printf("screen %dx%d, picture %dx%d, motion %s\n", form.width(), form.height(), picture.width(),
                picture.height(), form.findChild<QCheckBox*>(QStringLiteral("CheckBoxMotion"))->isChecked() ? "on" : "off");
    TFrameWatch watch(form, *form.PlotImage());
    TMoves maker(form, watch, moves);
    QTimer::singleShot(1000, &form, [&] {
        form.findChild<TRadioGroup*>(QStringLiteral("RadioGroupMenu"))->Item(MenuPuzzle)->click();
        form.findChild<QPushButton*>(QStringLiteral("ButtonStart"))->click();
        QTimer::singleShot(500, &form, [&] { maker.Next(); });
    });
    return app.exec();
}
