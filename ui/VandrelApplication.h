// VandrelApplication.h: the application object, which turns a failed event into a message.
#pragma once

#include <functional>

#include <QApplication>

// Any run-time error raised while an event is handled ends that handler; the
// player reads its message and the game goes on with the next event.
class TVandrelApplication : public QApplication {
public:
    using Reporter = std::function<void(const QString&)>;

    TVandrelApplication(int& argc, char** argv);

    // The application running now, when it is this kind.
    static TVandrelApplication* Instance();

    // Where messages go; a plain message box until the window sets its own.
    void SetReporter(Reporter reporter) { reporter_ = std::move(reporter); }
    void ResetReporter();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Reporter reporter_;
};
