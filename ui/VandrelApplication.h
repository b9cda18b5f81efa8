// VandrelApplication.h: the application object, which turns a failed event into a message.
#pragma once

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

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

    // Shows an error's message where the running application sends
    // messages, or in a message box when there is no such application.
    static void Report(const QString& text);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Reporter reporter_;
};

// Qt's own texts in Japanese, whatever the system's language: the buttons of
// the message boxes and everything of the file dialogs. Loads qtbase_ja from
// `folder`; false, with Qt's English left in place, when it is not there.
bool InstallQtJapanese(QCoreApplication& app, const QString& folder);

// The folder Qt's own translations are installed in.
QString QtTranslationsFolder();

// Runs a handler that the toolkit calls, and shows the run-time error that
// ends it right here. The error must not travel on towards notify(): the
// toolkit's frames in between are built without exception support, and
// unwinding them skips their clean-ups, which leaks the toolkit's copies of
// the event and leaves a signal it was emitting half done. True when the
// handler ran to its end.
template <typename Handler>
bool RunGuarded(Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& e) {
        TVandrelApplication::Report(QString::fromUtf8(e.what()));
    }
    return false;
}

// Calls `call` with a signal's arguments when it takes them, else without.
template <typename Call, typename... Args>
void CallWithOrWithout(const Call& call, const Args&... args)
{
    if constexpr (std::is_invocable_v<const Call&, const Args&...>)
        call(args...);
    else
        call();
}

// A slot for connect() that runs `method` of `object` guarded, with the
// signal's arguments when the method takes them and without otherwise.
template <typename Object, typename Method>
auto Guarded(Object* object, Method method)
{
    return [object, method](const auto&... args) -> void
               requires(std::is_invocable_v<Method, Object*, decltype(args)...> ||
                        std::is_invocable_v<Method, Object*>)
    {
        RunGuarded([&] {
            CallWithOrWithout(std::bind_front(method, object), args...);
        });
    };
}

// A slot for connect() that runs `handler` guarded; the handler takes all of
// the signal's arguments or none.
template <typename Handler>
auto Guarded(Handler handler)
{
    // The constraint tells connect() how many of the signal's arguments the
    // slot takes, when it tries them.
    return [handler](const auto&... args) -> void
               requires(std::is_invocable_v<const Handler&, decltype(args)...> ||
                        std::is_invocable_v<const Handler&>)
    {
        RunGuarded([&] { CallWithOrWithout(handler, args...); });
    };
}
