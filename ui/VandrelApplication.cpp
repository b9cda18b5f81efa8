// VandrelApplication.cpp: where the run-time errors of event handlers are shown.
#include "ui/VandrelApplication.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

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

void TVandrelApplication::Report(const QString& text)
{
    if (TVandrelApplication* app = Instance())
        app->reporter_(text);
    else
        QMessageBox::critical(nullptr, QStringLiteral("ソラドミ"), text);
}

bool TVandrelApplication::notify(QObject* receiver, QEvent* event)
{
    // The game's handlers report their own errors (RunGuarded); this is the
    // last stop for anything raised outside them.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reporter_(QString::fromUtf8(e.what()));
    }
    return true;
}

bool InstallQtJapanese(QCoreApplication& app, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString QtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
