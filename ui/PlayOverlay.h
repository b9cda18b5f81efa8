// PlayOverlay.h: the small panel over the picture's corner during puzzle play: moves, fewest moves, hint, redo, random problems, the code, the motion switch.
#pragma once

#include <QFrame>

#include "game/Status.h"

class QCheckBox;
class QLabel;
class TPressButton;

class TPlayOverlay : public QFrame {
    Q_OBJECT
public:
    static constexpr int Width = 180;
    static constexpr int Height = 156;
    static constexpr int Inset = 8;  // from the picture's top right corner

    explicit TPlayOverlay(QWidget* parent);
    void ShowStatus(const GameStatus& status);
    // Top right of the picture, whatever its size.
    void Place();
    // The random problem's code as shown, or nothing.
    QString Code() const;

    QLabel* LabelTesuu = nullptr;
    QLabel* LabelSaitan = nullptr;
    TPressButton* ButtonHint = nullptr;
    TPressButton* ButtonRedo = nullptr;
    TPressButton* ButtonRandom = nullptr;
    TPressButton* ButtonCollection = nullptr;
    QLabel* LabelHintUsed = nullptr;
    QLabel* LabelCode = nullptr;
    TPressButton* ButtonCopyCode = nullptr;
    QCheckBox* CheckBoxMotion = nullptr;
};
