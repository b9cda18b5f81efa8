// panels.js: the game's status on the page's controls: which act, the mode panels, the clock, the play's panel, the operation menu, the caption.

import { captionFor, moveCounter, parText } from './texts.js';

const $ = (id) => document.getElementById(id);

// The controls that follow Controls' flags, by the flag's name.
const Enabled = {
  entryBegin: 'entry-begin',
  entryEnd: 'entry-end',
  saveDrawn: 'save-drawn',
  start: 'start',
  undo: 'undo',
  pause: 'pause',
  continue: 'continue',
  saveCopy: 'save-copy',
  open: 'open',
  step: 'step',
  redo: 'redo',
  hint: 'hint',
  newProblem: 'random',
};

const MenuCreation = 0;
const MenuPuzzle = 1;

export class Panels {
  constructor(picture) {
    this.picture = picture;  // the element the canvas fills
    this.status = null;
    this.menuAt = null;      // the click the operation menu was placed for
  }

  show(status) {
    this.status = status;
    for (const [flag, id] of Object.entries(Enabled)) $(id).disabled = !status.enabled[flag];
    $('creation').hidden = status.mode !== MenuCreation;
    $('puzzle').hidden = status.mode !== MenuPuzzle;
    $('play-panel').hidden = status.mode !== MenuPuzzle;
    $('demonstration').hidden = !status.demonstration;
    for (const radio of document.querySelectorAll('input[name="mode"]')) {
      radio.checked = Number(radio.value) === status.mode;
    }
    if (status.clock !== null) setText($('clock'), status.clock);
    setText($('moves'), moveCounter(status.moves));
    setText($('par'), parText(status.par));
    $('hint-used').hidden = !status.hintUsed;
    const code = status.problem.code;
    $('code').hidden = $('copy-code').hidden = code === null;
    if (code !== null) setText($('code'), code);
    $('zoom').value = status.unit;
    this.showCaption(status.problem);
    this.placeOperations(status.operations);
  }

  // The caption names a problem when it is named: a drawn path and the
  // sample leave it as it is.
  showCaption(problem) {
    if (!problem.named) return;
    const caption = captionFor(problem.name, problem.best);
    if (document.title !== caption) document.title = caption;
    setText($('caption'), caption);
  }

  // The menu hangs below a click in the upper half and stands above it in the
  // lower; it lies 32 pixels right of a click in the left half and ends 32
  // pixels left of one in the right. Placed afresh for every pick.
  placeOperations(menu) {
    const group = $('operations');
    if (!menu.shown) {
      group.hidden = true;
      this.menuAt = null;
      return;
    }
    group.hidden = false;
    if (!this.menuAt || this.menuAt.x !== menu.x || this.menuAt.y !== menu.y) {
      this.menuAt = { x: menu.x, y: menu.y };
      const w = this.picture.clientWidth;
      const h = this.picture.clientHeight;
      // The halves as the window takes them, in whole pixels.
      const top = menu.y < Math.floor(h / 2) ? menu.y : menu.y - group.offsetHeight;
      const left = menu.x < Math.floor(w / 2) ? menu.x + 32 : menu.x - group.offsetWidth - 32;
      // A picture smaller than the menu's reach (a phone's) keeps it whole.
      const inside = (at, room) => Math.max(0, Math.min(at, room));
      group.style.left = `${inside(left, w - group.offsetWidth)}px`;
      group.style.top = `${inside(top, h - group.offsetHeight)}px`;
    }
    for (const item of group.querySelectorAll('button')) {
      item.classList.toggle('hinted', Number(item.dataset.op) === menu.hinted);
    }
  }

  menuShown() {
    return this.status !== null && this.status.operations.shown;
  }
}

// Sets a text only when it changes: every redraw comes here.
function setText(element, text) {
  if (element.textContent !== text) element.textContent = text;
}
