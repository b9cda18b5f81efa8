// pointer.js: the mouse, the wheel and touch on the picture, turned into the game's presses, moves and zooms.

const ShiftKey = 1;
const ControlKey = 4;
const DoubleClick = 64;
const EntryMode = 1;

const DoublePressMs = 500;  // a second press this soon, this near, is a double click
const DoublePressPx = 6;
const DragPx = 6;           // a press that moves farther drags
const WheelNotch = 100;     // CSS pixels of scrolling a notch

// Presses of one control: whether each is the second of a double click.
export class PressCounter {
  constructor() {
    this.last = null;
  }

  isDouble(event) {
    const now = event.timeStamp;
    const last = this.last;
    const double = last !== null && now - last.time < DoublePressMs &&
      Math.abs(event.clientX - last.x) <= DoublePressPx && Math.abs(event.clientY - last.y) <= DoublePressPx;
    this.last = double ? null : { time: now, x: event.clientX, y: event.clientY };
    return double;
  }
}

function shiftBits(event) {
  return (event.shiftKey ? ShiftKey : 0) | (event.ctrlKey || event.metaKey ? ControlKey : 0);
}

// A mouse acts as in the window: a press picks (or, in an entry, a double
// click ends it), Ctrl or the middle button drag the picture, the wheel zooms
// about the pointer. A drag that begins anywhere but on a point it picked
// moves the picture too, except while a path is being drawn.
//
// A finger taps where a mouse clicks (the press is made when it lifts, so
// that a tap that becomes a drag or a pinch picks nothing); one finger drags
// the picture, or the band of an entry; two pinch to zoom and drag to pan.
export class PictureInput {
  // `blocked()` is true while a dialog stands over the picture.
  constructor(canvas, game, panels, blocked) {
    this.canvas = canvas;
    this.game = game;
    this.panels = panels;
    this.presses = new PressCounter();
    this.touches = new Map();  // pointer id -> its last place
    this.press = null;         // the press under way: { id, x, y, touch, dragging, mayDrag }
    this.pinch = null;
    this.wheelRest = 0;
    // A press, drag or pinch under a dialog, or begun before it opened, is
    // dropped: the picture holds still behind it, and picks nothing after.
    const unlessBlocked = (handle) => (e) => {
      if (!blocked()) handle(e);
      else this.drop(e);
    };
    canvas.addEventListener('pointerdown', unlessBlocked((e) => this.down(e)));
    canvas.addEventListener('pointermove', unlessBlocked((e) => this.move(e)));
    canvas.addEventListener('pointerup', unlessBlocked((e) => this.up(e)));
    canvas.addEventListener('pointercancel', (e) => this.cancel(e));
    canvas.addEventListener('wheel', unlessBlocked((e) => this.wheel(e)), { passive: false });
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  }

  at(event) {
    const box = this.canvas.getBoundingClientRect();
    return [Math.floor(event.clientX - box.left), Math.floor(event.clientY - box.top)];
  }

  entering() {
    return this.panels.status !== null && this.panels.status.gameMode === EntryMode;
  }

  down(event) {
    event.preventDefault();
    this.canvas.setPointerCapture(event.pointerId);
    const [x, y] = this.at(event);
    if (event.pointerType === 'touch') {
      this.touches.set(event.pointerId, { x, y });
      if (this.touches.size === 2) this.beginPinch();
      else if (this.touches.size === 1) {
        this.press = { id: event.pointerId, x, y, touch: true, dragging: false, mayDrag: !this.entering() };
        if (this.entering()) this.game.mouseMove(x, y);
      }
      return;
    }
    // Every button acts alike, as in the window, but the middle one pans;
    // the side buttons are the browser's back and forward.
    if (event.button > 2) return;
    const shift = shiftBits(event) | (this.presses.isDouble(event) ? DoubleClick : 0);
    const panButton = event.button === 1;
    const entering = this.entering();
    this.game.mouseDown(shift, panButton, x, y);
    const panning = panButton || (shift & ControlKey) !== 0;
    const picked = this.panels.menuShown() && this.panels.menuAt && this.panels.menuAt.x === x &&
      this.panels.menuAt.y === y;
    this.press = { id: event.pointerId, x, y, touch: false, dragging: panning, mayDrag: !panning && !entering && !picked };
  }

