// VandrelPathU.cpp: the window as the game's front end: its parts, their wiring, the timer, the picture and the status.
#include "ui/VandrelPathU.h"

#include <climits>
#include <cmath>

#include <iostream>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTimer>

#include "files/ProblemFile.h"
#include "plot/MyImageU.h"
#include "ui/ControlPanel.h"
#include "ui/Controls.h"
#include "ui/CoordinatePanel.h"
#include "ui/Keyboard.h"
#include "ui/Look.h"
#include "ui/Messages.h"
#include "ui/ModePanels.h"
#include "ui/PictureArea.h"
#include "ui/PlayOverlay.h"
#include "ui/VandrelApplication.h"

TFormMain::TFormMain(TDialogs& dialogs, TClock& clock, const TUserPlaces& places)
    : dialogs_(dialogs), clock_(clock), userData_(places), preferences_(userData_.LoadPreferences()),
      records_(clock, userData_, [this](const QString& text) { Report(text); })
{
    setWindowTitle(Messages::Caption);
    resize(850, 512);
    setFont(PGothic(12));
    SetTextColour(this, Qt::yellow);
    SetBackground(this, ButtonFace());

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    coordinates_ = new TCoordinatePanel(this);
    picture_ = new TPictureArea(this);
    controls_ = new TControlPanel(this);
    row->addWidget(coordinates_);
    row->addWidget(picture_, 1);
    row->addWidget(controls_);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    Timer->setTimerType(Qt::PreciseTimer);

    game_ = std::make_unique<TGame>(*this, jobs_, records_);
    newProblems_ = std::make_unique<TNewProblems>(*this, *game_, dialogs_, clock_, records_, userData_, preferences_);
    ConnectHandlers();
    AddWindowShortcuts(this, *controls_, *picture_->PanelTesuu, Guarded([this] { newProblems_->Daily(); }));
    // Home's fit keeps the path clear of the progress panel on the picture.
    game_->SetCoveredRight(TPlayOverlay::Width + 2 * TPlayOverlay::Inset);
    setWindowState(Qt::WindowMaximized);

    // The window sees every key before the control that has the focus.
    qApp->installEventFilter(this);
    // Run-time errors of any handler reach the player through this window's dialogs.
    if (TVandrelApplication* app = TVandrelApplication::Instance())
        app->SetReporter([this](const QString& text) { Report(text); });
    // A session that ends (the player logs out) ends the game as a close does,
    // with no one left to read a message.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        try {
            KeepPlay();
        } catch (const std::exception& e) {
            std::cerr << "vandrel: the play could not be kept: " << e.what() << '\n';
        }
    });
}

TFormMain::~TFormMain()
{
    qApp->removeEventFilter(this);
    if (TVandrelApplication* app = TVandrelApplication::Instance())
        app->ResetReporter();
    game_.reset();
}

TMyImage* TFormMain::PlotImage() const
{
    return picture_->PlotImage;
}

std::uint8_t TFormMain::ButtonMaskNow() const
{
    return controls_->ButtonMaskNow();
}

void TFormMain::Report(const QString& text)
{
    dialogs_.ShowMessage(this, text);
}

// A timed play under way or paused waits for the next start; otherwise any
// play kept before is forgotten.
void TFormMain::KeepPlay()
{
    userData_.KeepPlay(game_->PlayToKeep());
}

