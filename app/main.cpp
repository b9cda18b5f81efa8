// main.cpp: starts the game: one window, then the event loop until it closes.
#include "ui/VandrelApplication.h"
#include "ui/VandrelPathU.h"

int main(int argc, char** argv)
{
    TVandrelApplication app(argc, argv);
    InstallQtJapanese(app, QtTranslationsFolder());
    TFormMain form;
    form.show();
    return app.exec();
}
