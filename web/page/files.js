// files.js: problem files: a local file opened and read as the window reads it, and a problem saved as a download.

import { chooseSaveName } from './dialogs.js';
import { problemLineError } from './texts.js';

const Utf8Mark = [0xef, 0xbb, 0xbf];

// A problem file's text: Shift-JIS, or UTF-8 after the byte-order mark as
// many editors save a text. Digits, blanks and signs read alike in both.
export function decodeProblemFile(bytes) {
  const marked = Utf8Mark.every((b, i) => bytes[i] === b);
  return marked ? new TextDecoder('utf-8').decode(bytes.subarray(3)) : new TextDecoder('shift_jis').decode(bytes);
}

// Reads the chosen file into the game; `say` shows why it is no problem.
// Everything is checked before anything is replaced, so a bad file leaves the
// problem, its name and the view as they were.
export async function openProblemFile(game, file, say) {
  const tooLarge = (size) => {
    const why = game.fileTooLarge(file.name, size);
    if (why) say(why);
    return Boolean(why);
  };
  // The size first, so that a file of gigabytes is never read into the page;
  // again as read, should the file have grown since it was chosen.
  if (tooLarge(file.size)) return;
  let bytes;
  try {
    bytes = new Uint8Array(await file.arrayBuffer());
  } catch (e) {
    say(game.fileUnreadable(file.name, e.message));
    return;
  }
  if (tooLarge(bytes.length)) return;
  const error = game.openProblem(decodeProblemFile(bytes), file.name);
  if (error) say(problemLineError(file.name, error.line, error.message));
}

// "保存": a copy keeps the problem's name and is offered as NAME_; the
// creation's save names the problem after the file. The file is a download
// in the problem file's format, CR LF.
export async function saveProblem(game, name, copy) {
  const fileName = await chooseSaveName(`${copy ? `${name}_` : name}.txt`);
  if (fileName === null) return;
  // During an entry what has been drawn is saved; a cancel leaves it going.
  game.endEntry();
  const blob = new Blob([game.problemFile()], { type: 'text/plain' });
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = fileName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
  game.problemSaved(copy ? '' : fileName);
}
