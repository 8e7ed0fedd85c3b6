// The page as an app: Chromium's own check finds it installable, its manifest names icons of
// the sizes they are; after one visit it starts and plays with the server gone and the network
// cut; and a new release replaces the kept files on the next visit.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import {
  settings, serve, copyOf, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, clickCell,
  replay, dumpedGame, greedyClicks, shootClient,
} from './harness.mjs';
import { decodePng, firstDifference } from './png.mjs';

const seed = 3;
let chromium;

before(async () => {
  for (const name of ['testPage', 'replay', 'autoplay']) {
    if (settings[name] === undefined) throw new Error(`the runner did not say where ${name} is`);
  }
  chromium = await launchBrowser();
});

after(async () => {
  await chromium?.close();
});

// The page's service worker has taken the page over: its files are kept.
async function waitForWorker(page) {
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                             { timeout: 20000, polling: 50 });
}

const keptCaches = (page) => page.evaluate(() => caches.keys());

test('Chromium finds the page installable; the manifest\'s icons have the sizes it names',
     async () => {
  const server = await serve(settings.testPage);
  // Only outside a private window may a page be installed: the browser's default context.
  const tab = await openTab(chromium.browser, { shared: true });
  try {
    await tab.page.goto(server.url);
    await waitForFirstFrame(tab.page);
    await waitForWorker(tab.page);
    const cdp = await tab.page.createCDPSession();
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, [], 'no reason not to install');
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    const data = JSON.parse(manifest.data);
    assert.equal(data.name, 'Color rolvi');
    assert.ok(data.short_name.length > 0 && data.short_name.length <= 12, 'a short name fits');
    assert.equal(data.display, 'standalone');
    assert.match(data.theme_color, /^#[0-9a-f]{6}$/);
    assert.match(data.background_color, /^#[0-9a-f]{6}$/);
    const sizes = data.icons.map((icon) => icon.sizes);
    assert.ok(sizes.includes('192x192') && sizes.includes('512x512'));
    for (const icon of data.icons) {
      const png = decodePng(readFileSync(join(settings.testPage, icon.src)));
      assert.equal(`${png.width}x${png.height}`, icon.sizes, icon.src);
    }
    // The maskable icon is opaque to its corners: a mask may cut any shape from it.
    const maskable = data.icons.find((icon) => icon.purpose === 'maskable');
    const tile = decodePng(readFileSync(join(settings.testPage, maskable.src)));
    assert.equal(tile.rgba[3], 255);
    assert.equal(tile.rgba[tile.rgba.length - 1], 255);
    assert.deepEqual(tab.problems, []);
  } finally {
    await tab.close();
    await server.stop();
  }
});

test('after one visit the page starts and plays with no network', async () => {
  const page = copyOf(settings.testPage);
  let server = await serve(page.directory);
  const tab = await openTab(chromium.browser);
  try {
    await tab.page.goto(`${server.url}index.html?seed=${seed}`);
    await waitForFirstFrame(tab.page);
    await waitForWorker(tab.page);
    const kept = await keptCaches(tab.page);
    assert.equal(kept.length, 1);
    assert.match(kept[0], /^rolvi-\d+\.\d+\.\d+-[0-9a-f]{12}$/, 'named by the release');

    // The server is gone and the network cut.
    await server.stop();
    server = null;
    await tab.page.setOfflineMode(true);
    await tab.page.reload();
    await waitForFirstFrame(tab.page);
    await waitIdle(tab.page);
    const [from, to] = greedyClicks(seed, 'score:10').slice(0, 2);
    const expected = replay(seed, [`click ${from.join(' ')}`, `click ${to.join(' ')}`, 'dump',
                                   'shot {moved.png}'], ['moved.png']);
    let described = await state(tab.page);
    await clickCell(tab.page, described, ...from);
    await new Promise((resolve) => setTimeout(resolve, 200));
    await clickCell(tab.page, described, ...to);
    described = await state(tab.page);
    assert.equal(described.game.board, dumpedGame(expected.output).board, 'the move was played');
    const difference = firstDifference(await shootClient(tab.page, described),
                                       expected.pictures['moved.png']);
    assert.equal(difference, null, `the board after the move: ${difference}`);
    assert.deepEqual(tab.problems, []);
  } finally {
    await tab.close();
    await server?.stop();
    page.remove();
  }
});

test('a new release replaces the kept files on the next visit', async () => {
  const page = copyOf(settings.testPage);
  let server = await serve(page.directory);
  const tab = await openTab(chromium.browser);
  try {
    await tab.page.goto(`${server.url}index.html?seed=${seed}`);
    await waitForFirstFrame(tab.page);
    await waitForWorker(tab.page);
    const [old] = await keptCaches(tab.page);

    // The next release, served from the same address: another version in the worker, and a
    // page script that says which release it is.
    const workerFile = join(page.directory, 'service-worker.js');
    const worker = readFileSync(workerFile, 'utf8');
    const next = old.replace(/^rolvi-[\d.]+-/, 'rolvi-99.0.0-');
    writeFileSync(workerFile, worker.replace(old, next));
    const scriptFile = join(page.directory, 'page.js');
    writeFileSync(scriptFile, readFileSync(scriptFile, 'utf8') + '\nvar rolviRelease = 99;\n');

    // The next visit finds the new worker, which keeps the new files and drops the old ones.
    await tab.page.reload();
    await waitForFirstFrame(tab.page);
    await tab.page.waitForFunction(async (name) => {
      const names = await caches.keys();
      return names.length === 1 && names[0] === name;
    }, { timeout: 20000, polling: 100 }, next);
    // The visit after it plays the new release, even with the server gone.
    await server.stop();
    server = null;
    await tab.page.setOfflineMode(true);
    await tab.page.reload();
    await waitForFirstFrame(tab.page);
    assert.equal(await tab.page.evaluate(() => window.rolviRelease), 99);
    assert.deepEqual(tab.problems, []);
  } finally {
    await tab.close();
    await server?.stop();
    page.remove();
  }
});
