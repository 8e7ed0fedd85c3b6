// What the browser tests stand on: python3's static file server for each page, Debian's
// headless Chromium driven by puppeteer-core, the headless replay driver and the greedy
// player, and helpers that read the page the way a player sees it.
import { spawn, execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, mkdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { decodePng } from './png.mjs';

const modules = process.env.ROLVI_NODE_MODULES ?? '.';
const require = createRequire(join(modules, 'x.js'));
const puppeteer = require('puppeteer-core');

export const settings = {
  page: process.env.ROLVI_PAGE_DIR,
  testPage: process.env.ROLVI_TEST_PAGE_DIR,
  replay: process.env.ROLVI_REPLAY,
  autoplay: process.env.ROLVI_AUTOPLAY,
  chromium: process.env.ROLVI_CHROMIUM ?? '/usr/bin/chromium',
  shots: process.env.ROLVI_BROWSER_SHOTS ?? null,
};

// ---- The servers

// Serves `directory` on 127.0.0.1 on `port`, or one the system picks; resolves to
// { url, port, stop }.
export function serve(directory, port = 0) {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', String(port), '--bind', '127.0.0.1',
                                     '--directory', directory],
                         { stdio: ['ignore', 'pipe', 'ignore'] });
    let output = '';
    const timer = setTimeout(() => {
      server.kill();
      reject(new Error('the file server did not start'));
    }, 10000);
    server.stdout.on('data', (chunk) => {
      output += chunk;
      const found = /port (\d+)/.exec(output);
      if (found) {
        clearTimeout(timer);
        resolve({ url: `http://127.0.0.1:${found[1]}/`, port: Number(found[1]),
                  stop: () => new Promise((done) => {
                    server.removeAllListeners('exit');
                    server.on('exit', done);
                    server.kill();
                  }) });
      }
    });
    server.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`the file server ended (${code})`));
    });
  });
}

// A copy of `directory` in a temporary one, for a test that changes the page's files.
export function copyOf(directory) {
  const copy = mkdtempSync(join(tmpdir(), 'rolvi-page-'));
  cpSync(directory, copy, { recursive: true });
  return { directory: copy, remove: () => rmSync(copy, { recursive: true, force: true }) };
}

// ---- The browser

