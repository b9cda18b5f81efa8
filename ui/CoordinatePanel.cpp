// CoordinatePanel.cpp: building the zoom strip and turning its presses into moves of the view.
#include "ui/CoordinatePanel.h"

#include <QSlider>
#include <QVBoxLayout>

#include "game/ShiftBits.h"
#include "game/View.h"
#include "ui/Controls.h"

TCoordinatePanel::TCoordinatePanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFixedWidth(40);
    setObjectName(QStringLiteral("PanelZahyouHenkan"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);

    TrackBarUnit = new QSlider(Qt::Vertical, this);
    TrackBarUnit->setObjectName(QStringLiteral("TrackBarUnit"));
    TrackBarUnit->setRange(TGameView::MinUnit, TGameView::MaxUnit);
    TrackBarUnit->setValue(TGameView::StartUnit);
    TrackBarUnit->setPageStep(4);
    TrackBarUnit->setTickPosition(QSlider::TicksLeft);
    TrackBarUnit->setTickInterval(1);
    TrackBarUnit->setToolTip(QStringLiteral("爪を移動すると拡大・縮小します"));
    TrackBarUnit->setFocusPolicy(Qt::NoFocus);
    column->addWidget(TrackBarUnit, 1, Qt::AlignHCenter);
    connect(TrackBarUnit, &QSlider::valueChanged, this, &TCoordinatePanel::TrackBarUnitChange);

    PanelIdou = new QFrame(this);
    PanelIdou->setObjectName(QStringLiteral("PanelIdou"));
    auto* arrows = new QVBoxLayout(PanelIdou);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    const struct {
        TPressButton*& Button;
        const char* Caption;
        ArrowTag Tag;
        const char* Name;
    } buttons[] = {
        {ButtonUp, "↑", ArrowUp, "ButtonUp"},
        {ButtonDown, "↓", ArrowDown, "ButtonDown"},
        {ButtonLeft, "←", ArrowLeft, "ButtonLeft"},
        {ButtonRight, "→", ArrowRight, "ButtonRight"},
    };
    for (const auto& b : buttons) {
        b.Button = new TPressButton(QString::fromUtf8(b.Caption), PanelIdou, b.Tag);
        b.Button->setObjectName(QLatin1String(b.Name));
        b.Button->setFixedSize(33, 33);
        arrows->addWidget(b.Button);
        TPressButton* button = b.Button;
        connect(button, &TPressButton::MouseDown, this,
                [this, button](Qt::MouseButton, int shift) { ArrowPressed(button, shift); });
    }
    column->addWidget(PanelIdou, 0, Qt::AlignHCenter);
}

void TCoordinatePanel::ShowUnit(int unit)
{
    if (TrackBarUnit->value() == unit)
        return;
    const QSignalBlocker quiet(TrackBarUnit);
    TrackBarUnit->setValue(unit);
}

// The buttons move the drawing itself in the arrow's direction, on the press
// of any mouse button; the second press of a double click moves it five units.
void TCoordinatePanel::ArrowPressed(TPressButton* sender, int shift)
{
    const int units = (shift & DoubleClick) ? 5 : 1;
    switch (sender->Tag()) {
    case ArrowUp: emit ButtonUpMouseDown(0, -units); break;
    case ArrowDown: emit ButtonUpMouseDown(0, units); break;
    case ArrowLeft: emit ButtonUpMouseDown(-units, 0); break;
    case ArrowRight: emit ButtonUpMouseDown(units, 0); break;
    }
}
