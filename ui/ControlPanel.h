// ControlPanel.h: the window's right-hand strip: the mode menu, the mode panels, the demonstration's panel, help and quit.
#pragma once

#include <array>
#include <cstdint>

#include <QFrame>

#include "game/Status.h"

class QPushButton;
class TCreationPanel;
class TDemonstrationPanel;
class TPressButton;
class TPuzzlePanel;
class TRadioGroup;

// PanelMain, top to bottom: RadioGroupMenu, PanelMondai, PanelPuzzle,
// PanelJidou and PanelSaitan; PanelClose at the bottom.
class TControlPanel : public QFrame {
    Q_OBJECT
public:
    explicit TControlPanel(QWidget* parent);
    void ShowStatus(const GameStatus& status);

    // The eight buttons that each state switches together, in the order of
    // the bits of a button mask: entry begin, save (creation), start, undo,
    // pause, continue, save (play), open.
    std::array<QPushButton*, 8> ManagedButtons() const;
    std::uint8_t ButtonMaskNow() const;

    TRadioGroup* RadioGroupMenu = nullptr;
    TCreationPanel* Creation = nullptr;
    TPuzzlePanel* Puzzle = nullptr;
    TDemonstrationPanel* Demonstration = nullptr;
    QFrame* PanelClose = nullptr;
    TPressButton* ButtonSetsumei = nullptr;
    TPressButton* ButtonClose = nullptr;
};
