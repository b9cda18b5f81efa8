// main.js: the page put together: the game's module, the canvas, the controls, the address's problem code and the test interface.

import { anyOpen, askQuestion, chooseRandomProblem, showMessage } from './dialogs.js';
import { Painter } from './drawing.js';
import { openProblemFile, saveProblem } from './files.js';
import { FrontEnd } from './frontend.js';
import { Game } from './game.js';
import { listenToKeys } from './keys.js';
import { Panels } from './panels.js';
import { PictureInput, PressCounter } from './pointer.js';
import { Records } from './records.js';
import { badProblemCode, CopyFailed, HideHelp, Messages, NoNewProblemInPlay, Questions, SampleName, ShowHelp, StartFailed } from './texts.js';

const $ = (id) => document.getElementById(id);
const MenuPuzzle = 1;

const picture = $('picture');
const painter = new Painter($('plot'));
const panels = new Panels(picture);
const frontEnd = new FrontEnd({
  painter,
  showStatus: (status) => {
    panels.show(status);
    followCode(status.problem.code);
  },
  showMessage,
  messageText: (message) => Messages[message],
  records: new Records(() => window.localStorage),
});

let game = null;
let lastRandom = { points: 70, level: 1 };

// A question holds the game as a message does.
async function ask(question) {
  frontEnd.hold();
  try {
    return await askQuestion(Questions[question]);
  } finally {
    frontEnd.release();
  }
}

// ---- the picture's size -------------------------------------------------------

function pictureSize() {
  return [Math.max(picture.clientWidth, 1), Math.max(picture.clientHeight, 1)];
}

// The canvas follows the picture's size and the screen's pixel ratio. The
// observer's first call, before the first frame is shown, finds the size the
// start gave it, and the picture stands.
function fitCanvas() {
  const [width, height] = pictureSize();
  if (!painter.resize(width, height, window.devicePixelRatio || 1)) return;
  if (game) game.resize(width, height);
  frontEnd.repaint();
}

function followPixelRatio() {
  const ratio = window.matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
  ratio.addEventListener('change', () => {
    fitCanvas();
    followPixelRatio();
  }, { once: true });
}

// ---- the problem's code in the address ----------------------------------------

// A random problem's code stands in the address (…#70-1234567-n), so that the
// address plays it again; any other problem takes it away.
function followCode(code) {
  const hash = code === null ? '' : `#${code}`;
  if (window.location.hash === hash) return;
  window.history.replaceState(null, '', `${window.location.pathname}${window.location.search}${hash}`);
}

// The problem of the address's code, in puzzle play; a text that is no code
// says so and leaves the problem as it is.
async function playCode(code) {
  if (!game.isCode(code)) {
    frontEnd.say(badProblemCode(code));
    return;
  }
  // One question about a drawn path not saved: the move to puzzle play asks
  // it when the page is elsewhere. A player who stays keeps the address too.
  let stays;
  if (panels.status.mode === MenuPuzzle) {
    stays = !(await game.asking('mayReplaceProblem'));
  } else {
    await game.asking('chooseMode', MenuPuzzle);
    stays = panels.status.mode !== MenuPuzzle;
  }
  if (stays) {
    followCode(panels.status.problem.code);
    return;
  }
  if (!panels.status.enabled.newProblem) {
    frontEnd.say(NoNewProblemInPlay);
    return;
  }
  game.randomCode(code);
}

// A cut or mistyped link may hold an escape that decodes to nothing: it is
// read as it stands, and said to be no code.
function addressCode() {
  const hash = window.location.hash.slice(1);
  try {
    return decodeURIComponent(hash).trim();
  } catch {
    return hash.trim();
  }
}

// ---- the controls -------------------------------------------------------------

function onClick(id, action) {
  $(id).addEventListener('click', action);
}

async function randomProblem() {
  if (!(await game.asking('mayReplaceProblem'))) return;
  const request = await chooseRandomProblem(lastRandom);
  if (request === null) return;
  if (request.code !== '') {
    if (!game.randomCode(request.code)) {
      frontEnd.say(badProblemCode(request.code));
      return;
    }
    // Next time the code's own size and difficulty are proposed, as in the window.
    const [points, , letter] = request.code.split('-');
    lastRandom = { points: Number(points), level: 'enh'.indexOf(letter) };
    return;
  }
  lastRandom = { points: request.points, level: request.level };
  const seed = crypto.getRandomValues(new Uint32Array(2));
  game.randomProblem(request.points, request.level, (seed[0] * 2 ** 32 + seed[1]) % 1e10);
}

