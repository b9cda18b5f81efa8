// figures.mjs: the page's figures in Chromium: navigation to the first drawn frame, what it transfers, a move to its frame on a 3840 × 2160 canvas.
//
//   ./web.sh --no-serve && node web/bench/figures.mjs   (build/vandrel-cli built)
import { execFileSync } from 'node:child_process';
import { createServer } from 'node:http';
import { readdirSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { root, startBrowser } from '../tests/browser.mjs';

const Loads = 21;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `median ${median(values).toFixed(2)}, min ${Math.min(...values).toFixed(2)}, max ${Math.max(...values).toFixed(2)}`;

const { server, browser, url } = await startBrowser();

// The browser's own share: a bare page whose inline script fills a canvas of
// the picture's size, served the same way. Its loads alternate with the game's.
const bare = `<!doctype html><meta charset="utf-8"><title>bare</title><canvas width="1106" height="779"></canvas><script>
const c = document.querySelector('canvas').getContext('2d', { alpha: false });
c.fillStyle = '#fff'; c.fillRect(0, 0, 1106, 779); performance.mark('vandrel-first-frame');
window.vandrel = { ready: Promise.resolve() };</script>`;
const bareServer = createServer((request, response) => response.writeHead(200, { 'Content-Type': 'text/html' }).end(bare));
await new Promise((resolve) => bareServer.listen(0, '127.0.0.1', resolve));
const bareUrl = `http://127.0.0.1:${bareServer.address().port}/`;

// From navigation to the first picture painted into the canvas, and to the
// browser's first contentful paint, the frame that shows it; each load in a
// fresh profile (nothing cached).
async function firstFrameOf(address) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  await page.goto(address);
  await page.evaluate(() => window.vandrel.ready);
  const [time, shown, files] = await page.evaluate(async () => [
    performance.getEntriesByName('vandrel-first-frame')[0].startTime,
    await new Promise((resolve) => new PerformanceObserver((list) => {
      const paint = list.getEntriesByName('first-contentful-paint')[0];
      if (paint) resolve(paint.startTime);
    }).observe({ type: 'paint', buffered: true })),
    [performance.getEntriesByType('navigation')[0], ...performance.getEntriesByType('resource')]
      .map((e) => [e.name.split('/').pop() || 'index.html', e.encodedBodySize, e.transferSize])]);
  await context.close();
  return [time, shown, files];
}
const firstFrame = [];
const firstShown = [];
const bareFrame = [];
const bareShown = [];
let transferred = null;
for (let i = 0; i < Loads; i += 1) {
  const [bareTime, bareShownAt] = await firstFrameOf(bareUrl);
  bareFrame.push(bareTime);
  bareShown.push(bareShownAt);
  const [time, shown, files] = await firstFrameOf(url);
  firstFrame.push(time);
  firstShown.push(shown);
  transferred ??= files;
}
bareServer.close();
console.log(`navigation to the first drawn frame (ms, ${Loads} loads): ${range(firstFrame)}`);
console.log(`  its first contentful paint: ${range(firstShown)}`);
console.log(`  the bare page, loads alternating with the game's: ${range(bareFrame)}; first contentful paint ${range(bareShown)}`);
console.log('transferred (file, body bytes, bytes with headers):');
for (const [name, body, total] of transferred) console.log(`  ${name} ${body} ${total}`);
const site = join(root, 'build-web');
const files = readdirSync(site).map((f) => [f, statSync(join(site, f)).size]);
console.log(`build-web/ files: ${files.map(([f, s]) => `${f} ${s}`).join(', ')}; total ${files.reduce((a, [, s]) => a + s, 0)} bytes`);

// A move on a canvas of 3840 × 2160 device pixels: 1920 × 1080 CSS pixels at twice the density.
const sample = execFileSync(join(root, 'build/vandrel-cli'), ['sample'], { encoding: 'latin1' });
const sampleFile = join(root, 'build-web', '..', 'build-wasm', 'sample.txt');
(await import('node:fs')).writeFileSync(sampleFile, sample, 'latin1');
const moves = execFileSync(join(root, 'build/vandrel-cli'), ['solve', sampleFile], { encoding: 'latin1' }).trim().split('\n').slice(0, -1);
const context = await browser.newContext({ viewport: { width: 1920 + 40 + 134, height: 1080 + 21 }, deviceScaleFactor: 2 });
const page = await context.newPage();
await page.goto(url);
await page.evaluate(() => window.vandrel.ready);
const canvas = await page.$eval('#plot', (c) => [c.width, c.height]);
for (const motion of [false, true]) {
  await page.click('input[name="mode"][value="1"]');
  await page.setChecked('#motion', motion);
  await page.click('#start');
  if (await page.isVisible('#question-dialog[open]')) await page.click('#question-dialog button[value="yes"]');
  // Inside the page: the pick's click and the operation's click, each to the
  // picture painted on the canvas, and to the end of the frame that shows it.
  const times = await page.evaluate(async (moves) => {
    const afterFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
    const result = { pickPainted: [], pickFrame: [], movePainted: [], moveFrame: [] };
    const canvasBox = document.getElementById('plot').getBoundingClientRect();
    for (const move of moves) {
      const [letter, pivot] = move.split(' ');
      const s = window.vandrel.state();
      const [x, y] = s.points[Number(pivot) - 1];
      const at = { clientX: canvasBox.left + s.view.originX + s.view.unit * x, clientY: canvasBox.top + s.view.originY - s.view.unit * y };
      await afterFrame();
      let t0 = performance.now();
      let painted = window.vandrel.nextPaint();
      document.getElementById('plot').dispatchEvent(new PointerEvent('pointerdown', { ...at, button: 0, pointerId: 1, bubbles: true }));
      await painted;
      result.pickPainted.push(performance.now() - t0);
      await afterFrame();
      result.pickFrame.push(performance.now() - t0);
      document.getElementById('plot').dispatchEvent(new PointerEvent('pointerup', { ...at, button: 0, pointerId: 1, bubbles: true }));
      await afterFrame();
      t0 = performance.now();
      painted = window.vandrel.nextPaint();
      document.querySelector(`#operations button[data-op="${' RLHV'.indexOf(letter)}"]`).click();
      await painted;
      result.movePainted.push(performance.now() - t0);
      await afterFrame();
      result.moveFrame.push(performance.now() - t0);
      await new Promise((resolve) => setTimeout(resolve, 250));  // a move in motion ends
    }
    return result;
  }, moves);
  console.log(`canvas ${canvas.join(' × ')}, moves ${motion ? 'in motion (its first frame)' : 'at once'}, ms over ${moves.length} moves:`);
  for (const [what, values] of Object.entries(times)) console.log(`  ${what}: ${range(values)}`);
  await page.waitForSelector('#message-dialog[open]');
  await page.click('#message-dialog button');
}
await browser.close();
server.close();
