// CoordinatePanel.h: the strip at the window's left: the zoom bar and the four arrow buttons.
#pragma once

#include <QFrame>

class QSlider;
class TPressButton;

// Tags of the four arrow buttons: which way each moves the drawing.
enum ArrowTag : int { ArrowUp = 1, ArrowDown = 2, ArrowLeft = 3, ArrowRight = 4 };

// PanelZahyouHenkan: TrackBarUnit above PanelIdou. Signals what the player
// asks of the view; shows the scale it is given.
class TCoordinatePanel : public QFrame {
    Q_OBJECT
public:
    explicit TCoordinatePanel(QWidget* parent);

    // The zoom bar follows the view's scale without telling anyone.
    void ShowUnit(int unit);

    QSlider* TrackBarUnit = nullptr;
    QFrame* PanelIdou = nullptr;
    TPressButton* ButtonUp = nullptr;
    TPressButton* ButtonDown = nullptr;
    TPressButton* ButtonLeft = nullptr;
    TPressButton* ButtonRight = nullptr;

signals:
    void TrackBarUnitChange(int unit);
    // An arrow pressed: the drawing moves so many world units (y downward).
    void ButtonUpMouseDown(int unitsX, int unitsY);

private:
    void ArrowPressed(TPressButton* sender, int shift);
};