// Each control passes its event to the game's call for it; every call shows
// its own run-time error (Guarded).
void TFormMain::ConnectHandlers()
{
    TGame& g = *game_;
    const auto button = [this](QAbstractButton* b, auto call) {
        connect(b, &QAbstractButton::clicked, this, Guarded([call] { call(); }));
    };
    connect(coordinates_, &TCoordinatePanel::TrackBarUnitChange, this, Guarded([&g](int unit) { g.Zoom(unit); }));
    connect(coordinates_, &TCoordinatePanel::ButtonUpMouseDown, this,
            Guarded([&g](int x, int y) { g.PanUnits(x, y); }));

    const TControlPanel& c = *controls_;
    connect(c.RadioGroupMenu, &TRadioGroup::Clicked, this, Guarded(this, &TFormMain::RadioGroupMenuClick));
    button(c.Creation->ButtonNyuuryokuBegin, [&g] { g.BeginEntry(); });
    button(c.Creation->ButtonNyuuryokuEnd, [&g] { g.EndEntry(); });
    button(c.Creation->ButtonSave, [this] { ButtonSaveClick(SaveNamed); });
    button(c.Puzzle->ButtonOpenAll, [this] { ButtonOpenClick(); });
    button(c.Puzzle->ButtonStart, [&g] { g.Start(); });
    button(c.Puzzle->ButtonContinue, [&g] { g.Continue(); });
    button(c.Puzzle->ButtonUndo, [&g] { g.Undo(); });
    button(c.Puzzle->ButtonPause, [&g] { g.Pause(); });
    button(c.Puzzle->ButtonSaveAll, [this] { ButtonSaveClick(SaveCopy); });
    button(c.Puzzle->ButtonJidou, [&g] { g.OpenDemonstration(); });
    connect(c.Demonstration->ButtonStep, &TPressButton::MouseDown, this,
            Guarded([&g](Qt::MouseButton, int shift) { g.PressStep(shift & DoubleClick); }));
    // The demonstration's wait and option, and the motion of moves, are
    // remembered as the player sets them.
    TPreferences& prefs = preferences_;
    const auto keep = [this] { userData_.SavePreferences(preferences_); };
    connect(c.Demonstration->TrackBarWait, &QSlider::valueChanged, this, Guarded([&g, &prefs, keep](int position) {
                g.SetWaitPosition(position);
                prefs.WaitPosition = position;
                keep();
            }));
    connect(c.Demonstration->CheckBoxSaitan, &QCheckBox::toggled, this, Guarded([&g, &prefs, keep](bool on) {
                g.SetShortestSteps(on);
                prefs.ShortestSteps = on;
                keep();
            }));
    button(c.ButtonSetsumei, [this] { ButtonSetsumeiClick(); });
    button(c.ButtonClose, [this] { ButtonCloseClick(); });

    const TPictureArea& p = *picture_;
    connect(p.RadioGroupSousa, &TRadioGroup::Clicked, this, Guarded([this] {
                TRadioGroup& group = *picture_->RadioGroupSousa;
                game_->ChooseOperation(group.ItemIndex());
                // A choice the game did not take (a step's move is pending)
                // leaves the menu up: its item can be chosen again.
                if (group.isVisible())
                    group.SetItemIndex(-1);
            }));
    button(p.PanelTesuu->ButtonHint, [&g] { g.Hint(); });
    button(p.PanelTesuu->ButtonRedo, [&g] { g.Redo(); });
    button(p.PanelTesuu->ButtonRandom, [this] { newProblems_->Random(); });
    button(p.PanelTesuu->ButtonCollection, [this] { newProblems_->Collection(); });
    button(p.PanelTesuu->ButtonCopyCode, [this] { CopyCode(); });
    connect(p.PanelTesuu->CheckBoxMotion, &QCheckBox::toggled, this, Guarded([&g, &prefs, keep](bool on) {
                g.SetAnimation(on);
                prefs.Motion = on;
                keep();
            }));
    connect(Timer, &QTimer::timeout, this, Guarded(this, &TFormMain::TimerTimer));

    c.Demonstration->TrackBarWait->setValue(preferences_.WaitPosition);
    c.Demonstration->CheckBoxSaitan->setChecked(preferences_.ShortestSteps);
    p.PanelTesuu->CheckBoxMotion->setChecked(preferences_.Motion);
    g.SetWaitPosition(preferences_.WaitPosition);
    g.SetShortestSteps(preferences_.ShortestSteps);
    g.SetAnimation(preferences_.Motion);
}

// ---- events ---------------------------------------------------------------------

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RunGuarded([this] { FormResize(); });
}

