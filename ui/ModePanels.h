// ModePanels.h: the panels of the two modes and of the demonstration, in the window's right-hand strip.
#pragma once

#include <QFrame>

#include "game/Status.h"

class QCheckBox;
class QLabel;
class QSlider;
class TPressButton;

// Tags of the two save buttons: the creation panel's names the saved problem
// after its file; the play panel's saves a copy and keeps the name.
enum SaveTag : int { SaveNamed = 1, SaveCopy = 2 };

// PanelMondai: drawing a new problem.
class TCreationPanel : public QFrame {
    Q_OBJECT
public:
    explicit TCreationPanel(QWidget* parent);
    void ShowStatus(const GameStatus& status);

    QLabel* LabelMondai = nullptr;
    TPressButton* ButtonNyuuryokuBegin = nullptr;
    TPressButton* ButtonNyuuryokuEnd = nullptr;
    TPressButton* ButtonSave = nullptr;
};

// PanelPuzzle: opening problems and the timed play.
class TPuzzlePanel : public QFrame {
    Q_OBJECT
public:
    explicit TPuzzlePanel(QWidget* parent);
    void ShowStatus(const GameStatus& status);

    QLabel* LabelPuzzle = nullptr;
    TPressButton* ButtonOpenAll = nullptr;
    TPressButton* ButtonStart = nullptr;
    TPressButton* ButtonContinue = nullptr;
    TPressButton* ButtonUndo = nullptr;
    TPressButton* ButtonPause = nullptr;
    TPressButton* ButtonSaveAll = nullptr;
    QLabel* PanelTime = nullptr;
    TPressButton* ButtonJidou = nullptr;
};

// PanelJidou with "次" and the wait, and just below it PanelSaitan with the
// option of a shortest solution; both shown while the demonstration is.
class TDemonstrationPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDemonstrationPanel(QWidget* parent);
    void ShowStatus(const GameStatus& status);

    QFrame* PanelJidou = nullptr;
    TPressButton* ButtonStep = nullptr;
    QLabel* LabelWait = nullptr;
    QSlider* TrackBarWait = nullptr;
    QFrame* PanelSaitan = nullptr;
    QCheckBox* CheckBoxSaitan = nullptr;
};
