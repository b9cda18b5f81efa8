// dialogs.js: the page's modal dialogs: a message, a question, the random problem's form and the file name to save under.

const $ = (id) => document.getElementById(id);

// Opens a dialog and resolves with the value of the button that closed it
// ("" for Esc).
function run(dialog) {
  return new Promise((resolve) => {
    dialog.returnValue = '';
    dialog.addEventListener('close', () => resolve(dialog.returnValue), { once: true });
    dialog.showModal();
  });
}

export async function showMessage(text) {
  $('message-text').textContent = text;
  await run($('message-dialog'));
}

// "はい(Y)": the letter answers yes, as in the window's question.
$('question-dialog').addEventListener('keydown', (event) => {
  if (event.key.toLowerCase() === 'y' && !event.ctrlKey && !event.metaKey) {
    event.preventDefault();
    $('question-dialog').close('yes');
  }
});

// True for yes.
export async function askQuestion(text) {
  $('question-text').textContent = text;
  return (await run($('question-dialog'))) === 'yes';
}

// The size, difficulty and code typed: { points, level, code } or null.
export async function chooseRandomProblem(proposal) {
  $('random-points').value = proposal.points;
  $('random-level').value = proposal.level;
  $('random-code').value = '';
  if ((await run($('random-dialog'))) !== 'ok') return null;
  return {
    points: Number($('random-points').value),
    level: Number($('random-level').value),
    code: $('random-code').value.trim(),
  };
}

// The name to save under, proposed as `proposal`; null when cancelled.
export async function chooseSaveName(proposal) {
  $('save-name').value = proposal;
  if ((await run($('save-dialog'))) !== 'ok') return null;
  return $('save-name').value.trim() || null;
}

export function anyOpen() {
  return document.querySelector('dialog[open]') !== null;
}
