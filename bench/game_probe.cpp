// game_probe.cpp: the game started as app/main.cpp starts it, reporting when its picture is first painted.
//
// It writes one line to standard output at the first paint of the picture:
// "first-paint T main T app T window T shown T", each T a CLOCK_MONOTONIC
// time in nanoseconds: that paint, then the entry to main and the moments the
// application, the window and its showing were done. vandrel-startup compares
// them with the moment it started the program.
#include <cstdio>

#include <QEvent>
#include <QTemporaryDir>

#include "ProbeSupport.h"
#include "plot/MyImageU.h"
#include "ui/VandrelApplication.h"
#include "ui/VandrelPathU.h"

namespace {

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
    TFirstPaintReport report;
    report.Main = MonotonicNs();
    TVandrelApplication app(argc, argv);
    InstallQtJapanese(app, QtTranslationsFolder());
    report.App = MonotonicNs();
    app.installEventFilter(&report);
    // A player of its own: no preferences or kept play of the machine's user.
    const QTemporaryDir player;
    TFormMain form(QtDialogs(), SystemClock(), TUserPlaces::In(player.path()));
    report.Window = MonotonicNs();
    form.show();
    report.Shown = MonotonicNs();
    return app.exec();
}
