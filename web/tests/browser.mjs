// browser.mjs: the built page served on a free port of this machine, and Debian's Chromium to open it (tests and figures).
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join } from 'node:path';
import { chromium } from 'playwright-core';

export const root = new URL('../..', import.meta.url).pathname;
const site = join(root, 'build-web');
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm', '.svg': 'image/svg+xml' };

// build-web/ as any static server serves it, and Chromium as installed, on a
// fresh profile, with nothing that reaches the network.
export async function startBrowser() {
  const server = createServer(async (request, response) => {
    const path = new URL(request.url, 'http://localhost').pathname;
    try {
      const body = await readFile(join(site, path === '/' ? 'index.html' : path));
      response.writeHead(200, { 'Content-Type': types[extname(path) || '.html'] ?? 'text/plain' }).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
  return { server, browser, url: `http://127.0.0.1:${server.address().port}/` };
}
