// frontend.js: the page as the game's front end: time and ticks, jobs between events, the picture and status, messages that hold the game.

// While a message or question is open the game is held, as a modal dialog
// holds the window's: no ticks, no jobs, and what it draws or shows meanwhile
// waits behind the message, which stands over the picture as it was.
export class FrontEnd {
  // `painter.paint(commands)` draws a picture; `showStatus(status)` shows the
  // rest; `showMessage(text)` resolves when the player has closed it.
  constructor({ painter, showStatus, showMessage, messageText, records }) {
    this.painter = painter;
    this.statusShown = showStatus;
    this.messageShown = showMessage;
    this.messageText = messageText;
    this.records = records;
    this.game = null;        // set once the module is loaded
    this.holds = 0;          // messages and questions open
    this.messages = [];      // messages waiting for the one open
    this.picture = null;     // the commands to paint, or those held
    this.pictureHeld = null;
    this.paintQueued = false;
    this.statusHeld = null;
    this.due = null;         // when the game wants its next tick
    this.timer = null;
    this.frame = null;
    this.jobQueued = false;
    this.paints = 0;         // pictures painted, for the tests and the figures
    this.paintWaiters = [];
  }

  attach(game) {
    this.game = game;
  }

  now() {
    return performance.now() / 1000;
  }

  // ---- ticks ----------------------------------------------------------------

  wantTick(due) {
    this.due = due;
    this.arm();
  }

  // A tick due within a frame comes with the next frame; later ones by a timer.
  arm() {
    clearTimeout(this.timer);
    cancelAnimationFrame(this.frame);
    this.timer = this.frame = null;
    if (this.due === null || this.holds > 0) return;
    const wait = (this.due - this.now()) * 1000;
    if (wait <= 20) this.frame = requestAnimationFrame(() => this.fire());
    else this.timer = setTimeout(() => this.fire(), wait);
  }

  fire() {
    this.timer = this.frame = null;
    if (this.holds === 0 && this.game) this.game.tick();
  }

  // ---- jobs -----------------------------------------------------------------

  // A job waits: it runs on a turn of its own, so input and frames come between.
  jobsWaiting() {
    if (this.jobQueued || this.holds > 0) return;
    this.jobQueued = true;
    setTimeout(() => {
      this.jobQueued = false;
      if (this.holds === 0 && this.game.runJob()) this.jobsWaiting();
    }, 0);
  }

  // ---- the picture and the status --------------------------------------------

  draw(commands) {
    if (this.messageOpen()) {
      this.pictureHeld = commands;
      return;
    }
    this.picture = commands;
    // Several pictures in one call of the game: only the last is painted,
    // before the browser shows the frame.
    if (!this.paintQueued) {
      this.paintQueued = true;
      queueMicrotask(() => this.paint());
    }
  }

  paint() {
    this.paintQueued = false;
    if (!this.picture) return;
    this.painter.paint(this.picture);
    this.paints += 1;
    if (this.paints === 1) performance.mark('vandrel-first-frame');
    for (const resolve of this.paintWaiters.splice(0)) resolve(this.paints);
  }

  repaint() {
    if (this.picture && !this.paintQueued) this.paint();
  }

  // Resolves once the next picture has been painted.
  nextPaint() {
    return new Promise((resolve) => this.paintWaiters.push(resolve));
  }

  showStatus(status) {
    if (this.messageOpen()) this.statusHeld = status;
    else this.statusShown(status);
  }

  // ---- messages and questions -------------------------------------------------

  messageOpen() {
    return this.messages.length > 0;
  }

  showMessage(message) {
    this.say(this.messageText(message));
  }

  // A run-time error: its words as a message, and the game goes on.
  report(text) {
    this.say(text);
  }

  say(text) {
    this.messages.push(text);
    if (this.messages.length > 1) return;
    this.hold();
    this.showNext();
  }

  async showNext() {
    await this.messageShown(this.messages[0]);
    this.messages.shift();
    if (this.messages.length > 0) {
      this.showNext();
      return;
    }
    if (this.statusHeld) this.statusShown(this.statusHeld);
    if (this.pictureHeld) this.draw(this.pictureHeld);
    this.statusHeld = this.pictureHeld = null;
    this.release();
  }

  hold() {
    this.holds += 1;
    this.arm();
  }

  release() {
    this.holds -= 1;
    if (this.holds > 0) return;
    this.arm();
    if (this.game) this.game.after();
  }
}
