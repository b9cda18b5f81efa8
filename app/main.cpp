// main.cpp: starts the game: one window, then the event loop until it closes.
#include <cstdio>
#include <ctime>

#include <QEvent>

#include "plot/MyImageU.h"
#include "ui/VandrelApplication.h"
#include "ui/VandrelPathU.h"

namespace {

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// For the start-up measurement in bench/. With VANDREL_REPORT_FIRST_PAINT=1
// the game writes one line to standard output when the picture is first
// painted: "first-paint T main T app T window T shown T", each T a
// CLOCK_MONOTONIC time in nanoseconds: that paint, then the entry to main and
// the moments the application, the window and its showing were done. The
// measuring program compares them with the moment it started the game.
// Without the variable none of this runs.
class TFirstPaintReport : public QObject {
public:
    long long Main = 0;
    long long App = 0;
    long long Window = 0;
    long long Shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<TMyImage2*>(watched)) {
            std::printf("first-paint %lld main %lld app %lld window %lld shown %lld\n", MonotonicNs(), Main, App,
                        Window, Shown);
            std::fflush(stdout);
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    const long long mainEntered = MonotonicNs();
    TVandrelApplication app(argc, argv);
    InstallQtJapanese(app, QtTranslationsFolder());
    TFirstPaintReport report;
    report.Main = mainEntered;
    report.App = MonotonicNs();
    if (qEnvironmentVariable("VANDREL_REPORT_FIRST_PAINT") == QLatin1String("1"))
        app.installEventFilter(&report);
    TFormMain form;
    report.Window = MonotonicNs();
    form.show();
    report.Shown = MonotonicNs();
    return app.exec();
}
