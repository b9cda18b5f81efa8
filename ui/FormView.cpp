// FormView.cpp: the picture of grid, axes and path, and zooming and panning it.
#include "ui/VandrelPathU.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QSlider>

#include "core/Checked.h"
#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/VandrelApplication.h"

namespace {

constexpr std::int32_t GridColour = 0xC0C0C0;
constexpr std::int32_t AxesColour = 0x808080;
constexpr std::int32_t PathColour = 0x0000FF;

} // namespace

void TFormMain::UpdateViewWindow()
{
    const QPointF topLeft = plotImage_->PixelToWorld(0, 0);
    const QPointF bottomRight = plotImage_->PixelToWorld(plotImage_->width(), plotImage_->height());
    view_.Left = topLeft.x();
    view_.Top = topLeft.y();
    view_.Right = bottomRight.x();
    view_.Bottom = bottomRight.y();
    view_.CenterX = (view_.Left + view_.Right) / 2;
    view_.CenterY = (view_.Bottom + view_.Top) / 2;
}

// White, grid and axes. Every redraw starts with this picture; the image
// keeps it and draws it afresh only when the view has changed.
void TFormMain::DrawBackground()
{
    plotImage_->DrawBackdrop(view_.Left, view_.Right, view_.Bottom, view_.Top, GridColour, AxesColour);
}

void TFormMain::DrawPath()
{
    if (!plotImage_)
        return;
    if (session_.GameMode() == ModeEntry) {
        RedrawEntry();
        return;
    }
    TPuzzle& puzzle = session_.Puzzle();
    puzzle.DeriveStructure();
    DrawBackground();
    plotImage_->SetPenColor(PathColour);
    plotImage_->SetPenWidth(3);
    plotImage_->MoveTo(puzzle.Work(1).X, puzzle.Work(1).Y);
    // Straight runs are one line from corner to corner. A path of one point has
    // no chain to walk.
    for (int c = 1; c < puzzle.PointCount();) {
        const int next = puzzle.Work(c).NextCorner;
        if (next <= c)
            break;
        c = next;
        plotImage_->LineTo(puzzle.Work(c).X, puzzle.Work(c).Y);
    }
    plotImage_->Repaint();
    CancelStaleHint();
    RefreshOverlay();
}

void TFormMain::RecenterView()
{
    const QPoint centre = plotImage_->WorldToPixel(view_.CenterX, view_.CenterY);
    plotImage_->ShiftOrigin(CheckedSub(plotImage_->width() / 2, centre.x()),
                            CheckedSub(plotImage_->height() / 2, centre.y()));
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RunGuarded([this] { FormResize(); });
}

void TFormMain::FormResize()
{
    if (plotImage_) {
        RecenterView();
        UpdateViewWindow();
        DrawPath();
        return;
    }
    CreatePlotImage();
    ApplyButtonMask(MaskStartUp);
    UpdateViewWindow();
    LoadRecordsFile();
    LoadDefaultProblem();
}

void TFormMain::CreatePlotImage()
{
    plotImage_ = new TMyImage(PanelImage);
    plotImage_->setObjectName(QStringLiteral("PlotImage"));
    plotImage_->lower();  // the help text and the operation group lie on top of it
    plotImage_->show();
    plotImage_->SetUnit(20);
    connect(plotImage_, &TMyImage2::MouseDown, this, Guarded(this, &TFormMain::ImageMouseDown));
    connect(plotImage_, &TMyImage2::MouseMove, this, Guarded(this, &TFormMain::ImageMouseMove));
    connect(plotImage_, &TMyImage2::MouseUp, this, Guarded(this, &TFormMain::ImageMouseUp));
    connect(plotImage_, &TMyImage2::Wheel, this, Guarded(this, &TFormMain::ImageWheel));
}

void TFormMain::TrackBarUnitChange()
{
    if (!plotImage_)
        return;
    plotImage_->SetUnit(TrackBarUnit->value());
    plotImage_->SetFontSize(plotImage_->Unit);
    RecenterView();
    UpdateViewWindow();
    DrawPath();
}

