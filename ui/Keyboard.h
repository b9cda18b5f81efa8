// Keyboard.h: the keys of the game: arrows move the picture, keys of a play pick points and choose operations, shortcuts press buttons.
#pragma once

#include <QList>
#include <QKeySequence>

class QPushButton;
class QWidget;
class TGame;

// What a key pressed anywhere in the window does to the game; true when the
// game took it, and so no control may act on it.
bool GameKeyDown(TGame& game, int key, Qt::KeyboardModifiers modifiers);

// A shortcut of the window that presses the first of `buttons` that is
// enabled and in sight: it does exactly what that button does, and nothing
// while none can be pressed.
void AddShortcut(QWidget* window, const QList<QKeySequence>& keys, const QList<QPushButton*>& buttons);
