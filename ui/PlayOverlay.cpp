// PlayOverlay.cpp: building the panel over the picture and showing the play's figures on it.
#include "ui/PlayOverlay.h"

#include <QCheckBox>
#include <QLabel>

#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/Messages.h"

namespace {

// Sets a label's text only when it changes: a label lays itself out again
// for every text it is given, and every redraw comes here.
void SetText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

TPlayOverlay::TPlayOverlay(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    SetBackground(this, InactiveCaption);
    resize(Width, Height);
    setFont(Gothic(12));

    LabelTesuu = new QLabel(this);
    LabelTesuu->setGeometry(8, 4, 80, 20);
    LabelSaitan = new QLabel(this);
    LabelSaitan->setGeometry(92, 4, 84, 20);
    ButtonHint = PlaceButton(this, Messages::HintButton, 28, 24, 0, 8, 80);
    ButtonRedo = PlaceButton(this, Messages::RedoButton, 28, 24, 0, 92, 80);
    ButtonRandom = PlaceButton(this, Messages::RandomButton, 56, 24, 0, 8, 80);
    ButtonCollection = PlaceButton(this, Messages::CollectionButton, 56, 24, 0, 92, 80);
    LabelHintUsed = new QLabel(Messages::HintUsed, this);
    LabelHintUsed->setGeometry(8, 84, 164, 20);
    // The whole code of a random problem, to copy and play again.
    LabelCode = new QLabel(this);
    LabelCode->setGeometry(8, 106, 116, 20);
    LabelCode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ButtonCopyCode = PlaceButton(this, Messages::CopyCodeButton, 104, 24, 0, 126, 46);
    ButtonCopyCode->setToolTip(Messages::CopyCodeTip);
    CheckBoxMotion = new QCheckBox(Messages::MotionOption, this);
    CheckBoxMotion->setGeometry(8, 130, 164, 22);
    CheckBoxMotion->setFocusPolicy(Qt::NoFocus);
    CheckBoxMotion->setChecked(true);
    SetTextColour(this, Qt::black);

    NameControls({{this, "PanelTesuu"}, {LabelTesuu, "LabelTesuu"}, {LabelSaitan, "LabelSaitan"},
                  {ButtonHint, "ButtonHint"}, {ButtonRedo, "ButtonRedo"}, {ButtonRandom, "ButtonRandom"},
                  {ButtonCollection, "ButtonCollection"},
                  {LabelHintUsed, "LabelHintUsed"}, {LabelCode, "LabelCode"}, {ButtonCopyCode, "ButtonCopyCode"},
                  {CheckBoxMotion, "CheckBoxMotion"}});
    LabelHintUsed->hide();
    LabelCode->hide();
    ButtonCopyCode->hide();
    ButtonHint->setEnabled(false);
    ButtonRedo->setEnabled(false);
    ButtonRandom->setEnabled(false);
    ButtonCollection->setEnabled(false);
    hide();
}

void TPlayOverlay::Place()
{
    move(parentWidget()->width() - Width - Inset, Inset);
}

QString TPlayOverlay::Code() const
{
    return LabelCode->isVisibleTo(this) ? LabelCode->text() : QString();
}

void TPlayOverlay::ShowStatus(const GameStatus& status)
{
    setVisible(status.ModeShown == MenuPuzzle);
    SetText(LabelTesuu, Messages::MoveCounter(status.Moves));
    SetText(LabelSaitan, Messages::ParText(status.Par));
    ButtonHint->setEnabled(status.Enabled.Hint);
    ButtonRedo->setEnabled(status.Enabled.Redo);
    ButtonRandom->setEnabled(status.Enabled.NewProblem);
    ButtonCollection->setEnabled(status.Enabled.NewProblem);
    LabelHintUsed->setVisible(status.HintUsed);
    const bool coded = status.Problem.Code.has_value();
    if (coded)
        SetText(LabelCode, QString::fromStdString(FormatProblemCode(*status.Problem.Code)));
    LabelCode->setVisible(coded);
    ButtonCopyCode->setVisible(coded);
}
