// rig.mjs: what the page's tests share: the built page served on a free port, Debian's Chromium, the tool's answers, clicks on points.
import { execFileSync } from 'node:child_process';
import { mkdtemp, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before } from 'node:test';
import assert from 'node:assert/strict';
import { root, startBrowser } from './browser.mjs';

export const rig = {};

before(async () => {
  Object.assign(rig, await startBrowser());
});

after(async () => {
  await rig.browser?.close();
  rig.server?.close();
});

// A page of the game, loaded, that fails the test on any console error.
export async function openPage(t, { hash = '', context = null, deviceScaleFactor = 1 } = {}) {
  const owner = context ?? await rig.browser.newContext({ viewport: { width: 1000, height: 640 }, deviceScaleFactor, acceptDownloads: true });
  const page = await owner.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  t.after(async () => {
    assert.deepEqual(errors, [], 'console errors');
    if (!context) await owner.close();
  });
  await page.goto(rig.url + hash);
  await page.evaluate(() => window.vandrel.ready);
  return page;
}

export const state = (page) => page.evaluate(() => window.vandrel.state());

// Clicks point `index` (1-based) of the path where the page shows it, as a player would.
export async function clickPoint(page, index) {
  const s = await state(page);
  const [x, y] = s.points[index - 1];
  const box = await page.locator('#plot').boundingBox();
  await page.mouse.click(box.x + s.view.originX + s.view.unit * x, box.y + s.view.originY - s.view.unit * y);
}

// One move: "R 37" picks point 37 and chooses R in the menu beside it.
export async function play(page, move) {
  const [letter, pivot] = move.split(' ');
  await clickPoint(page, Number(pivot));
  await page.click(`#operations button[data-op="${' RLHV'.indexOf(letter)}"]`);
}

// The message shown, closed.
export async function message(page) {
  const text = await page.locator('#message-dialog[open] #message-text').textContent();
  await page.click('#message-dialog[open] button');
  return text;
}

// The headless tool's output (built by web/test.sh).
export const cli = (...args) => execFileSync(join(root, 'build/vandrel-cli'), args, { encoding: 'latin1', stdio: ['ignore', 'pipe', 'ignore'] });

// A file of that name and text in a folder of its own, for the page to open.
export async function fileWith(name, text) {
  const path = join(await mkdtemp(join(tmpdir(), 'vandrel-web-')), name);
  await writeFile(path, text, 'latin1');
  return path;
}

// Opens a file through "開く" as the player would choose it; resolves once
// the page has read it (a problem in place, or a message).
export async function openFile(page, path) {
  const chooser = page.waitForEvent('filechooser');
  const name = path.split('/').pop().split('.')[0];
  await page.click('#open');
  await (await chooser).setFiles(path);
  await page.waitForFunction((n) => document.title.includes(n) || document.querySelector('#message-dialog[open]'), name);
}

// Points of a problem file's text, as [x, y] pairs.
export const pointsOf = (text) => text.trim().split(/\r?\n/).slice(1).map((l) => [Number(l.slice(0, 4)), Number(l.slice(4, 8))]);

// A problem file's text of points [x, y], CR LF.
export const problemText = (points) =>
  [String(points.length).padStart(4), ...points.map(([x, y]) => `${String(x).padStart(4)}${String(y).padStart(4)}`)]
    .map((line) => `${line}\r\n`).join('');
