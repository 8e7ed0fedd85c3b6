// The ball symbols option in the page: chosen from the Options menu by its letter it shows the
// replay driver's picture with the symbols, the page's storage keeps it, and after a reload
// the first frame already has them; switched off, the storage says so. The tab must leave the
// console and the network without a complaint.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, press,
  shootClient, savePicture, replay,
} from './harness.mjs';
import { firstDifference } from './png.mjs';

const seed = 3;
let testServer;
let chromium;

before(async () => {
  for (const [name, value] of Object.entries(settings)) {
    if (value === undefined) throw new Error(`the runner did not say where ${name} is`);
  }
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
});

after(async () => {
  await chromium?.close();
  testServer?.stop();
});

function assertSamePicture(actual, expected, what) {
  const difference = firstDifference(actual, expected);
  assert.equal(difference, null, `${what}: ${difference}`);
}

const storedSettings = (page) =>
  page.evaluate(() => {
    const value = localStorage.getItem('rolvi.settings');
    return value === null ? null : atob(value);
  });

test('the ball symbols are kept in the page\'s storage and shown again after a reload',
     async () => {
  const expected = replay(seed, ['shot {plain.png}', 'command 514', 'shot {symbols.png}'],
                          ['plain.png', 'symbols.png']).pictures;
  const tab = await openTab(chromium.browser);
  const page = tab.page;
  try {
    await page.goto(`${testServer.url}index.html?seed=${seed}`);
    await waitForFirstFrame(page);
    await waitIdle(page);
    assertSamePicture(await shootClient(page, await state(page)), expected['plain.png'],
                      'the first visit starts without symbols');
    assert.equal(await storedSettings(page), null);

    await press(page, 'KeyO', ['Alt']);
    await press(page, 'KeyB');
    assertSamePicture(await shootClient(page, await state(page)), expected['symbols.png'],
                      'symbols chosen from the menu');
    assert.match(await storedSettings(page), /^ball-symbols=1$/m);
    await savePicture(page, 'ball-symbols.png');

    await page.reload();
    await waitForFirstFrame(page);
    await waitIdle(page);
    assertSamePicture(await shootClient(page, await state(page)), expected['symbols.png'],
                      'after the reload');

    await press(page, 'KeyO', ['Alt']);
    await press(page, 'KeyB');
    assertSamePicture(await shootClient(page, await state(page)), expected['plain.png'],
                      'switched off again');
    assert.match(await storedSettings(page), /^ball-symbols=0$/m);
    assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    await tab.close();
  }
});
