// The record table in the page's storage, shared by the tabs of one browser and kept through a
// reload: two tabs keep both results and each takes in the other's, a reload with the name
// dialog open keeps the valid name typed, and storage that is full is told once. Every tab
// must leave the console and the network without a complaint.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, clickCell, press,
  replay, greedyClicks, savePicture,
} from './harness.mjs';

const seed = 3;
let testServer;
let chromium;
let clicks;

before(async () => {
  for (const [name, value] of Object.entries(settings)) {
    if (value === undefined) throw new Error(`the runner did not say where ${name} is`);
  }
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
  clicks = greedyClicks(seed, 'score:10');
});

after(async () => {
  await chromium?.close();
  testServer?.stop();
});

const testUrl = () => `${testServer.url}index.html?seed=${seed}`;

async function open(options = {}) {
  const tab = await openTab(chromium.browser, options);
  await tab.page.goto(testUrl());
  await waitForFirstFrame(tab.page);
  await waitIdle(tab.page);
  return tab;
}

// The greedy player's game to a score, ended with F4: the name dialog is open.
async function playToTheNameDialog(page) {
  await page.bringToFront();
  const described = await state(page);
  for (const cell of clicks) await clickCell(page, described, ...cell);
  await press(page, 'F4');
  assert.equal((await state(page)).windows.dialogs[0]?.caption, '恭喜恭喜');
}

// The records list from the menu (File, High scores): the names it shows, best first.
async function listedNames(page) {
  await page.bringToFront();
  await press(page, 'KeyF', ['Alt']);
  await press(page, 'KeyH');
  const described = await state(page);
  assert.equal(described.windows.dialogs[0]?.caption, '排行榜');
  await press(page, 'Enter');
  return described.game.records.map((entry) => entry.name);
}

const storedRecords = (page) => page.evaluate(() => localStorage.getItem('rolvi.records'));

// What the replay driver's record file holds after one run for each name, one after the
// other in one folder, each playing the same game.
function replayedOneAfterTheOther(names) {
  const directory = mkdtempSync(join(tmpdir(), 'rolvi-tabs-'));
  try {
    let records = null;
    for (const name of names) {
      ({ records } = replay(seed, [...clicks.map((c) => `click ${c.join(' ')}`), `name ${name}`,
                                   'command 256'], [], directory));
    }
    return records.toString('base64');
  } finally {
    rmSync(directory, { recursive: true, force: true });
  }
}

test('two tabs keep both results, and an open tab takes in the other\'s', async () => {
  const context = await chromium.browser.createBrowserContext();
  const tabs = [];
  try {
    // Both tabs start before either has a result, each with a game of its own.
    const alpha = await open({ context });
    tabs.push(alpha);
    const bravo = await open({ context, before: () => localStorage.removeItem('rolvi.game') });
    tabs.push(bravo);
    await playToTheNameDialog(alpha.page);
    await playToTheNameDialog(bravo.page);

    // Alpha's name is kept while Bravo's dialog is still open.
    await alpha.page.bringToFront();
    await alpha.page.keyboard.type('Alpha');
    await press(alpha.page, 'Enter');
    await press(alpha.page, 'Enter');
    await bravo.page.bringToFront();
    await bravo.page.keyboard.type('Bravo');
    await press(bravo.page, 'Enter');
    const list = await state(bravo.page);
    assert.equal(list.windows.dialogs[0]?.caption, '排行榜');
    assert.deepEqual(list.game.records.slice(1, 3).map((entry) => entry.name), ['Alpha', 'Bravo']);
    await savePicture(bravo.page, 'two-tabs.png');
    await press(bravo.page, 'Enter');
    // Stored byte for byte as the replay driver keeps the same two results.
    assert.equal(await storedRecords(bravo.page), replayedOneAfterTheOther(['Alpha', 'Bravo']));

    // The open tab took Bravo's result in; a new tab shows both.
    assert.deepEqual((await listedNames(alpha.page)).slice(1, 3), ['Alpha', 'Bravo']);
    const third = await open({ context });
    tabs.push(third);
    assert.deepEqual((await listedNames(third.page)).slice(1, 3), ['Alpha', 'Bravo']);
    for (const tab of tabs) assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    for (const tab of tabs) await tab.close();
    await context.close();
  }
});

test('a reload with the name dialog open keeps the valid name typed, else the one offered',
     async () => {
  const cases = [
    { typed: (page) => page.keyboard.type('Grace'), kept: 'Grace' },
    { typed: (page) => page.keyboard.type('ABCDEFGHIJKLMN'), kept: 'Ulvo Dask' },
    { typed: (page) => page.keyboard.sendCharacter('王五'), kept: 'Ulvo Dask' },
  ];
  for (const { typed, kept } of cases) {
    const tab = await open();
    try {
      await playToTheNameDialog(tab.page);
      await typed(tab.page);
      await waitIdle(tab.page);
      await tab.page.reload();
      await waitForFirstFrame(tab.page);
      await waitIdle(tab.page);
      assert.equal((await listedNames(tab.page))[1], kept);
      assert.equal(await storedRecords(tab.page), replayedOneAfterTheOther([kept]));
      assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
    } finally {
      await tab.close();
    }
  }
});

test('storage that is full is told once, play goes on, and no save is retried meanwhile',
     async () => {
  const tab = await open();
  const { page } = tab;
  try {
    // Fills the page's storage to the last character (without the kept game, whose removal
    // at the game's end would make room), and counts the notices and the tries to store the
    // table.
    await page.evaluate(() => {
      localStorage.removeItem('rolvi.game');
      let chunk = 1 << 22;
      for (let key = 0; chunk >= 1; ++key) {
        try {
          localStorage.setItem(`filler${key}`, 'x'.repeat(chunk));
        } catch {
          chunk = Math.floor(chunk / 2);
        }
      }
      try {
        for (let key = 0; ; ++key) localStorage.setItem(String.fromCharCode(0x41 + key), '');
      } catch {
        // not even a one-letter key fits now
      }
      window.told = 0;
      window.tries = 0;
      const show = rolviPage.showNotice;
      rolviPage.showNotice = (bytes) => {
        ++window.told;
        show(bytes);
      };
      const setItem = Storage.prototype.setItem;
      Storage.prototype.setItem = function (key, value) {
        if (key === 'rolvi.records') ++window.tries;
        return setItem.call(this, key, value);
      };
    });
    await playToTheNameDialog(page);
    await page.keyboard.type('Grace');
    await press(page, 'Enter');
    let described = await state(page);
    assert.equal(described.windows.dialogs[0]?.caption, '排行榜', 'the list still follows');
    assert.equal(await page.evaluate(() => document.getElementById('problem').textContent),
                 '无法保存排行榜：\nlocalStorage: rolvi.records\n存储空间已满。');
    await savePicture(page, 'storage-full.png');
    await press(page, 'Enter');
    // Hidden, the page tries once more, and says nothing new.
    await page.evaluate(() => {
      Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
      document.dispatchEvent(new Event('visibilitychange'));
      delete document.visibilityState;
    });
    await new Promise((resolve) => setTimeout(resolve, 1000));
    assert.deepEqual(await page.evaluate(() => [window.told, window.tries]), [1, 2]);
    described = await state(page);
    assert.deepEqual(described.windows.dialogs, []);
    assert.equal(described.game.records[1].name, 'Grace');
    assert.equal(await storedRecords(page), null);
    assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    await tab.close();
  }
});