export async function launchBrowser() {
  const profile = mkdtempSync(join(tmpdir(), 'rolvi-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: settings.chromium,
    ignoreDefaultArgs: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           `--user-data-dir=${profile}`, 'about:blank'],
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A tab in a context of its own (its own storage), with everything the console and the
// network report collected in `problems`. `shared`: a tab of the browser's default context
// instead, which the browser does not treat as a private window (only there may a page be
// installed). `mobile`: a phone's or a tablet's touch screen (touch events, a coarse pointer,
// the mobile viewport). `context`: a tab of that context, beside its other tabs. `languages`:
// the browser's languages (navigator.languages and the Accept-Language header), Chinese unless
// said.
export async function openTab(browser, { width = 800, height = 600, scale = 1, before,
                                         shared = false, mobile = false, context: given,
                                         languages = ['zh-CN'] } = {}) {
  const context = given ?? (shared ? browser.defaultBrowserContext()
                                   : await browser.createBrowserContext());
  const page = await context.newPage();
  const session = await page.createCDPSession();
  await session.send('Emulation.setUserAgentOverride',
                     { userAgent: await browser.userAgent(), acceptLanguage: languages.join(',') });
  await page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile,
                           hasTouch: mobile, isLandscape: mobile && width > height });
  const problems = [];
  page.on('console', (message) => {
    if (['error', 'assert', 'warn', 'warning'].includes(message.type())) {
      problems.push(`console ${message.type()}: ${message.text()}`);
    }
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  if (before) await page.evaluateOnNewDocument(before);
  return { page, problems, close: () => (shared || given ? page.close() : context.close()) };
}

// Waits until the program has shown its first frame.
export async function waitForFirstFrame(page) {
  await page.waitForFunction(() => window.rolviPage && rolviPage.marks['first-frame'] > 0,
                             { timeout: 20000, polling: 20 });
}

// Waits until the program has handled every input so far and waits for more: animations and
// dialogs that opened are done with what they had to do.
export async function waitIdle(page) {
  await page.waitForFunction(() => rolviPage.waiting() || rolviPage.isClosed(),
                             { timeout: 20000, polling: 10 });
}

export const state = (page) => page.evaluate(() => rolviPage.state());

// Where a point of a window's canvas is on the page, in CSS pixels: the centre of that pixel.
export async function pagePoint(page, windowId, x, y) {
  return page.evaluate((id, px, py) => {
    const canvas = rolviPage.canvasOf(id);
    const box = canvas.getBoundingClientRect();
    const across = box.width / canvas.width;
    return { x: box.left + (px + 0.5) * across, y: box.top + (py + 0.5) * across };
  }, windowId, x, y);
}

// The main window's client area: its window number and where the client starts.
export function clientOrigin(described) {
  const main = described.windows.main;
  return { id: main.id, x: main.content[0], y: main.content[1] + main.bar };
}

export async function clickClient(page, described, x, y) {
  const client = clientOrigin(described);
  const at = await pagePoint(page, client.id, client.x + x, client.y + y);
  await page.mouse.click(at.x, at.y);
  await waitIdle(page);
}

// Where the centre of a board cell is on the page.
export async function cellPoint(page, described, column, row) {
  const client = clientOrigin(described);
  const first = described.game.firstCell;
  const pitch = described.game.nextCell[0] - first[0];
  return pagePoint(page, client.id, client.x + first[0] + column * pitch,
                   client.y + first[1] + row * pitch);
}

export async function clickCell(page, described, column, row) {
  const at = await cellPoint(page, described, column, row);
  await page.mouse.click(at.x, at.y);
  await waitIdle(page);
}

export async function press(page, key, modifiers = []) {
  for (const modifier of modifiers) await page.keyboard.down(modifier);
  await page.keyboard.press(key);
  for (const modifier of [...modifiers].reverse()) await page.keyboard.up(modifier);
  await waitIdle(page);
}

// A screenshot of a rectangle of a window's canvas (canvas pixels), as the page shows it,
// in device pixels.
export async function shootCanvas(page, windowId, rect) {
  const clip = await page.evaluate((id, r) => {
    const canvas = rolviPage.canvasOf(id);
    const box = canvas.getBoundingClientRect();
    const across = box.width / canvas.width;
    return { x: window.scrollX + box.left + r[0] * across, y: window.scrollY + box.top + r[1] * across,
             width: (r[2] - r[0]) * across, height: (r[3] - r[1]) * across };
  }, windowId, rect);
  // Page coordinates: a page larger than the browser window scrolls.
  return decodePng(Buffer.from(await page.screenshot({ clip, captureBeyondViewport: true })));
}

// The pixels of a rectangle of a window's canvas, as the program put them there.
export async function canvasPixels(page, windowId, rect) {
  const rgba = await page.evaluate((id, r) => {
    // Read from a copy: the page's own canvas is not one to be read back from often.
    const copy = document.createElement('canvas');
    copy.width = r[2] - r[0];
    copy.height = r[3] - r[1];
    const context = copy.getContext('2d', { willReadFrequently: true });
    context.drawImage(rolviPage.canvasOf(id), -r[0], -r[1]);
    return Array.from(context.getImageData(0, 0, copy.width, copy.height).data);
  }, windowId, rect);
  return { width: rect[2] - rect[0], height: rect[3] - rect[1], rgba: Buffer.from(rgba) };
}

export async function shootClient(page, described) {
  const client = clientOrigin(described);
  return shootCanvas(page, client.id, [client.x, client.y, client.x + 612, client.y + 374]);
}

export async function savePicture(page, name) {
  if (!settings.shots) return;
  mkdirSync(settings.shots, { recursive: true });
  await page.screenshot({ path: join(settings.shots, name) });
}

// ---- The headless game

// Runs the replay driver with `lines` for `seed` in a directory of its own; gives its
// output, the screenshots it was asked for (by name) and the record file it left.
// `into`: a directory of the caller's, which keeps the record file for the next run.
// `language`: the program's language (its default, Chinese, unless said).
export function replay(seed, lines, shots = [], into = null, language = 'zh') {
  const directory = into ?? mkdtempSync(join(tmpdir(), 'rolvi-replay-'));
  try {
    const script = lines.map((line) => line.replace(/\{([\w.-]+)\}/g, (_, name) => join(directory, name)));
    const output = execFileSync(settings.replay, ['--seed', String(seed), '--dir', directory,
                                                  '--lang', language],
                                { input: script.join('\n') + '\n' }).toString();
    const pictures = Object.fromEntries(
      shots.map((name) => [name, decodePng(readFileSync(join(directory, name)))]));
    let records = null;
    try {
      records = readFileSync(join(directory, 'winrolvi.res'));
    } catch {
      records = null;
    }
    return { output, pictures, records };
  } finally {
    if (into === null) rmSync(directory, { recursive: true, force: true });
  }
}

// The board, preview and score of a replay dump, as the test build describes them.
export function dumpedGame(output) {
  const lines = output.split('\n');
  const at = lines.indexOf('board');
  const value = (name) => lines.find((line) => line.startsWith(name + ' ')).split(' ').slice(1);
  return {
    board: lines.slice(at + 1, at + 10).join(''),
    next: value('next').map(Number),
    score: Number(value('score')[0]),
  };
}

// The greedy player's clicks up to a score, as [column, row] pairs.
export function greedyClicks(seed, until) {
  const script = execFileSync(settings.autoplay, ['--seed', String(seed), '--until', until,
                                                  '--moves', '60']).toString();
  return script.split('\n').filter((line) => line.startsWith('click '))
    .map((line) => line.split(' ').slice(1).map(Number));
}

export function writeReport(name, value) {
  if (!settings.shots) return;
  mkdirSync(settings.shots, { recursive: true });
  writeFileSync(join(settings.shots, name), JSON.stringify(value, null, 2) + '\n');
}

// ---- The page's quality

// Where axe-core's script is, to be put into a page.
export const axeSource = () => require.resolve('axe-core/axe.min.js');

// Lighthouse's report (its default: a phone on a slow network with a 4x slower CPU, simulated)
// of `url`, in a tab of the running browser.
export async function runLighthouse(browser, url) {
  const { default: lighthouse } =
    await import(pathToFileURL(join(modules, 'lighthouse', 'core', 'index.js')).href);
  const port = Number(new URL(browser.wsEndpoint()).port);
  const result = await lighthouse(url, {
    port, output: 'json', logLevel: 'error',
    onlyCategories: ['performance', 'accessibility', 'best-practices'],
  });
  return result.lhr;
}
