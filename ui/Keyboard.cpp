// Keyboard.cpp: keys turned into the game's calls, and shortcuts turned into button presses.
#include "ui/Keyboard.h"

#include <QAction>
#include <QPushButton>
#include <QWidget>

#include "core/Moves.h"
#include "game/Game.h"
#include "ui/ControlPanel.h"
#include "ui/Controls.h"
#include "ui/ModePanels.h"
#include "ui/PlayOverlay.h"

namespace {

QList<QKeySequence> Unique(const QList<QKeySequence>& keys)
{
    QList<QKeySequence> unique;
    for (const QKeySequence& key : keys) {
        if (!key.isEmpty() && !unique.contains(key))
            unique.append(key);
    }
    return unique;
}

// The operation a key chooses from the operation menu, or -1.
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

// An arrow key moves the view a world unit over the world in its direction:
// the left arrow brings more of the world's left side into view. Shift: five.
bool ArrowKeyDown(TGame& game, int key, Qt::KeyboardModifiers modifiers)
{
    const int units = (modifiers & Qt::ShiftModifier) ? 5 : 1;
    switch (key) {
    case Qt::Key_Left: game.PanUnits(units, 0); return true;
    case Qt::Key_Up: game.PanUnits(0, units); return true;
    case Qt::Key_Right: game.PanUnits(-units, 0); return true;
    case Qt::Key_Down: game.PanUnits(0, -units); return true;
    default: return false;
    }
}

} // namespace

bool GameKeyDown(TGame& game, int key, Qt::KeyboardModifiers modifiers)
{
    if (!game.View().Sized())
        return false;
    if (ArrowKeyDown(game, key, modifiers))
        return true;
    // Ctrl++ (or Ctrl+=) and Ctrl+- zoom a step, as the slider does.
    if ((modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        const int step = key == Qt::Key_Plus || key == Qt::Key_Equal ? 1 : key == Qt::Key_Minus ? -1 : 0;
        if (step != 0)
            game.Zoom(game.View().Unit() + step);
        return step != 0;
    }
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key) {
    case Qt::Key_Home: game.Fit(); return true;
    case Qt::Key_BracketRight:
    case Qt::Key_PageDown: return game.PickNextPoint(1);
    case Qt::Key_BracketLeft:
    case Qt::Key_PageUp: return game.PickNextPoint(-1);
    }
    const int op = OperationOfKey(key);
    if (op < 0 || !game.Status().Operations.Shown)
        return false;
    game.ChooseOperation(op);
    return true;
}

void AddShortcut(QWidget* window, const QList<QKeySequence>& keys, const QList<QPushButton*>& buttons,
                 const std::function<void(QPushButton*)>& press)
{
    auto* action = new QAction(window);
    action->setShortcuts(Unique(keys));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window, [buttons, press] {
        for (QPushButton* button : buttons) {
            if (button->isEnabled() && button->isVisible()) {
                press ? press(button) : button->click();
                return;
            }
        }
    });
    window->addAction(action);
}

void AddWindowShortcuts(QWidget* window, const TControlPanel& controls, const TPlayOverlay& overlay,
                        const std::function<void()>& daily)
{
    const TPuzzlePanel& puzzle = *controls.Puzzle;
    const auto keys = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };
    AddShortcut(window, keys(QKeySequence::Open), {puzzle.ButtonOpenAll});
    AddShortcut(window, keys(QKeySequence::Save), {puzzle.ButtonSaveAll, controls.Creation->ButtonSave});
    AddShortcut(window, keys(QKeySequence::Undo), {puzzle.ButtonUndo});
    AddShortcut(window,
                keys(QKeySequence::Redo) +
                    QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                {overlay.ButtonRedo});
    AddShortcut(window, keys(QKeySequence::HelpContents) + QList<QKeySequence>{QKeySequence(Qt::Key_F1)},
                {controls.ButtonSetsumei});
    AddShortcut(window, {QKeySequence(Qt::CTRL | Qt::Key_H)}, {overlay.ButtonHint});
    AddShortcut(window, {QKeySequence(Qt::CTRL | Qt::Key_N)}, {overlay.ButtonRandom});
    AddShortcut(window, {QKeySequence(Qt::CTRL | Qt::Key_L)}, {overlay.ButtonCollection});
    AddShortcut(window, keys(QKeySequence::Copy), {overlay.ButtonCopyCode});
    AddShortcut(window, {QKeySequence(Qt::CTRL | Qt::Key_D)}, {overlay.ButtonCollection}, [daily](QPushButton*) { daily(); });
}
