// FormKeys.cpp: the keyboard: shortcuts for the buttons, points and operations chosen by key, and fitting the view.
#include "ui/VandrelPathU.h"

#include <algorithm>
#include <climits>

#include <QAction>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSlider>

#include "core/Checked.h"
#include "plot/MyImageU.h"
#include "ui/Controls.h"

namespace {

QList<QKeySequence> Unique(QList<QKeySequence> keys)
{
    QList<QKeySequence> unique;
    for (const QKeySequence& key : keys) {
        if (!key.isEmpty() && !unique.contains(key))
            unique.append(key);
    }
    return unique;
}

// The operation a key chooses from the operation group, or -1.
int OperationOfKey(int key)
{
    switch (key) {
    case Qt::Key_R: return OpR;
    case Qt::Key_L: return OpL;
    case Qt::Key_H: return OpH;
    case Qt::Key_V: return OpV;
    case Qt::Key_Escape: return OpCancel;
    default: return -1;
    }
}

} // namespace

// Each shortcut presses its button, so it does exactly what the button does,
// and nothing while the button is disabled or out of sight.
void TFormMain::AddShortcut(const QList<QKeySequence>& keys, const QList<QPushButton*>& buttons)
{
    auto* action = new QAction(this);
    action->setShortcuts(Unique(keys));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [buttons] {
        for (QPushButton* button : buttons) {
            if (button->isEnabled() && button->isVisible()) {
                button->click();
                return;
            }
        }
    });
    addAction(action);
}

void TFormMain::CreateShortcuts()
{
    AddShortcut(QKeySequence::keyBindings(QKeySequence::Open), {ButtonOpenAll});
    AddShortcut(QKeySequence::keyBindings(QKeySequence::Save), {ButtonSaveAll, ButtonSave});
    AddShortcut(QKeySequence::keyBindings(QKeySequence::Undo), {ButtonUndo});
    AddShortcut(QKeySequence::keyBindings(QKeySequence::Redo) +
                    QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                {ButtonRedo});
    AddShortcut(QKeySequence::keyBindings(QKeySequence::HelpContents) + QList<QKeySequence>{QKeySequence(Qt::Key_F1)},
                {ButtonSetsumei});
    AddShortcut({QKeySequence(Qt::CTRL | Qt::Key_H)}, {ButtonHint});
    AddShortcut({QKeySequence(Qt::CTRL | Qt::Key_N)}, {ButtonRandom});
}

bool TFormMain::PlayKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key == Qt::Key_Home) {
        FitView();
        return true;
    }
    if (session_.GameMode() != ModePlay || !plotImage_)
        return false;
    const TPuzzle& puzzle = session_.Puzzle();
    const int selected = puzzle.SelectedPivot();
    if (key == Qt::Key_BracketRight || key == Qt::Key_PageDown) {
        SelectPointByKey(selected == 0 ? 1 : std::min(selected + 1, int{puzzle.PointCount()}));
        return true;
    }
    if (key == Qt::Key_BracketLeft || key == Qt::Key_PageUp) {
        SelectPointByKey(selected == 0 ? 1 : std::max(selected - 1, 1));
        return true;
    }
    const int op = OperationOfKey(key);
    if (op < 0 || !RadioGroupSousa->isVisible())
        return false;
    RadioGroupSousa->Item(op)->click();
    return true;
}

// As a click on the point would: its tail in blue, the operation group beside it.
void TFormMain::SelectPointByKey(int index)
{
    const PathPoint& p = session_.Puzzle().Work(index);
    const QPoint at = plotImage_->WorldToPixel(p.X, p.Y);
    SelectInPlay(p.X, p.Y, at.x(), at.y());
}

void TFormMain::FitView()
{
    if (!plotImage_)
        return;
    const TPuzzle& puzzle = session_.Puzzle();
    std::int64_t left = INT32_MAX, right = INT32_MIN, bottom = INT32_MAX, top = INT32_MIN;
    for (int i = 1; i <= puzzle.PointCount(); ++i) {
        left = std::min<std::int64_t>(left, puzzle.Work(i).X);
        right = std::max<std::int64_t>(right, puzzle.Work(i).X);
        bottom = std::min<std::int64_t>(bottom, puzzle.Work(i).Y);
        top = std::max<std::int64_t>(top, puzzle.Work(i).Y);
    }
    // The largest step of the zoom bar at which the whole path fits, or its smallest.
    int unit = TrackBarUnit->minimum();
    for (int u = TrackBarUnit->maximum(); u > TrackBarUnit->minimum(); --u) {
        if ((right - left) * u + 2 * FitMargin <= plotImage_->width() &&
            (top - bottom) * u + 2 * FitMargin <= plotImage_->height()) {
            unit = u;
            break;
        }
    }
    const double centreX = (left + right) / 2.0;
    const double centreY = (bottom + top) / 2.0;
    SetZoom(unit);
    const QPoint centre = plotImage_->WorldToPixel(centreX, centreY);
    PanBy(CheckedSub(plotImage_->width() / 2, centre.x()), CheckedSub(plotImage_->height() / 2, centre.y()));
}

// The zoom bar moved to `unit` by the program: the scale follows without a
// redraw of its own; the caller draws once it has placed the view.
void TFormMain::SetZoom(int unit)
{
    const QSignalBlocker quiet(TrackBarUnit);
    TrackBarUnit->setValue(unit);
    plotImage_->SetUnit(TrackBarUnit->value());
    plotImage_->SetFontSize(plotImage_->Unit);
}
