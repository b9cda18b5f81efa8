// ControlPanel.cpp: stacking the right-hand strip and passing the game's status to its panels.
#include "ui/ControlPanel.h"

#include <QApplication>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/Messages.h"
#include "ui/ModePanels.h"

TControlPanel::TControlPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFixedWidth(134);
    setFont(Gothic(16, true));
    SetTextColour(this, QApplication::palette().color(QPalette::WindowText));
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    RadioGroupMenu = new TRadioGroup(QString(), {QStringLiteral("問題作成"), QStringLiteral("パズル実行")}, this);
    RadioGroupMenu->setFixedHeight(65);
    stack->addWidget(RadioGroupMenu);
    Creation = new TCreationPanel(this);
    stack->addWidget(Creation);
    Puzzle = new TPuzzlePanel(this);
    stack->addWidget(Puzzle);
    Demonstration = new TDemonstrationPanel(this);
    stack->addWidget(Demonstration);
    stack->addStretch(1);

    PanelClose = MakePanel(this, false);
    PanelClose->setFixedHeight(80);
    ButtonSetsumei = PlaceButton(PanelClose, Messages::ShowHelp, 7, 30, 0, 19, 96);
    ButtonClose = PlaceButton(PanelClose, QStringLiteral("終了"), 41, 30, 0, 20, 96);
    stack->addWidget(PanelClose);
    NameControls({{this, "PanelMain"}, {RadioGroupMenu, "RadioGroupMenu"}, {PanelClose, "PanelClose"},
                  {ButtonSetsumei, "ButtonSetsumei"}, {ButtonClose, "ButtonClose"}});
}

void TControlPanel::ShowStatus(const GameStatus& status)
{
    // Hide before showing: for a moment both panels would need their room,
    // and a window that is not maximised would keep the height it grew to.
    if (status.ModeShown == MenuCreation) {
        Puzzle->ShowStatus(status);
        Creation->ShowStatus(status);
    } else {
        Creation->ShowStatus(status);
        Puzzle->ShowStatus(status);
    }
    Demonstration->ShowStatus(status);
}

std::array<QPushButton*, 8> TControlPanel::ManagedButtons() const
{
    return {Creation->ButtonNyuuryokuBegin, Creation->ButtonSave, Puzzle->ButtonStart, Puzzle->ButtonUndo,
            Puzzle->ButtonPause, Puzzle->ButtonContinue, Puzzle->ButtonSaveAll, Puzzle->ButtonOpenAll};
}

std::uint8_t TControlPanel::ButtonMaskNow() const
{
    std::uint8_t mask = 0;
    const std::array<QPushButton*, 8> buttons = ManagedButtons();
    for (int bit = 0; bit < 8; ++bit) {
        if (buttons[static_cast<std::size_t>(bit)]->isEnabled())
            mask = static_cast<std::uint8_t>(mask | (1 << bit));
    }
    return mask;
}
