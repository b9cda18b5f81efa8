// Keyboard.h: the keys of the game: arrows move the picture, keys of a play pick points and choose operations, shortcuts press buttons.
#pragma once

#include <functional>

#include <QList>
#include <QKeySequence>

class QPushButton;
class QWidget;
class TControlPanel;
class TGame;
class TPlayOverlay;

// What a key pressed anywhere in the window does to the game; true when the
// game took it, and so no control may act on it.
bool GameKeyDown(TGame& game, int key, Qt::KeyboardModifiers modifiers);

// A shortcut of the window that presses the first of `buttons` that is
// enabled and in sight: it does exactly what that button does, and nothing
// while none can be pressed. `press`, when given, is done in place of the
// button's press.
void AddShortcut(QWidget* window, const QList<QKeySequence>& keys, const QList<QPushButton*>& buttons,
                 const std::function<void(QPushButton*)>& press = {});

// The window's shortcuts, in the desktop's usual keys where there are such:
// open, save, undo, redo, help, hint, a random problem, the collection, copy
// the code, and the day's problem (`daily`) where the collection could be
// opened.
void AddWindowShortcuts(QWidget* window, const TControlPanel& controls, const TPlayOverlay& overlay,
                        const std::function<void()>& daily);
