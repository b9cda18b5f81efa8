// FormView.cpp: the picture of grid, axes and path, and zooming and panning it.
#include "ui/VandrelPathU.h"

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
    const QPointF topLeft = PlotImage->PixelToWorld(0, 0);
    const QPointF bottomRight = PlotImage->PixelToWorld(PlotImage->width(), PlotImage->height());
    ViewLeft = topLeft.x();
    ViewTop = topLeft.y();
    ViewRight = bottomRight.x();
    ViewBottom = bottomRight.y();
    ViewCenterX = (ViewLeft + ViewRight) / 2;
    ViewCenterY = (ViewBottom + ViewTop) / 2;
}

// White, grid and axes. Every redraw starts with this picture; the image
// keeps it and draws it afresh only when the view has changed.
void TFormMain::DrawBackground()
{
    PlotImage->DrawBackdrop(ViewLeft, ViewRight, ViewBottom, ViewTop, GridColour, AxesColour);
}

void TFormMain::DrawPath()
{
    if (!PlotImage)
        return;
    if (GameMode == ModeEntry) {
        RedrawEntry();
        return;
    }
    Puzzle.DeriveStructure();
    DrawBackground();
    PlotImage->SetPenColor(PathColour);
    PlotImage->SetPenWidth(3);
    const PathArray& p = Puzzle.WorkPath;
    PlotImage->MoveTo(p[1].X, p[1].Y);
    // Straight runs are one line from corner to corner. A path of one point has
    // no chain to walk.
    for (int c = 1; c < Puzzle.PointCount;) {
        const int next = p[c].NextCorner;
        if (next <= c)
            break;
        c = next;
        PlotImage->LineTo(p[c].X, p[c].Y);
    }
    PlotImage->Repaint();
}

void TFormMain::RecenterView()
{
    const QPoint centre = PlotImage->WorldToPixel(ViewCenterX, ViewCenterY);
    PlotImage->ShiftOrigin(CheckedSub(PlotImage->width() / 2, centre.x()),
                           CheckedSub(PlotImage->height() / 2, centre.y()));
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RunGuarded([this] { FormResize(); });
}

void TFormMain::FormResize()
{
    if (PlotImage) {
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
    PlotImage = new TMyImage(PanelImage);
    PlotImage->lower();  // the help text and the operation group lie on top of it
    PlotImage->show();
    PlotImage->SetUnit(20);
    connect(PlotImage, &TMyImage2::MouseDown, this, Guarded(this, &TFormMain::ImageMouseDown));
    connect(PlotImage, &TMyImage2::MouseMove, this, Guarded(this, &TFormMain::ImageMouseMove));
    connect(PlotImage, &TMyImage2::MouseUp, this, Guarded(this, &TFormMain::ImageMouseUp));
}

void TFormMain::TrackBarUnitChange()
{
    if (!PlotImage)
        return;
    PlotImage->SetUnit(TrackBarUnit->value());
    PlotImage->SetFontSize(PlotImage->Unit);
    RecenterView();
    UpdateViewWindow();
    DrawPath();
}

void TFormMain::PanBy(std::int32_t dx, std::int32_t dy)
{
    PlotImage->ShiftOrigin(dx, dy);
    UpdateViewWindow();
    DrawPath();
}

bool TFormMain::FormKeyDown(int key, int shift)
{
    if (!PlotImage)
        return false;
    const std::int32_t u = PlotImage->Unit;
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
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int shift = key->modifiers() & Qt::ShiftModifier ? ShiftKey : 0;
    bool consumed = true;  // a key whose handling failed goes no further
    RunGuarded([&] { consumed = FormKeyDown(key->key(), shift); });
    return consumed;
}

void TFormMain::ButtonUpMouseDown(TPressButton* sender, int shift)
{
    const std::int32_t u = PlotImage ? PlotImage->Unit : 0;
    std::int32_t dx = 0, dy = 0;
    switch (sender->Tag()) {
    case 1: dy = -u; break;
    case 2: dy = u; break;
    case 3: dx = -u; break;
    case 4: dx = u; break;
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
    const QPointF w = PlotImage->PixelToWorld(px, py);
    const double x = std::nearbyint(w.x());
    const double y = std::nearbyint(w.y());
    return {CheckedInt32(x), CheckedInt32(y)};
}

void TFormMain::ImageMouseDown(Qt::MouseButton, int shift, int x, int y)
{
    if (shift & ControlKey) {
        DragPanning = true;
        DragAnchorX = x;
        DragAnchorY = y;
        return;
    }
    const LatticePoint at = LatticeAt(x, y);
    if (GameMode == ModePlay)
        SelectInPlay(at.X, at.Y, x, y);
    else if (GameMode == ModeEntry && (shift & DoubleClick))
        ButtonNyuuryokuEndClick();
}

void TFormMain::ImageMouseMove(int, int x, int y)
{
    if (DragPanning) {
        const std::int32_t dx = CheckedSub(x, DragAnchorX);
        const std::int32_t dy = CheckedSub(y, DragAnchorY);
        DragAnchorX = x;
        DragAnchorY = y;
        PanBy(dx, dy);
        return;
    }
    EntryBand(x, y);
}

void TFormMain::ImageMouseUp(Qt::MouseButton, int, int, int)
{
    if (DragPanning) {
        DragPanning = false;
        DrawPath();
        return;
    }
    if (GameMode == ModeEntry)
        EntryCommit();
}
