// answer_probe.cpp: the game's window as app/main.cpp starts it, reporting how quickly its thread answers and when the help text reaches the screen, for bench/demo_answer.sh.
//
//   vandrel-answer-probe
//
// The window is given the whole screen. Lines on standard output, each
// flushed at once; T is the time of day in seconds (`date +%s.%N`):
//   control NAME X Y   the screen centre of a control the script clicks, as it
//                      stands when the window fills the screen and when the control is shown
//   wait P             the demonstration's wait slider stands at P
//   answer T MS        from SIGUSR1 on, a thread posts an event to the window's
//                      thread every 100 ms; T when it was posted, MS until it was handled
//   run on|off T       a continuous demonstration began or ended (seen by those events)
//   dialog T           a dialog appeared; a control line names its button DialogButton
//   press NAME T       the mouse button went down on one of those controls
//   moves N T          the move counter changed (seen by those events)
//   help T             the help text was painted after being shown
//   picture T          the picture was painted
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

#include <pthread.h>

#include <QDialog>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include "ProbeSupport.h"
#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/VandrelApplication.h"
#include "ui/VandrelPathU.h"

namespace {

double Seconds(long long ns)
{
    return static_cast<double>(ns) / 1e9;
}

// An event that carries the moment it was posted.
class TProbeEvent : public QEvent {
public:
    static inline const Type Kind = static_cast<Type>(QEvent::registerEventType());
    TProbeEvent() : QEvent(Kind), Posted(MonotonicNs()), PostedOfDay(RealtimeNs()) {}
    long long Posted;
    long long PostedOfDay;
};

// On the window's thread: the delay of each probe event, and the game's run
// and move counter as they stand when it arrives.
class TAnswerLog : public QObject {
public:
    explicit TAnswerLog(TFormMain& form) : form_(form) {}

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != TProbeEvent::Kind)
            return QObject::event(event);
        const auto* probe = static_cast<TProbeEvent*>(event);
        std::printf("answer %.3f %.3f\n", Seconds(probe->PostedOfDay), (MonotonicNs() - probe->Posted) / 1e6);
        const GameStatus& status = form_.Game().Status();
        if (status.RunningDemonstration != running_) {
            running_ = status.RunningDemonstration;
            std::printf("run %s %.3f\n", running_ ? "on" : "off", Seconds(RealtimeNs()));
        }
        if (status.Moves != moves_) {
            moves_ = status.Moves;
            std::printf("moves %d %.3f\n", moves_, Seconds(RealtimeNs()));
        }
        std::fflush(stdout);
        return true;
    }

private:
    TFormMain& form_;
    bool running_ = false;
    int moves_ = 0;
};

// Posts a probe event every 100 ms from SIGUSR1 until stopped. SIGUSR1 is
// blocked in every thread (main blocks it first), so only sigwait sees it.
class TAnswerProbe {
public:
    explicit TAnswerProbe(QObject& log) : log_(log), thread_([this] { Run(); }) {}
    ~TAnswerProbe()
    {
        stop_ = true;
        pthread_kill(thread_.native_handle(), SIGUSR1);
        thread_.join();
    }

private:
    void Run()
    {
        sigset_t start;
        sigemptyset(&start);
        sigaddset(&start, SIGUSR1);
        int signal = 0;
        sigwait(&start, &signal);
        auto next = std::chrono::steady_clock::now();
        while (!stop_) {
            QCoreApplication::postEvent(&log_, new TProbeEvent);
            next += std::chrono::milliseconds(100);
            std::this_thread::sleep_until(next);
        }
    }

