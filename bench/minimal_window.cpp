// minimal_window.cpp: the peer of the start-up measurement: a bare Qt Widgets window, shown maximised as the game's is, that reports its first paint.
//
// With --label the window also shows one line of Japanese text in the game's
// font, which tells how much of a start-up goes into finding and loading fonts.
#include <cstdio>
#include <cstring>
#include <ctime>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QWidget>

namespace {

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Moments {
    long long main = 0, app = 0, window = 0, shown = 0;
};
Moments moments;

// Reports as the game does with VANDREL_REPORT_FIRST_PAINT=1, when its first
// paint event arrives.
class TPicture : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!reported_) {
            reported_ = true;
            std::printf("first-paint %lld main %lld app %lld window %lld shown %lld\n", MonotonicNs(), moments.main,
                        moments.app, moments.window, moments.shown);
            std::fflush(stdout);
        }
        QPainter(this).fillRect(rect(), Qt::white);
    }

private:
    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    moments.main = MonotonicNs();
    QApplication app(argc, argv);
    moments.app = MonotonicNs();
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    auto* row = new QHBoxLayout(&window);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new TPicture, 1);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        auto* label = new QLabel(QStringLiteral("パズル実行"), &window);
        QFont font;
        font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
        font.setPixelSize(16);
        font.setBold(true);
        label->setFont(font);
        row->addWidget(label);
    }
    window.resize(850, 512);
    window.setWindowState(Qt::WindowMaximized);
    moments.window = MonotonicNs();
    window.show();
    moments.shown = MonotonicNs();
    return app.exec();
}
