// keys.js: the keyboard as in the window: the game's keys, and shortcuts that press their buttons.

const $ = (id) => document.getElementById(id);

const Operations = { r: 1, l: 2, h: 3, v: 4, escape: 0 };

// Ctrl with a letter presses the first of its buttons that is enabled and in sight.
const Shortcuts = {
  o: ['open'],
  s: ['save-copy', 'save-drawn'],
  z: ['undo'],
  y: ['redo'],
  h: ['hint'],
  n: ['random'],
};

// A shortcut does what its button does, and nothing while that button is
// disabled or out of sight.
function press(ids) {
  for (const id of ids) {
    const button = $(id);
    if (!button.disabled && button.offsetParent !== null && !button.closest('[hidden]')) {
      button.click();
      return true;
    }
  }
  return false;
}

// An arrow key moves the view a world unit over the world in its direction:
// the left arrow brings more of the world's left side into view. Shift: five.
function arrow(game, event) {
  const units = event.shiftKey ? 5 : 1;
  switch (event.key) {
    case 'ArrowLeft': game.panUnits(units, 0); return true;
    case 'ArrowUp': game.panUnits(0, units); return true;
    case 'ArrowRight': game.panUnits(-units, 0); return true;
    case 'ArrowDown': game.panUnits(0, -units); return true;
    default: return false;
  }
}

// Keys the page keeps even when their button cannot be pressed, as the
// window's actions do: the browser's own Open, Save and History must not come
// up over a play (a file chosen there would take the page away).
const Kept = new Set(['o', 's', 'h']);

const keptKey = (event) => (event.ctrlKey || event.metaKey) && !event.altKey && Kept.has(event.key.toLowerCase());

function shortcut(event) {
  const key = event.key.toLowerCase();
  if (key === 'z' && event.shiftKey) return press(Shortcuts.y);
  if (key === 'c') return !String(window.getSelection()) && press(['copy-code']);
  return (Object.hasOwn(Shortcuts, key) && press(Shortcuts[key])) || keptKey(event);
}

// Whether the game took the key.
function gameKey(game, panels, event) {
  // Alt and Command with an arrow are the browser's: back, forward, line ends.
  if (!event.altKey && !event.metaKey && arrow(game, event)) return true;
  if (event.altKey || event.ctrlKey || event.metaKey) return false;
  switch (event.key) {
    case 'Home': game.fit(); return true;
    case ']':
    case 'PageDown': return game.pickNext(1) !== 0;
    case '[':
    case 'PageUp': return game.pickNext(-1) !== 0;
    default: break;
  }
  const op = Operations[event.key.toLowerCase()];
  if (op === undefined || !panels.menuShown()) return false;
  game.chooseOperation(op);
  return true;
}

export function listenToKeys(game, panels, anyDialogOpen) {
  document.addEventListener('keydown', (event) => {
    if (anyDialogOpen() || event.isComposing) {
      if (keptKey(event)) event.preventDefault();
      return;
    }
    const typing = event.target.matches('input[type="text"], input[type="number"], select, textarea');
    let taken = false;
    if (event.key === 'F1') taken = press(['help-button']);
    else if ((event.ctrlKey || event.metaKey) && event.key.length === 1) taken = !event.altKey && shortcut(event);
    else if (!typing) taken = gameKey(game, panels, event);
    if (taken) event.preventDefault();
  });
}
