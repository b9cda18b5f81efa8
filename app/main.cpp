// main.cpp: starts the game: one window, then the event loop until it closes.
#include "ui/VandrelApplication.h"
#include "ui/VandrelPathU.h"

int main(int argc, char** argv)
{
    TVandrelApplication app(argc, argv);
    // Where the player's preferences and kept play are: ~/.config/Vandrel, ~/.local/share/Vandrel/vandrel.
    QCoreApplication::setOrganizationName(QStringLiteral("Vandrel"));
    QCoreApplication::setApplicationName(QStringLiteral("vandrel"));
    InstallQtJapanese(app, QtTranslationsFolder());
    TFormMain form;
    form.show();
    return app.exec();
}
