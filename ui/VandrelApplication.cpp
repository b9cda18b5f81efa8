// VandrelApplication.cpp: one place where every event's run-time error is caught and shown.
#include "ui/VandrelApplication.h"

#include <QMessageBox>

#include "core/RunErrors.h"

TVandrelApplication::TVandrelApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    ResetReporter();
}

TVandrelApplication* TVandrelApplication::Instance()
{
    return dynamic_cast<TVandrelApplication*>(QCoreApplication::instance());
}

void TVandrelApplication::ResetReporter()
{
    reporter_ = [](const QString& text) {
        QMessageBox::critical(nullptr, QStringLiteral("ソラドミ"), text);
    };
}

bool TVandrelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ERunError& e) {
        reporter_(QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        reporter_(QString::fromUtf8(e.what()));
    }
    return true;
}