// The wheel zooms by a step of the zoom bar a notch, about the point under
// the pointer: that world point stays where it is on the screen (to the
// nearest pixel). One redraw, whatever the bar did.
void TFormMain::ImageWheel(int notches, int x, int y)
{
    const int unit = std::clamp(TrackBarUnit->value() + notches, TrackBarUnit->minimum(), TrackBarUnit->maximum());
    if (unit == TrackBarUnit->value())
        return;
    const QPointF under = plotImage_->PixelToWorld(x, y);
    SetZoom(unit);
    const QPoint now = plotImage_->WorldToPixel(under.x(), under.y());
    PanBy(CheckedSub(x, now.x()), CheckedSub(y, now.y()));
}

void TFormMain::PanBy(std::int32_t dx, std::int32_t dy)
{
    plotImage_->ShiftOrigin(dx, dy);
    UpdateViewWindow();
    DrawPath();
}

bool TFormMain::FormKeyDown(int key, int shift)
{
    if (!plotImage_)
        return false;
    const std::int32_t u = plotImage_->Unit;
    std::int32_t dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left: dx = u; break;
    case Qt::Key_Up: dy = u; break;
    case Qt::Key_Right: dx = -u; break;
    case Qt::Key_Down: dy = -u; break;
    default: return false;
    }
    if (shift & ShiftKey) {
        dx = CheckedMul(dx, 5);
        dy = CheckedMul(dy, 5);
    }
    PanBy(dx, dy);
    return true;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PanelImage && event->type() == QEvent::Resize)
        PlaceOverlay();
    if (watched == PanelJidou && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        PanelSaitan->setVisible(PanelJidou->isVisible());
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int shift = key->modifiers() & Qt::ShiftModifier ? ShiftKey : 0;
    bool consumed = true;  // a key whose handling failed goes no further
    RunGuarded([&] { consumed = FormKeyDown(key->key(), shift) || PlayKeyDown(key->key(), key->modifiers()); });
    return consumed;
}

void TFormMain::ButtonUpMouseDown(TPressButton* sender, int shift)
{
    const std::int32_t u = plotImage_ ? plotImage_->Unit : 0;
    std::int32_t dx = 0, dy = 0;
    switch (sender->Tag()) {
    case ArrowUp: dy = -u; break;
    case ArrowDown: dy = u; break;
    case ArrowLeft: dx = -u; break;
    case ArrowRight: dx = u; break;
    }
    if (shift & DoubleClick) {
        dx = CheckedMul(dx, 5);
        dy = CheckedMul(dy, 5);
    }
    if (dx + dy != 0)
        PanBy(dx, dy);
}

LatticePoint TFormMain::LatticeAt(int px, int py) const
{
    // Halves go to the even neighbour, as the default rounding mode does.
    const QPointF w = plotImage_->PixelToWorld(px, py);
    const double x = std::nearbyint(w.x());
    const double y = std::nearbyint(w.y());
    return {CheckedInt32(x), CheckedInt32(y)};
}

void TFormMain::ImageMouseDown(Qt::MouseButton button, int shift, int x, int y)
{
    // A drag with control held, or with the middle button, moves the picture.
    if ((shift & ControlKey) || button == Qt::MiddleButton) {
        dragPanning_ = true;
        dragAnchorX_ = x;
        dragAnchorY_ = y;
        return;
    }
    const LatticePoint at = LatticeAt(x, y);
    if (session_.GameMode() == ModePlay)
        SelectInPlay(at.X, at.Y, x, y);
    else if (session_.GameMode() == ModeEntry && (shift & DoubleClick))
        ButtonNyuuryokuEndClick();
}

void TFormMain::ImageMouseMove(int, int x, int y)
{
    if (dragPanning_) {
        const std::int32_t dx = CheckedSub(x, dragAnchorX_);
        const std::int32_t dy = CheckedSub(y, dragAnchorY_);
        dragAnchorX_ = x;
        dragAnchorY_ = y;
        PanBy(dx, dy);
        return;
    }
    EntryBand(x, y);
}

void TFormMain::ImageMouseUp(Qt::MouseButton, int, int, int)
{
    if (dragPanning_) {
        dragPanning_ = false;
        DrawPath();
        return;
    }
    if (session_.GameMode() == ModeEntry)
        EntryCommit();
}
