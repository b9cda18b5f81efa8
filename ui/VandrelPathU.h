// VandrelPathU.h: the game's one window: it shows the game and turns the player's events into its calls.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QStringList>
#include <QWidget>

#include "game/FrontEnd.h"
#include "game/Game.h"
#include "ui/Platform.h"
#include "ui/QtJobs.h"
#include "ui/NewProblems.h"
#include "ui/RecordsKeeper.h"
#include "ui/UserData.h"

class QPushButton;
class QRadioButton;
class QTimer;
class TControlPanel;
class TCoordinatePanel;
class TMyImage;
class TPictureArea;

// The window is the game's front end: it lays out its parts (the zoom strip,
// the picture, the right-hand panel), connects their controls to the game's
// calls, draws the pictures and shows the status the game hands it, and
// answers the game's messages and questions with its dialogs. It decides
// nothing of the game itself. Controls carry their names as object names, so
// tests reach them as a player would.
class TFormMain : public QWidget, public GameFrontEnd {
    Q_OBJECT
public:
    // The player's preferences and kept play are in `places`.
    explicit TFormMain(TDialogs& dialogs = QtDialogs(), TClock& clock = SystemClock(),
                       const TUserPlaces& places = TUserPlaces::Standard());
    ~TFormMain() override;

    TGame& Game() { return *game_; }
    const TGame& Game() const { return *game_; }
    const TPuzzle& Puzzle() const { return game_->Puzzle(); }
    const TRecordsKeeper& Records() const { return records_; }
    const QString& ProblemName() const { return problemName_; }
    TMyImage* PlotImage() const;
    std::uint8_t ButtonMaskNow() const;

    // Parses problem text and makes it the current problem, as the start-up
    // does with the sample; a text that is no problem is reported and changes
    // nothing. True when it was loaded.
    bool LoadProblemText(const QStringList& lines);

    // ---- handlers -------------------------------------------------------------
    void FormResize();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);  // true when the key was consumed
    void TimerTimer();
    void RadioGroupMenuClick();
    void ButtonOpenClick();
    void ButtonSaveClick(int tag);
    void ButtonSetsumeiClick();
    void ButtonCloseClick();
    void CopyCode();

    // ---- the game's front end -----------------------------------------------
    double Now() override;
    void WantTick(std::optional<double> due) override;
    void Draw(const Picture& picture) override;
    void ShowStatus(const GameStatus& status) override;
    void ShowMessage(GameMessage message) override;
    bool Ask(GameQuestion question) override;
    void MovePointer(PixelPoint at) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectHandlers();
    void Report(const QString& text);
    void KeepPlay();

    TDialogs& dialogs_;
    TClock& clock_;
    TUserData userData_;
    TPreferences preferences_;
    TQtJobs jobs_{this};
    TRecordsKeeper records_;
    std::unique_ptr<TGame> game_;
    std::unique_ptr<TNewProblems> newProblems_;
    QString problemName_;

    TCoordinatePanel* coordinates_ = nullptr;
    TPictureArea* picture_ = nullptr;
    TControlPanel* controls_ = nullptr;
    QTimer* Timer = nullptr;  // ticks the game when it asks
};