// The browser may have no clipboard for the page (an address that is not
// secure) or refuse it; the player is told rather than left guessing.
async function copyCode() {
  try {
    await navigator.clipboard.writeText($('code').textContent);
  } catch {
    frontEnd.say(CopyFailed);
  }
}

function toggleHelp() {
  const help = $('help');
  help.hidden = !help.hidden;
  $('help-button').textContent = help.hidden ? ShowHelp : HideHelp;
}

function wireControls() {
  for (const radio of document.querySelectorAll('input[name="mode"]')) {
    radio.addEventListener('change', async () => {
      await game.asking('chooseMode', Number(radio.value));
      panels.show(panels.status);
    });
  }
  onClick('entry-begin', () => game.asking('beginEntry'));
  onClick('entry-end', () => game.endEntry());
  onClick('save-drawn', () => saveProblem(game, panels.status.problem.name, false));
  onClick('open', () => {
    game.openingProblem();
    $('problem-file').value = '';
    $('problem-file').click();
  });
  $('problem-file').addEventListener('change', () => {
    const [file] = $('problem-file').files;
    if (file) openProblemFile(game, file, (text) => frontEnd.say(text));
  });
  onClick('start', () => game.asking('start'));
  onClick('continue', () => game.continue());
  onClick('undo', () => game.undo());
  onClick('pause', () => game.pause());
  onClick('save-copy', () => saveProblem(game, panels.status.problem.name, true));
  onClick('demonstrate', () => game.openDemonstration());
  // "次" acts on the press; the second press of a double click starts a run.
  const stepPresses = new PressCounter();
  $('step').addEventListener('pointerdown', (e) => {
    if (e.button === 0) game.pressStep(stepPresses.isDouble(e) ? 1 : 0);
  });
  $('step').addEventListener('click', (e) => {
    if (e.detail === 0) game.pressStep(0);  // the keyboard's press
  });
  $('wait').addEventListener('input', () => game.setWait(Number($('wait').value)));
  $('shortest').addEventListener('change', () => game.setShortest($('shortest').checked ? 1 : 0));
  $('motion').addEventListener('change', () => game.setAnimation($('motion').checked ? 1 : 0));
  onClick('hint', () => game.hint());
  onClick('redo', () => game.redo());
  onClick('random', randomProblem);
  onClick('copy-code', copyCode);
  onClick('help-button', toggleHelp);
  $('zoom').addEventListener('input', () => game.zoom(Number($('zoom').value)));
  // The arrow buttons move the drawing itself in the arrow's direction, on the
  // press; the second press of a double click moves it five units.
  for (const button of document.querySelectorAll('#arrows button')) {
    const presses = new PressCounter();
    button.addEventListener('pointerdown', (e) => {
      const units = presses.isDouble(e) ? 5 : 1;
      game.panUnits(Number(button.dataset.panX) * units, Number(button.dataset.panY) * units);
    });
  }
  for (const item of document.querySelectorAll('#operations button')) {
    item.addEventListener('click', () => game.chooseOperation(Number(item.dataset.op)));
  }
  window.addEventListener('beforeunload', (e) => {
    if (panels.status && panels.status.unsaved) e.preventDefault();
  });
  window.addEventListener('hashchange', () => {
    const code = addressCode();
    if (code !== '' && code !== panels.status.problem.code) playCode(code);
  });
}

// ---- start ----------------------------------------------------------------------

async function start() {
  const code = addressCode();
  // The picture is laid out and its canvas made while the module compiles.
  const [width, height] = pictureSize();
  painter.resize(width, height, window.devicePixelRatio || 1);
  painter.clear();
  try {
    game = await Game.load(frontEnd, ask);
  } catch (e) {
    // A browser without WebAssembly's exceptions, say: the player is told,
    // not left before dead controls.
    showMessage(StartFailed);
    throw e;
  }
  frontEnd.attach(game);
  // Home's fit keeps the path clear of the play panel on the picture.
  const panel = getComputedStyle($('play-panel'));
  game.startWith(width, height, parseFloat(panel.width) + 2 * parseFloat(panel.right), SampleName);
  wireControls();
  listenToKeys(game, panels, anyOpen);
  new PictureInput($('plot'), game, panels, anyOpen);
  new ResizeObserver(fitCanvas).observe(picture);
  followPixelRatio();
  if (code !== '') await playCode(code);
}

// What the tests read: the path, the figures and the view; see web/README.md.
window.vandrel = {
  ready: start(),
  state: () => game.state(),
  paints: () => frontEnd.paints,
  nextPaint: () => frontEnd.nextPaint(),
};