    QObject& log_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Stamps the paints of the picture, and the first paint of the help text
// after it is shown, once each has been painted.
class TPaintLog : public QObject {
public:
    TPaintLog(QWidget& picture, QPlainTextEdit& help) : picture_(picture), help_(help)
    {
        picture_.installEventFilter(this);
        help_.installEventFilter(this);
        help_.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &help_ && event->type() == QEvent::Show)
            helpShown_ = true;
        if (event->type() != QEvent::Paint || inside_ || (watched != &picture_ && watched != help_.viewport()))
            return false;
        inside_ = true;
        watched->event(event);
        inside_ = false;
        if (watched == &picture_) {
            std::printf("picture %.6f\n", Seconds(RealtimeNs()));
        } else if (helpShown_) {
            helpShown_ = false;
            std::printf("help %.6f\n", Seconds(RealtimeNs()));
        }
        std::fflush(stdout);
        return true;
    }

private:
    QWidget& picture_;
    QPlainTextEdit& help_;
    bool inside_ = false;
    bool helpShown_ = false;
};

// The screen centres of the controls the script clicks ("パズル実行", "自動",
// "次", "説明表示", and the right end of the wait slider), printed once the
// window fills the screen and again whenever one is shown: the
// demonstration's panel is laid out only when it appears. A dialog that
// appears ("おめでとう" at the end of a run) is announced with its button.
class TControlLog : public QObject {
public:
    explicit TControlLog(const TFormMain& form)
    {
        controls_ = {{"Puzzle", form.findChild<TRadioGroup*>(QStringLiteral("RadioGroupMenu"))->Item(MenuPuzzle)}};
        for (const char* name : {"ButtonJidou", "ButtonStep", "ButtonSetsumei", "TrackBarWait"})
            controls_.push_back({name, form.findChild<QWidget*>(QLatin1String(name))});
        for (const auto& [name, control] : controls_)
            Print(name, *control);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QDialog*>(watched)) {
            QTimer::singleShot(0, this, [dialog = QPointer<QDialog>(static_cast<QDialog*>(watched))] {
                const auto* button = dialog ? dialog->findChild<QPushButton*>() : nullptr;
                std::printf("dialog %.3f\n", Seconds(RealtimeNs()));
                std::fflush(stdout);
                if (button)
                    Print("DialogButton", *button);
            });
            return false;
        }
        for (const auto& [name, control] : controls_) {
            if (control != watched)
                continue;
            if (event->type() == QEvent::MouseButtonPress) {
                std::printf("press %s %.6f\n", name, Seconds(RealtimeNs()));
                std::fflush(stdout);
            } else if (event->type() == QEvent::Show) {
                // Printed once the layout that showed it has placed it.
                QTimer::singleShot(0, this, [n = name, c = control] { Print(n, *c); });
            }
        }
        return false;
    }

private:
    static void Print(const char* name, const QWidget& control)
    {
        if (!control.isVisible())
            return;
        const bool slider = qobject_cast<const QSlider*>(&control) != nullptr;
        // The slider's groove runs along its upper third, over the ticks.
        const QPoint at = slider ? control.mapToGlobal(QPoint(control.width() - 4, control.height() / 3))
                                 : ScreenCentre(control);
        std::printf("control %s %d %d\n", slider ? "WaitEnd" : name, at.x(), at.y());
        std::fflush(stdout);
    }

    std::vector<std::pair<const char*, QWidget*>> controls_;
};

} // namespace

int main(int argc, char** argv)
{
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &blocked, nullptr);

    TVandrelApplication app(argc, argv);
    InstallQtJapanese(app, QtTranslationsFolder());
    TFormMain form;
    form.show();
    FillScreen(form);
    auto* help = form.findChild<QPlainTextEdit*>(QStringLiteral("MemoSetsumei"));
    if (!form.PlotImage() || !help)
        return 1;
    TPaintLog paints(*form.PlotImage(), *help);
    QObject::connect(form.findChild<QSlider*>(QStringLiteral("TrackBarWait")), &QSlider::valueChanged, [](int p) {
        std::printf("wait %d\n", p);
        std::fflush(stdout);
    });
    TControlLog controls(form);
    TAnswerLog log(form);
    TAnswerProbe probe(log);
    return app.exec();
}