  move(event) {
    const [x, y] = this.at(event);
    if (event.pointerType === 'touch') {
      if (!this.touches.has(event.pointerId)) return;
      this.touches.set(event.pointerId, { x, y });
      if (this.pinch) this.movePinch();
      else if (this.press && this.press.id === event.pointerId) this.drag(x, y);
      return;
    }
    if (this.press && this.press.id === event.pointerId) this.drag(x, y);
    else this.game.mouseMove(x, y);
  }

  // A press that moves far enough from where it began drags the picture from there.
  drag(x, y) {
    const p = this.press;
    if (!p.dragging && p.mayDrag && Math.hypot(x - p.x, y - p.y) > DragPx) {
      p.dragging = true;
      this.game.mouseDown(ControlKey, false, p.x, p.y);
    }
    if (p.dragging || !p.touch || this.entering()) this.game.mouseMove(x, y);
  }

  up(event) {
    if (event.pointerType === 'touch') {
      const wasPinch = this.pinch !== null;
      this.touches.delete(event.pointerId);
      if (wasPinch) {
        if (this.touches.size < 2) this.endPinch();
        return;
      }
    }
    const p = this.press;
    if (!p || p.id !== event.pointerId) return;
    this.press = null;
    if (p.touch && !p.dragging) {
      const [x, y] = this.at(event);
      this.game.mouseDown(this.presses.isDouble(event) ? DoubleClick : 0, false, x, y);
    }
    this.game.mouseUp();
  }

  drop(event) {
    event.preventDefault();
    this.press = null;
    this.pinch = null;
    this.touches.clear();
  }

  cancel(event) {
    this.touches.delete(event.pointerId);
    if (this.pinch && this.touches.size < 2) this.endPinch();
    if (this.press && this.press.id === event.pointerId) {
      const dragging = this.press.dragging;
      this.press = null;
      if (dragging) this.game.mouseUp();
    }
  }

  // ---- two fingers ----------------------------------------------------------

  fingers() {
    const [a, b] = [...this.touches.values()];
    return { x: Math.round((a.x + b.x) / 2), y: Math.round((a.y + b.y) / 2), span: Math.hypot(a.x - b.x, a.y - b.y) };
  }

  // A second finger turns whatever the first began into a pinch.
  beginPinch() {
    if (this.press && this.press.dragging) this.game.mouseUp();
    this.press = null;
    const f = this.fingers();
    this.pinch = { span: Math.max(f.span, 1), unit: this.panels.status.unit };
    this.game.mouseDown(ControlKey, true, f.x, f.y);
  }

  // The scale follows the fingers' spread, about the point between them,
  // which the picture follows as they move.
  movePinch() {
    const f = this.fingers();
    const unit = Math.round(this.pinch.unit * f.span / this.pinch.span);
    const notches = unit - this.panels.status.unit;
    if (notches !== 0) this.game.wheel(notches, f.x, f.y);
    this.game.mouseMove(f.x, f.y);
  }

  endPinch() {
    this.pinch = null;
    this.game.mouseUp();
  }

  // ---- the wheel ------------------------------------------------------------

  // Whole notches about the pointer. A wheel's notch comes as one event whose
  // size differs between browsers, systems and page zooms: an event of half
  // a notch or more counts as whole notches, one at least. A touchpad's small
  // steps add up to notches.
  wheel(event) {
    event.preventDefault();
    const pixels = event.deltaMode === 1 ? event.deltaY * (WheelNotch / 3) : event.deltaMode === 2 ? event.deltaY * WheelNotch * 10 : event.deltaY;
    let notches;
    if (Math.abs(pixels) >= WheelNotch / 2) {
      this.wheelRest = 0;
      notches = -Math.sign(pixels) * Math.max(1, Math.round(Math.abs(pixels) / WheelNotch));
    } else {
      this.wheelRest -= pixels;
      notches = Math.trunc(this.wheelRest / WheelNotch);
      this.wheelRest -= notches * WheelNotch;
    }
    if (notches === 0) return;
    const [x, y] = this.at(event);
    this.game.wheel(notches, x, y);
  }
}
