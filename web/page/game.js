// game.js: the game in its WebAssembly module, called by the player's actions' names; questions asked and answered.

import createVandrel from './vandrel.js';

// The calls that take no text, by the names the page uses.
const Plain = {
  resize: 'vandrel_resize',
  tick: 'vandrel_tick',
  mouseDown: 'vandrel_mouse_down',
  mouseMove: 'vandrel_mouse_move',
  mouseUp: 'vandrel_mouse_up',
  wheel: 'vandrel_wheel',
  zoom: 'vandrel_zoom',
  panUnits: 'vandrel_pan_units',
  fit: 'vandrel_fit',
  chooseMode: 'vandrel_choose_mode',
  start: 'vandrel_start_play',
  pause: 'vandrel_pause',
  continue: 'vandrel_continue',
  chooseOperation: 'vandrel_choose_operation',
  undo: 'vandrel_undo',
  redo: 'vandrel_redo',
  hint: 'vandrel_hint',
  pickNext: 'vandrel_pick_next',
  openDemonstration: 'vandrel_open_demonstration',
  pressStep: 'vandrel_press_step',
  setWait: 'vandrel_set_wait',
  setShortest: 'vandrel_set_shortest',
  setAnimation: 'vandrel_set_animation',
  beginEntry: 'vandrel_begin_entry',
  endEntry: 'vandrel_end_entry',
  openingProblem: 'vandrel_opening_problem',
  mayReplaceProblem: 'vandrel_may_replace_problem',
  randomProblem: 'vandrel_random_problem',
};

// The game of the page. `frontEnd` takes the game's calls (frontend.js);
// `ask(question)` asks the player and resolves to true for yes.
export class Game {
  // The module compiled by the page's head (index.html) is instantiated here;
  // without it the loader fetches and compiles the module itself. An instance
  // that cannot be made fails the load instead of leaving it waiting.
  static async load(frontEnd, ask) {
    const compiled = await window.vandrelCompiled;
    let failed;
    const instantiated = new Promise((_, reject) => { failed = reject; });
    const settings = { page: frontEnd };
    if (compiled) {
      settings.instantiateWasm = (imports, receive) => {
        WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled), failed);
        return {};
      };
    }
    const module = await Promise.race([createVandrel(settings), instantiated]);
    return new Game(module, frontEnd, ask);
  }

  constructor(module, frontEnd, ask) {
    this.module = module;
    this.frontEnd = frontEnd;
    this.ask = ask;
    for (const [name, exported] of Object.entries(Plain)) {
      const call = module[`_${exported}`];
      this[name] = (...args) => this.after(call(...args));
    }
  }

  // After every call: the jobs it left get their turn of the event loop.
  after(result) {
    if (this.module._vandrel_jobs_pending()) this.frontEnd.jobsWaiting();
    return result;
  }

  text(name, ...args) {
    const types = args.map(() => 'string');
    return this.after(this.module.ccall(name, 'string', types, args));
  }

  startWith(width, height, coveredRight, sampleName) {
    this.after(this.module.ccall('vandrel_start', null, ['number', 'number', 'number', 'string'],
      [width, height, coveredRight, sampleName]));
  }

  // Runs the next job waiting; true while more wait.
  runJob() {
    return this.after(this.module._vandrel_run_job()) !== 0;
  }

  // Makes a call that may ask a question first. The game takes "no" at once;
  // on the player's yes the same call is made again with the answer given.
  // Resolves to the call's result as the answer left it.
  async asking(name, ...args) {
    const result = this[name](...args);
    const question = this.module._vandrel_take_question();
    if (question < 0) return result;
    if (!(await this.ask(question))) return result;
    this.module._vandrel_answer_next(1);
    const again = this[name](...args);
    this.module._vandrel_take_question();
    return again;
  }

  // Reads a problem file's text under its file name: null when it was
  // installed, else { line, message }.
  openProblem(text, fileName) {
    const answer = this.text('vandrel_open_problem', text, fileName);
    if (answer === '') return null;
    const tab = answer.indexOf('\t');
    return { line: Number(answer.slice(0, tab)), message: answer.slice(tab + 1) };
  }

  // The message for a file too large to be a problem file, or "".
  fileTooLarge(fileName, bytes) {
    return this.module.ccall('vandrel_file_too_large', 'string', ['string', 'number'], [fileName, bytes]);
  }

  fileUnreadable(fileName, reason) {
    return this.text('vandrel_file_unreadable', fileName, reason);
  }

  problemFile() {
    return this.text('vandrel_problem_file');
  }

  problemSaved(fileName) {
    this.text('vandrel_problem_saved', fileName);
  }

  // Makes the random problem of a code; false when the text is no code.
  randomCode(code) {
    return this.after(this.module.ccall('vandrel_random_code', 'number', ['string'], [code])) !== 0;
  }

  isCode(code) {
    return this.module.ccall('vandrel_is_code', 'number', ['string'], [code]) !== 0;
  }

  state() {
    return JSON.parse(this.module.ccall('vandrel_state', 'string', [], []));
  }
}
