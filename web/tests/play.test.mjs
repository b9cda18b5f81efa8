// play.test.mjs: the timed play in Chromium: the sample solved by clicks, a hint, undo and redo, a best time kept over a reload.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { ShowHelp, StartFailed } from '../page/texts.js';
import { cli, clickPoint, fileWith, message, openFile, openPage, play, pointsOf, problemText, rig, state } from './rig.mjs';

const sampleText = cli('sample');
const solution = cli('solve', await fileWith('sample.txt', sampleText)).trim().split('\n');
const moves = solution.slice(0, -1);

async function startPuzzle(page) {
  await page.click('input[name="mode"][value="1"]');
  await page.click('#start');
}

test('the sample is played to the congratulation by clicks on the picture and the menu', async (t) => {
  assert.equal(solution.at(-1), 'shortest in 17 moves');
  const page = await openPage(t);
  assert.deepEqual((await state(page)).points, pointsOf(sampleText));
  assert.ok(await page.evaluate(async () => (await window.vandrelCompiled) instanceof WebAssembly.Module), 'the module inside the page compiled');
  // The page is sent in ASCII; its markup, stylesheet and scripts read their escapes back as Japanese.
  assert.match((await (await fetch(rig.url)).text()), /^[\x00-\x7f]*$/);
  assert.equal(await page.textContent('#help-button'), ShowHelp);
  assert.match(await page.$eval('#caption', (c) => getComputedStyle(c).fontFamily), /^"ＭＳ ゴシック", /);
  await startPuzzle(page);
  for (const move of moves) await play(page, move);
  assert.equal(await message(page), '　　お　め　で　と　う　　');
  const s = await state(page);
  assert.deepEqual([s.solved, s.moves, s.fewest], [true, 17, 17]);
  assert.equal(await page.textContent('#moves'), '手数 17');
});

test('on a narrow screen the menu stays on the picture, a notch of any size zooms a step, and the picture holds still under a dialog', async (t) => {
  const context = await rig.browser.newContext({ viewport: { width: 390, height: 700 } });
  t.after(() => context.close());
  const page = await openPage(t, { context });
  await startPuzzle(page);
  const box = (selector) => page.$eval(selector, (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; });
  for (const index of [1, 12]) {  // the origin, and a point left of it
    await clickPoint(page, index);
    const [menu, picture] = [await box('#operations'), await box('#picture')];
    assert.ok(menu[0] >= picture[0] && menu[1] >= picture[1] && menu[2] <= picture[2] && menu[3] <= picture[3], `${menu} in ${picture}`);
    await page.keyboard.press('Escape');
  }
  const unit = (await state(page)).view.unit;
  const box0 = await page.locator('#plot').boundingBox();
  await page.mouse.move(box0.x + box0.width / 2, box0.y + box0.height / 2);
  for (const [dy, step] of [[53, -1], [-67, 0]]) {  // notches as browsers at other zooms report them
    await page.mouse.wheel(0, dy);
    await page.waitForFunction((u) => window.vandrel.state().view.unit === u, unit + step);
  }
  await page.click('#pause');
  await page.click('#random');  // its dialog
  const { view } = await state(page);
  await page.evaluate(() => {
    for (const [type, x] of [['pointerdown', 50], ['pointermove', 150], ['pointerup', 150]]) {
      document.getElementById('plot').dispatchEvent(new PointerEvent(type, { clientX: x, clientY: 100, ctrlKey: true, pointerId: 1, bubbles: true }));
    }
  });
  assert.deepEqual((await state(page)).view, view);
  await page.click('#random-dialog button[value="cancel"]');
});

test('a hint marks a move that keeps the fewest moves; undo and redo take it back and make it again', async (t) => {
  const page = await openPage(t);
  await startPuzzle(page);
  await page.click('#hint');
  const hinted = page.locator('#operations:not([hidden]) button.hinted');
  await hinted.click();
  const moved = (await state(page)).points;
  assert.match(cli('solve', await fileWith('moved.txt', problemText(moved))), /shortest in 16 moves/);
  assert.equal(await page.isVisible('#hint-used'), true);

  await page.keyboard.press('Control+z');
  let s = await state(page);
  assert.deepEqual([s.points, s.moves], [pointsOf(sampleText), 0]);
  await page.click('#redo');
  s = await state(page);
  assert.deepEqual([s.points, s.moves], [moved, 1]);
});

test('a best time is kept in the browser and survives a reload', async (t) => {
  const context = await rig.browser.newContext({ viewport: { width: 1000, height: 640 } });
  t.after(() => context.close());
  const page = await openPage(t, { context });
  const file = await fileWith('Vandrel001.txt', sampleText);
  await page.click('input[name="mode"][value="1"]');
  await openFile(page, file);
  assert.match(await page.textContent('#caption'), /^ソラドミ　Vandrel001 +60000分 0秒$/);
  await page.uncheck('#motion');
  await page.click('#start');
  for (const move of moves) await play(page, move);
  await message(page);
  await page.reload();
  await page.evaluate(() => window.vandrel.ready);
  await page.click('input[name="mode"][value="1"]');
  await openFile(page, file);
  assert.match(await page.textContent('#caption'), /^ソラドミ　Vandrel001 +0分 [0-9]秒$/);
});

test('best times in storage that no play made count as none', async (t) => {
  const context = await rig.browser.newContext({ viewport: { width: 1000, height: 640 } });
  t.after(() => context.close());
  await context.addInitScript(() => window.localStorage.setItem('vandrel.records',
    '{"Vandrel001":null,"Vandrel002":{"seconds":-5}}'));
  const page = await openPage(t, { context });
  await page.click('input[name="mode"][value="1"]');
  for (const name of ['Vandrel001', 'Vandrel002']) {
    await openFile(page, await fileWith(`${name}.txt`, sampleText));
    assert.match(await page.textContent('#caption'), new RegExp(`^ソラドミ　${name} +60000分 0秒$`));
  }
});

test('with the browser\'s storage turned off the page still starts', async (t) => {
  const context = await rig.browser.newContext();
  t.after(() => context.close());
  await context.addInitScript(() => Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('off', 'SecurityError'); } }));
  assert.deepEqual((await state(await openPage(t, { context }))).points, pointsOf(sampleText));
});

test('a browser that cannot run the game is told so', async (t) => {
  const context = await rig.browser.newContext();
  t.after(() => context.close());
  await context.addInitScript(() => { WebAssembly.instantiate = () => Promise.reject(new Error('no WebAssembly')); });
  const page = await context.newPage();
  await page.goto(rig.url);
  assert.equal(await page.textContent('#message-dialog[open] #message-text'), StartFailed);
});