// The first resize makes the picture at the panel's size and starts the
// game with the sample; later ones keep the middle of the view in the middle.
void TFormMain::FormResize()
{
    if (picture_->PlotImage) {
        game_->Resize(PlotImage()->width(), PlotImage()->height());
        return;
    }
    TMyImage* image = picture_->CreatePlotImage();
    TGame& g = *game_;
    connect(image, &TMyImage2::MouseDown, this, Guarded([&g](Qt::MouseButton button, int shift, int x, int y) {
                g.MouseDown(shift, button == Qt::MiddleButton, x, y);
            }));
    connect(image, &TMyImage2::MouseMove, this, Guarded([&g](int, int x, int y) { g.MouseMove(x, y); }));
    connect(image, &TMyImage2::MouseUp, this, Guarded([&g] { g.MouseUp(); }));
    connect(image, &TMyImage2::Wheel, this, Guarded([&g](int notches, int x, int y) { g.Wheel(notches, x, y); }));
    game_->Resize(image->width(), image->height());
    records_.Reload();
    problemName_ = Messages::SampleName;
    LoadProblemText(BuiltInSampleLines());
    // A play left open at the last close, taken up again if the player wishes.
    if (const std::optional<SavedPlay> kept = userData_.KeptPlay(std::cerr)) {
        const bool resume = dialogs_.AskYesNo(this, Messages::ResumeQuestion);
        // Only now, answered: a session that ends under the question keeps it.
        userData_.ForgetKeptPlay();
        if (resume) {
            controls_->RadioGroupMenu->SetItemIndex(MenuPuzzle);
            game_->ResumePlay(*kept);
        }
    }
}

bool TFormMain::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // The help text, while it has the focus, pages with its own keys; the
    // arrows and the operations' letters stay the game's.
    const bool paging = key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (paging && picture_->MemoSetsumei->hasFocus())
        return false;
    return GameKeyDown(*game_, key, modifiers);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    bool consumed = true;  // a key whose handling failed goes no further
    RunGuarded([&] { consumed = FormKeyDown(key->key(), key->modifiers()); });
    return consumed;
}

void TFormMain::TimerTimer()
{
    game_->Tick(clock_.MonotonicSeconds());
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // Nothing of the game may outlive its window; a play is kept for the next
    // start. A record that cannot be written as a move in motion ends is
    // shown here, and the window closes all the same.
    RunGuarded([this] { KeepPlay(); });
    RunGuarded([this] { game_->Close(); });
    QWidget::closeEvent(event);
}

// ---- the game's front end -------------------------------------------------------

double TFormMain::Now()
{
    return clock_.MonotonicSeconds();
}

void TFormMain::WantTick(std::optional<double> due)
{
    if (!due) {
        Timer->stop();
        return;
    }
    const double ms = std::ceil((*due - Now()) * 1000);
    Timer->start(ms <= 0 ? 0 : ms >= INT_MAX ? INT_MAX : static_cast<int>(ms));
}

void TFormMain::Draw(const Picture& picture)
{
    picture_->Draw(picture);
}

void TFormMain::ShowStatus(const GameStatus& status)
{
    controls_->ShowStatus(status);
    picture_->ShowStatus(status);
    coordinates_->ShowUnit(status.Unit);
    // The caption names a problem when it is named: a drawn path and the
    // sample leave it as it is.
    problemName_ = QString::fromStdString(status.Problem.Name);
    if (status.Problem.Named) {
        const QString caption = Messages::CaptionFor(problemName_, status.Problem.BestSeconds);
        if (windowTitle() != caption)
            setWindowTitle(caption);
    }
}

void TFormMain::ShowMessage(GameMessage message)
{
    dialogs_.ShowMessage(this, Messages::Of(message));
}

bool TFormMain::Ask(GameQuestion question)
{
    return dialogs_.ConfirmWarning(this, Messages::Of(question));
}

void TFormMain::MovePointer(PixelPoint at)
{
    if (PlotImage())
        QCursor::setPos(PlotImage()->mapToGlobal(QPoint(at.X, at.Y)));
}
