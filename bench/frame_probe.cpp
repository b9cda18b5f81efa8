// frame_probe.cpp: moves shown as motion in the game's window on a real screen, and the distinct frames its own timer paints for each.
//
//   vandrel-frame-probe [ROUNDS]
//
// Starts the game as app/main.cpp does, gives the window the whole screen,
// clicks "パズル実行" and "開始" and, ROUNDS times (10 unless given), makes the
// demonstration rule's first move on the sample and takes it back, with
// "動きを表示" on: the point picked as a click on it would, the operation
// clicked in the operation group, then "一手戻る" clicked. Both motions lie
// in full view. The window's own timer ticks the motion on the system
// clock. Every paint of the picture is checked in the window's backing store:
// a frame is a paint made while the window draws a picture the game handed
// it, and it is distinct when a pixel it painted differs from what the
// picture painted there before. For each move it prints the paints from the
// click to the end of the motion (ms after the click, pixels repainted; +
// a distinct frame, = a frame that changed nothing, * a paint of another
// cause, such as the operation group uncovering the picture), the distinct
// frames within the motion's 180 ms and up to its last frame; then the
// fewest, the median and the most over all motions, and of the time from a
// frame to the next.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
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

// Makes a move and takes it back, round after round, each motion once the
// one before has ended.
class TMoves {
public:
    TMoves(TWatchedForm& form, TFrameWatch& watch, int rounds) : form_(form), watch_(watch), left_(rounds) {}

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
            const std::string name = std::string(1, "?RLHV"[std::min<int>(m.OpCode, OpV)]) + " about point " +
                                     std::to_string(m.Pivot);
            Show(name, form_.findChild<TRadioGroup*>(QStringLiteral("RadioGroupSousa"))->Item(m.OpCode), [this] {
                Show("一手戻る", form_.findChild<QAbstractButton*>(QStringLiteral("ButtonUndo")), [this] { Next(); });
            });
        });
    }

private:
    // Clicks the button and reports the motion it starts, then goes on.
    void Show(const std::string& name, QAbstractButton* button, std::function<void()> then)
    {
        watch_.Begin();
        button->click();
        QTimer::singleShot(600, &form_, [this, name, then] { Report(name, then); });
    }

    void Report(const std::string& name, const std::function<void()>& then)
    {
        if (form_.Game().Animating()) {
            QTimer::singleShot(100, &form_, [this, name, then] { Report(name, then); });
            return;
        }
        int within = 0;
        int all = 0;
        double previous = -1;
        std::printf("%zu %s:", within_.size() + 1, name.c_str());
        for (const Frame& f : watch_.End()) {
            const bool counted = f.Drawn && f.Distinct;
            std::printf(" %.1f/%lld%s", f.Ms, f.Pixels, !f.Drawn ? "*" : f.Distinct ? "+" : "=");
            all += counted;
            within += counted && f.Ms <= TMoveAnimation::Duration * 1000;
            if (f.Drawn && previous >= 0)
                intervals_.push_back(f.Ms - previous);
            if (f.Drawn)
                previous = f.Ms;
        }
        std::printf("\n  distinct frames: %d within %.0f ms, %d up to the last frame\n", within,
                    TMoveAnimation::Duration * 1000, all);
        std::fflush(stdout);
        within_.push_back(within);
        all_.push_back(all);
        QTimer::singleShot(300, &form_, then);
    }

    template <typename Figure>
    static void Print(const char* what, std::vector<Figure> figures)
    {
        std::sort(figures.begin(), figures.end());
        std::printf("%s: fewest %g, median %g, most %g\n", what, double(figures.front()),
                    double(figures[figures.size() / 2]), double(figures.back()));
    }

    void Summary() const
    {
        if (within_.empty()) {
            std::printf("no move made\n");
            return;
        }
        std::printf("%zu motions\n", within_.size());
        Print("distinct frames within the motion", within_);
        Print("distinct frames up to the last", all_);
        if (!intervals_.empty())
            Print("ms from a frame to the next", intervals_);
    }

    TWatchedForm& form_;
    TFrameWatch& watch_;
    int left_;
    std::vector<int> within_;
    std::vector<int> all_;
    std::vector<double> intervals_;
};

} // namespace

int main(int argc, char** argv)
{
    TVandrelApplication app(argc, argv);
    InstallQtJapanese(app, QtTranslationsFolder());
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    TWatchedForm form;
    form.show();
    FillScreen(form);
    if (!form.PlotImage())
        return 1;
    const QSize picture = form.PlotImage()->size();
    std::printf("screen %dx%d, picture %dx%d, motion %s\n", form.width(), form.height(), picture.width(),
                picture.height(), form.findChild<QCheckBox*>(QStringLiteral("CheckBoxMotion"))->isChecked() ? "on" : "off");
    TFrameWatch watch(form, *form.PlotImage());
    TMoves maker(form, watch, rounds);
    QTimer::singleShot(1000, &form, [&] {
        form.findChild<TRadioGroup*>(QStringLiteral("RadioGroupMenu"))->Item(MenuPuzzle)->click();
        form.findChild<QPushButton*>(QStringLiteral("ButtonStart"))->click();
        QTimer::singleShot(500, &form, [&] { maker.Next(); });
    });
    return app.exec();
}
