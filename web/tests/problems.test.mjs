// problems.test.mjs: problems arriving in Chromium: a code in the address, files opened and saved, and the messages for bad ones.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { test } from 'node:test';
import { CopyFailed, NoNewProblemInPlay, Questions } from '../page/texts.js';
import { cli, fileWith, message, openFile, openPage, pointsOf, state } from './rig.mjs';

const sampleText = cli('sample');
const generated = cli('generate', '--points', '40', '--seed', '1234567', '--difficulty', 'hard');

test('an address with a code plays the problem that generate gives for it, and a code typed sets the next proposal', async (t) => {
  const page = await openPage(t, { hash: '#40-1234567-h' });
  await page.waitForFunction(() => window.vandrel.state().code === '40-1234567-h');
  assert.deepEqual((await state(page)).points, pointsOf(generated));
  assert.equal(await page.textContent('#code'), '40-1234567-h');
  assert.equal(new URL(page.url()).hash, '#40-1234567-h');
  // 乱数問題 proposes the size and difficulty of the last good code typed.
  for (const [code, points, level] of [['200-5-x', '70', '1'], ['200-5-e', '70', '1'], [null, '200', '0']]) {
    await page.click('#random');
    assert.deepEqual([await page.inputValue('#random-points'), await page.inputValue('#random-level')], [points, level]);
    if (code === null) break;
    await page.fill('#random-points', '90');
    await page.fill('#random-code', code);
    await page.click('#random-dialog button[value="ok"]');
    if (code.endsWith('x')) await message(page);
    else await page.waitForFunction((c) => window.vandrel.state().code === c, code);
  }
  await page.click('#random-dialog button[value="cancel"]');
  await page.evaluate(() => { navigator.clipboard.writeText = () => Promise.reject(new DOMException('no', 'NotAllowedError')); });
  await page.click('#copy-code');
  assert.equal(await message(page), CopyFailed);
});

test('a problem file opened is saved back byte for byte', async (t) => {
  const text = cli('generate', '--points', '60', '--seed', '99', '--difficulty', 'normal');
  const page = await openPage(t);
  await page.click('input[name="mode"][value="1"]');
  await openFile(page, await fileWith('Vandrel060.txt', text));
  assert.deepEqual((await state(page)).points, pointsOf(text));
  await page.click('#save-copy');
  assert.equal(await page.inputValue('#save-name'), 'Vandrel060_.txt');
  const download = page.waitForEvent('download');
  await page.click('#save-dialog button[value="ok"]');
  const saved = await readFile(await (await download).path(), 'latin1');
  assert.equal(saved, text);
  assert.match(saved, /^ {2}60\r\n/);
});

test('a drawn path: a cancelled save leaves the drawing going, a code address asks once', async (t) => {
  const page = await openPage(t);
  await page.click('input[name="mode"][value="0"]');
  await page.click('#entry-begin');
  const { view } = await state(page);
  const box = await page.locator('#plot').boundingBox();
  await page.mouse.click(box.x + view.originX, box.y + view.originY - 2 * view.unit, { button: 'right' });
  await page.click('#save-drawn');
  await page.click('#save-dialog button[value="cancel"]');
  assert.ok(await page.isEnabled('#entry-end'));
  assert.equal((await state(page)).points.length, 3);
  // Ctrl+O with no 開く in sight is the page's, not the browser's Open.
  assert.ok(await page.evaluate(() => !document.body.dispatchEvent(new KeyboardEvent('keydown', { key: 'o', ctrlKey: true, bubbles: true, cancelable: true }))));

  await page.evaluate(() => { window.location.hash = '#40-1234567-h'; });
  assert.equal(await page.textContent('#question-dialog[open] #question-text'), Questions[1]);
  await page.keyboard.press('y');
  await page.waitForFunction(() => window.vandrel.state().code !== null || document.querySelector('dialog[open]'));
  assert.equal(await page.$('dialog[open]'), null);
  assert.deepEqual((await state(page)).points, pointsOf(generated));
});

test('a bad file and a bad code say why and leave the problem as it was', async (t) => {
  const page = await openPage(t, { hash: '#70-abc' });
  assert.equal(await message(page), "'70-abc' は問題番号ではありません");
  assert.deepEqual((await state(page)).points, pointsOf(sampleText));
  assert.equal(new URL(page.url()).hash, '');

  await page.click('input[name="mode"][value="1"]');
  await openFile(page, await fileWith('Bad.txt', '   3\r\n   0   0\r\n   0   1\r\n   2   1\r\n'));
  assert.equal(await message(page), 'Bad.txt の 4 行目: 点 3 が前の点から縦か横に 1 だけ進んだ所にありません');
  await openFile(page, await fileWith('Big.txt', ' '.repeat(70000)));
  assert.equal(await message(page), 'ファイル「Big.txt」を読めません: 大きすぎます (65536 バイトまで)');
  assert.deepEqual((await state(page)).points, pointsOf(sampleText));
  // A code while the play is on.
  await page.click('#start');
  await page.evaluate(() => { window.location.hash = '#40-1234567-h'; });
  assert.equal(await message(page), NoNewProblemInPlay);
  assert.deepEqual((await state(page)).points, pointsOf(sampleText));

  // A cut link whose escape decodes to nothing.
  const cut = await openPage(t, { hash: '#70-1234567-n%E' });
  assert.equal(await message(cut), "'70-1234567-n%E' は問題番号ではありません");
  assert.deepEqual((await state(cut)).points, pointsOf(sampleText));
});

test('the canvas holds a device pixel for each of the screen\'s, painted once at the start and again when the window resizes', async (t) => {
  const page = await openPage(t, { deviceScaleFactor: 2 });
  const frames = () => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  const sizes = () => page.$eval('#plot', (c) => [c.width, c.height, c.clientWidth * 2, c.clientHeight * 2]);
  for (const [width, paints] of [[1000, 1], [900, 2]]) {
    await page.setViewportSize({ width, height: 640 });
    await frames();
    const size = await sizes();
    assert.deepEqual(size.slice(0, 2), size.slice(2));
    assert.equal(await page.evaluate(() => window.vandrel.paints()), paints);
  }
});
