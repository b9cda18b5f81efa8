// GuiTestMain.cpp: runs widget tests headless inside a QApplication, in a scratch folder.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The game keeps its records file in the current folder; tests must not
    // touch the developer's.
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
