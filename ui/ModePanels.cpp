// ModePanels.cpp: building the mode panels and keeping their buttons in step with the game.
#include "ui/ModePanels.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "game/PlayClock.h"
#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/Messages.h"

namespace {

void Enable(QWidget* control, bool enabled)
{
    if (control->isEnabled() != enabled)
        control->setEnabled(enabled);
}

} // namespace

TCreationPanel::TCreationPanel(QWidget* parent) : QFrame(parent)
{
    LabelMondai = DressModePanel(this, 143, QStringLiteral("問題作成"));
    ButtonNyuuryokuBegin = PlaceButton(this, QStringLiteral("開始"), 36, 29);
    ButtonNyuuryokuEnd = PlaceButton(this, QStringLiteral("終了"), 69, 29);
    ButtonSave = PlaceButton(this, QStringLiteral("保存"), 102, 29, SaveNamed);
    NameControls({{this, "PanelMondai"}, {LabelMondai, "LabelMondai"},
                  {ButtonNyuuryokuBegin, "ButtonNyuuryokuBegin"}, {ButtonNyuuryokuEnd, "ButtonNyuuryokuEnd"},
                  {ButtonSave, "ButtonSave"}});
    for (QWidget* b : {ButtonNyuuryokuBegin, ButtonNyuuryokuEnd, ButtonSave})
        b->setEnabled(false);
    hide();
}

void TCreationPanel::ShowStatus(const GameStatus& status)
{
    setVisible(status.ModeShown == MenuCreation);
    Enable(ButtonNyuuryokuBegin, status.Enabled.EntryBegin);
    Enable(ButtonNyuuryokuEnd, status.Enabled.EntryEnd);
    Enable(ButtonSave, status.Enabled.SaveDrawn);
}

TPuzzlePanel::TPuzzlePanel(QWidget* parent) : QFrame(parent)
{
    LabelPuzzle = DressModePanel(this, 315, QStringLiteral("パズル実行"));
    ButtonOpenAll = PlaceButton(this, QStringLiteral("開く"), 31, 28);
    ButtonStart = PlaceButton(this, QStringLiteral("開始"), 64, 28);
    ButtonContinue = PlaceButton(this, QStringLiteral("続行"), 98, 28);
    ButtonUndo = PlaceButton(this, QStringLiteral("一手戻る"), 131, 28);
    ButtonPause = PlaceButton(this, QStringLiteral("中断"), 165, 28);
    ButtonSaveAll = PlaceButton(this, QStringLiteral("保存"), 198, 28, SaveCopy);
    PanelTime = new QLabel(QStringLiteral("  00分00秒"), this);
    PanelTime->setGeometry(8, 233, 120, 28);
    PanelTime->setAlignment(Qt::AlignCenter);
    PanelTime->setFrameShape(QFrame::Panel);
    PanelTime->setFrameShadow(QFrame::Raised);
    PanelTime->setFont(Gothic(16, true));
    SetTextColour(PanelTime, Qt::red);
    ButtonJidou = PlaceButton(this, QStringLiteral("自動"), 277, 28, 0, 12);
    NameControls({{this, "PanelPuzzle"}, {LabelPuzzle, "LabelPuzzle"}, {ButtonOpenAll, "ButtonOpenAll"},
                  {ButtonStart, "ButtonStart"}, {ButtonContinue, "ButtonContinue"}, {ButtonUndo, "ButtonUndo"},
                  {ButtonPause, "ButtonPause"}, {ButtonSaveAll, "ButtonSaveAll"}, {PanelTime, "PanelTime"},
                  {ButtonJidou, "ButtonJidou"}});
    for (QWidget* b : {ButtonOpenAll, ButtonStart, ButtonContinue, ButtonUndo, ButtonPause, ButtonSaveAll})
        b->setEnabled(false);
    hide();
}

void TPuzzlePanel::ShowStatus(const GameStatus& status)
{
    setVisible(status.ModeShown == MenuPuzzle);
    const Controls& c = status.Enabled;
    Enable(ButtonOpenAll, c.Open);
    Enable(ButtonStart, c.Start);
    Enable(ButtonContinue, c.Continue);
    Enable(ButtonUndo, c.Undo);
    Enable(ButtonPause, c.Pause);
    Enable(ButtonSaveAll, c.SaveCopy);
    if (status.ClockSeconds) {
        const QString clock = QString::fromStdString(ClockText(*status.ClockSeconds));
        if (PanelTime->text() != clock)
            PanelTime->setText(clock);
    }
}

TDemonstrationPanel::TDemonstrationPanel(QWidget* parent) : QWidget(parent)
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    PanelJidou = MakePanel(this);
    PanelJidou->setFixedHeight(112);
    SetBackground(PanelJidou, InactiveCaption);
    ButtonStep = PlaceButton(PanelJidou, QStringLiteral("次"), 8, 28);
    ButtonStep->setToolTip(QStringLiteral("ダブルクリックすると連続実行"));
    LabelWait = new QLabel(QStringLiteral("短　 待ち時間　 長"), PanelJidou);
    LabelWait->setGeometry(4, 44, 126, 20);
    LabelWait->setFont(Gothic(12));
    TrackBarWait = new QSlider(Qt::Horizontal, PanelJidou);
    TrackBarWait->setGeometry(4, 66, 126, 36);
    TrackBarWait->setRange(1, 5);
    TrackBarWait->setValue(3);
    TrackBarWait->setPageStep(1);
    TrackBarWait->setTickPosition(QSlider::TicksBelow);
    TrackBarWait->setTickInterval(1);
    TrackBarWait->setFocusPolicy(Qt::NoFocus);
    stack->addWidget(PanelJidou);

    PanelSaitan = MakePanel(this);
    PanelSaitan->setFixedHeight(30);
    SetBackground(PanelSaitan, InactiveCaption);
    CheckBoxSaitan = new QCheckBox(Messages::ShortestOption, PanelSaitan);
    CheckBoxSaitan->setGeometry(8, 4, 120, 22);
    CheckBoxSaitan->setFont(Gothic(12));
    CheckBoxSaitan->setFocusPolicy(Qt::NoFocus);
    SetTextColour(CheckBoxSaitan, Qt::black);
    stack->addWidget(PanelSaitan);

    NameControls({{PanelJidou, "PanelJidou"}, {ButtonStep, "ButtonStep"}, {LabelWait, "LabelWait"},
                  {TrackBarWait, "TrackBarWait"}, {PanelSaitan, "PanelSaitan"}, {CheckBoxSaitan, "CheckBoxSaitan"}});
    ButtonStep->setEnabled(false);
    PanelJidou->hide();
    PanelSaitan->hide();
}

void TDemonstrationPanel::ShowStatus(const GameStatus& status)
{
    PanelJidou->setVisible(status.DemonstrationShown);
    PanelSaitan->setVisible(status.DemonstrationShown);
    Enable(ButtonStep, status.Enabled.Step);
}
