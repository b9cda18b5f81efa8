// UiTestMain.cpp: runs window tests headless inside the game's own application object.
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/VandrelApplication.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about every window it sizes; nothing to act on.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    previousHandler = qInstallMessageHandler(QuietOffscreen);
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TVandrelApplication app(argc, argv);
    // The game keeps its records file in the current folder; tests must not
    // touch the developer's.
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
