// The browser page in Debian's headless Chromium, against the headless replay driver: the
// first frame, a move, the dialogs, the menu, entering a result and finding it after a reload,
// storage that cannot be used, the closed state, the time to the first frame on a desktop and on
// a slow phone, the size of what is downloaded, and the game continued after a reload. Every
// tab must leave the console and the network without a complaint.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, pagePoint,
  clickCell, press, shootCanvas, shootClient, canvasPixels, savePicture, replay, dumpedGame,
  greedyClicks, writeReport, cellPoint, clientOrigin,
} from './harness.mjs';
import { enlarge, firstDifference } from './png.mjs';

const seed = 3;
let pageServer;
let testServer;
let chromium;

before(async () => {
  for (const [name, value] of Object.entries(settings)) {
    if (value === undefined) throw new Error(`the runner did not say where ${name} is`);
  }
  pageServer = await serve(settings.page);
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
});

after(async () => {
  await chromium?.close();
  pageServer?.stop();
  testServer?.stop();
});

const testUrl = () => `${testServer.url}index.html?seed=${seed}`;

// A tab of the test build with the first frame shown; `check` runs with it, and then the
// console and network must have had nothing to complain about.
async function withGame(options, check) {
  const tab = await openTab(chromium.browser, options);
  try {
    await tab.page.goto(testUrl());
    await waitForFirstFrame(tab.page);
    await waitIdle(tab.page);
    await check(tab.page);
    assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    await tab.close();
  }
}

function assertSamePicture(actual, expected, what) {
  const difference = firstDifference(actual, expected);
  assert.equal(difference, null, `${what}: ${difference}`);
}

test('the first frame equals the replay driver\'s screenshot of the same seed', async () => {
  const expected = replay(seed, ['shot {first.png}'], ['first.png']).pictures['first.png'];
  await withGame({}, async (page) => {
    assert.equal(await page.evaluate(() => rolviPage.scale()), 1);
    const described = await state(page);
    const main = described.windows.main;
    // The frame the page kept of its first present, cut to the client area...
    const first = await page.evaluate((x, y) => {
      const frame = rolviPage.firstFrame();
      const rgba = [];
      for (let row = 0; row < 374; ++row) {
        const start = 4 * ((y + row) * frame.width + x);
        rgba.push(...frame.data.subarray(start, start + 4 * 612));
      }
      return rgba;
    }, main.content[0], main.content[1] + main.bar);
    assertSamePicture({ width: 612, height: 374, rgba: Buffer.from(first) }, expected,
                      'the first frame');
    // ...and what the page shows of it.
    assertSamePicture(await shootClient(page, described), expected, 'the client area shown');
    assert.equal(await page.title(), 'Color rolvi');
    await savePicture(page, 'first-frame.png');
  });
});

test('the game is enlarged crisply by whole numbers, on dense screens too', async () => {
  const expected = replay(seed, ['shot {first.png}'], ['first.png']).pictures['first.png'];
  // Two steps of scale, a dense screen, and a window too small for the game, which scrolls.
  for (const [width, height, ratio, scale] of [[1400, 920, 1, 2], [800, 600, 2, 2],
                                               [600, 400, 1, 1]]) {
    await withGame({ width, height, scale: ratio }, async (page) => {
      assert.equal(await page.evaluate(() => rolviPage.scale()), scale,
                   `the scale in a ${width} by ${height} window at ${ratio} device pixels`);
      const shown = await shootClient(page, await state(page));
      assertSamePicture(shown, enlarge(expected, scale), `${width}x${height}@${ratio}`);
    });
  }
});

test('a click on a ball and one on an empty cell move it as in the replay driver', async () => {
  const [from, to] = greedyClicks(seed, 'score:10').slice(0, 2);
  const lines = [`click ${from.join(' ')}`, `click ${to.join(' ')}`, 'dump', 'shot {moved.png}'];
  const expected = replay(seed, lines, ['moved.png']);
  await withGame({}, async (page) => {
    let described = await state(page);
    await clickCell(page, described, ...from);
    assert.equal((await state(page)).game.selection, 1, 'the ball is selected');
    // The selected ball jumps on the page's 50 ms timer.
    await new Promise((resolve) => setTimeout(resolve, 200));
    await clickCell(page, described, ...to);
    described = await state(page);
    const dumped = dumpedGame(expected.output);
    assert.equal(described.game.board, dumped.board);
    assert.deepEqual(described.game.next, dumped.next);
    assert.equal(described.game.score, dumped.score);
    assertSamePicture(await shootClient(page, described), expected.pictures['moved.png'],
                      'the board after the move');
    // The first click was a gesture: the chime may sound now.
    assert.equal(await page.evaluate(() => rolviPage.chime()), true);
  });
});

test('input during an animation waits and is handled after it, in order', async () => {
  const [from, to] = greedyClicks(seed, 'score:10').slice(0, 2);
  const expected = replay(seed, [`click ${from.join(' ')}`, `click ${to.join(' ')}`,
                                 'command 513', 'dump', 'shot {after.png}'], ['after.png']);
  await withGame({}, async (page) => {
    const described = await state(page);
    await clickCell(page, described, ...from);
    const target = await cellPoint(page, described, ...to);
    // The move's animation pauses the game's code; F5 comes while it plays.
    await page.mouse.click(target.x, target.y);
    assert.equal(await page.evaluate(() => rolviPage.waiting()), false, 'the move is playing');
    await page.keyboard.press('F5');
    assert.equal((await state(page)).windows.dialogs.length, 0, 'F5 waits for the move');
    await waitIdle(page);
    const after = await state(page);
    assert.equal(after.game.board, dumpedGame(expected.output).board);
    assert.equal(after.windows.dialogs[0]?.caption, '统计');
    const client = clientOrigin(described);
    const pixels = await canvasPixels(page, client.id,
                                      [client.x, client.y, client.x + 612, client.y + 374]);
    assertSamePicture(pixels, expected.pictures['after.png'], 'the client area after both');
  });
});

test('F1 opens the rules and Enter closes them; F5 opens the statistics window', async () => {
  await withGame({ width: 1024, height: 700 }, async (page) => {
    assert.equal(await page.evaluate(() => rolviPage.chime()), false, 'silent before a gesture');
    await press(page, 'F1');
    let described = await state(page);
    assert.equal(described.windows.dialogs.length, 1);
    const rules = described.windows.dialogs[0];
    assert.equal(rules.caption, '规则');
    assert.equal(rules.kind, 'modal');
    assert.equal(rules.active, true);
    assert.equal(described.windows.main.active, false);
    // Centred on the game.
    const main = described.windows.main.rect;
    assert.ok(Math.abs(rules.rect[0] + rules.rect[2] - (main[0] + main[2])) <= 1);
    assert.ok(Math.abs(rules.rect[1] + rules.rect[3] - (main[1] + main[3])) <= 1);
    await savePicture(page, 'rules.png');
    await press(page, 'Enter');
    described = await state(page);
    assert.deepEqual(described.windows.dialogs, []);
    assert.equal(described.windows.main.active, true);

    await press(page, 'F5');
    described = await state(page);
    const stats = described.windows.dialogs[0];
    assert.equal(stats.caption, '统计');
    assert.equal(stats.kind, 'modeless');
    const boardRight = main[0] + described.windows.main.content[0] +
                       described.game.firstCell[0] - 18 + 9 * 36;
    assert.ok(stats.rect[0] > boardRight, 'beside the board');
    // The window is on the page where the program put it: right of the board, all of it.
    const corner = await pagePoint(page, stats.id, 0, 0);
    const boardCorner = await pagePoint(page, described.windows.main.id, boardRight, 0);
    assert.ok(corner.x > boardCorner.x);
    const viewport = page.viewport();
    const farCorner = await pagePoint(page, stats.id, stats.rect[2] - stats.rect[0] - 1, 0);
    assert.ok(farCorner.x < viewport.width, 'the whole window fits the page');
    await savePicture(page, 'statistics.png');
    await press(page, 'F5');
    assert.deepEqual((await state(page)).windows.dialogs, []);
  });
});

test('the menu opens by mouse and by Alt+F', async () => {
  await withGame({}, async (page) => {
    let described = await state(page);
    const main = described.windows.main;
    const title = described.windows.menu.titles[0];
    const before = await shootCanvas(page, main.id, [main.content[0], main.content[1] + main.bar,
                                                     main.content[0] + 120,
                                                     main.content[1] + main.bar + 60]);
    const at = await pagePoint(page, main.id, main.content[0] + (title[0] + title[2]) / 2,
                               main.content[1] + (title[1] + title[3]) / 2);
    await page.mouse.click(at.x, at.y);
    await waitIdle(page);
    described = await state(page);
    assert.equal(described.windows.menu.mode, 'open');
    assert.equal(described.windows.menu.popup, 0);
    const opened = await shootCanvas(page, main.id, [main.content[0], main.content[1] + main.bar,
                                                     main.content[0] + 120,
                                                     main.content[1] + main.bar + 60]);
    assert.notEqual(firstDifference(opened, before), null, 'the drop-down shows');
    await savePicture(page, 'file-menu.png');
    await press(page, 'Escape');
    await press(page, 'Escape');
    assert.equal((await state(page)).windows.menu.mode, 'closed');

    await press(page, 'KeyF', ['Alt']);
    described = await state(page);
    assert.equal(described.windows.menu.mode, 'open');
    assert.equal(described.windows.menu.popup, 0);
    await press(page, 'Escape');
    await press(page, 'Escape');
    // A click on the desk beside the windows closes an open menu.
    await press(page, 'KeyO', ['Alt']);
    assert.equal((await state(page)).windows.menu.popup, 1);
    await page.mouse.click(3, 3);
    await waitIdle(page);
    assert.equal((await state(page)).windows.menu.mode, 'closed');
  });
});

test('a qualifying game asks for a name, checks it, keeps it, and lists it after a reload',
     async () => {
  const clicks = greedyClicks(seed, 'score:10');
  const expected = replay(seed, [...clicks.map((c) => `click ${c.join(' ')}`), 'name Grace',
                                 'command 256']);
  assert.equal(expected.records.length, 160);
  const offered = replay(seed, [...clicks.map((c) => `click ${c.join(' ')}`), 'name Ulvo Dask',
                                'command 256']);
  await withGame({}, async (page) => {
    let described = await state(page);
    for (const cell of clicks) await clickCell(page, described, ...cell);
    described = await state(page);
    assert.ok(described.game.score >= 10, `scored ${described.game.score}`);

    await press(page, 'F4');
    described = await state(page);
    const name = described.windows.dialogs[0];
    assert.equal(name.caption, '恭喜恭喜');
    assert.equal(name.edit, 'Ulvo Dask');
    await savePicture(page, 'name.png');
    // The page is hidden while the name is asked (the player closes the tab, say): the result
    // is kept at once, under the name offered, from inside the waiting dialog.
    await page.evaluate(() => {
      Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
      document.dispatchEvent(new Event('visibilitychange'));
      delete document.visibilityState;
    });
    assert.equal(await page.evaluate(() => localStorage.getItem('rolvi.records')),
                 offered.records.toString('base64'));
    await page.keyboard.type('ABCDEFGHIJKLMN');
    await waitIdle(page);
    assert.equal((await state(page)).windows.dialogs[0].edit, 'ABCDEFGHIJKLMN');
    await press(page, 'Enter');
    described = await state(page);
    const message = described.windows.dialogs[1];
    assert.equal(message.kind, 'message');
    assert.equal(message.caption, '错 误');
    assert.equal(message.texts[0].trim(), '姓名太长');
    await savePicture(page, 'name-too-long.png');
    await press(page, 'Enter');
    await press(page, 'End');
    for (let i = 0; i < 14; ++i) await press(page, 'Backspace');
    await page.keyboard.type('Grace');
    await waitIdle(page);
    await press(page, 'Enter');
    described = await state(page);
    assert.equal(described.windows.dialogs[0].caption, '排行榜');
    // Kept at once, byte for byte what the desktop program writes for the same game.
    const kept = await page.evaluate(() => localStorage.getItem('rolvi.records'));
    assert.equal(kept, expected.records.toString('base64'));
    await savePicture(page, 'records-after-entry.png');
    await press(page, 'Enter');
    assert.deepEqual((await state(page)).windows.dialogs, []);

    await page.reload();
    await waitForFirstFrame(page);
    await waitIdle(page);
    await press(page, 'KeyF', ['Alt']);
    await press(page, 'KeyH');
    described = await state(page);
    assert.equal(described.windows.dialogs[0].caption, '排行榜');
    assert.equal(described.game.records[1].name, 'Grace');
    assert.equal(described.game.records[1].score, expected.records.readUInt16LE(30));
    await savePicture(page, 'records-after-reload.png');
    await press(page, 'Enter');
  });
});

test('storage that is disabled loses the visit\'s results, says so, and nothing else', async () => {
  const clicks = greedyClicks(seed, 'score:10');
  const disable = () => {
    Object.defineProperty(window, 'localStorage', {
      get() {
        throw new DOMException('The storage is disabled', 'SecurityError');
      },
    });
  };
  await withGame({ before: disable }, async (page) => {
    let described = await state(page);
    for (const cell of clicks) await clickCell(page, described, ...cell);
    await press(page, 'F4');
    await page.keyboard.type('Grace');
    await waitIdle(page);
    await press(page, 'Enter');
    described = await state(page);
    assert.equal(described.windows.dialogs[0].caption, '排行榜');
    // The result could not be kept: a notice across the page says where and why.
    assert.equal(await page.evaluate(() => document.getElementById('problem').textContent),
                 '无法保存排行榜：\nlocalStorage: rolvi.records\n没有访问权限。');
    await savePicture(page, 'storage-disabled.png');
    await press(page, 'Enter');
    described = await state(page);
    assert.deepEqual(described.windows.dialogs, []);
    assert.equal(described.game.records[1].name, 'Grace');
    await press(page, 'KeyX', ['Alt']);
    assert.equal(await page.evaluate(() => rolviPage.isClosed()), true);
  });
});

test('Alt+x saves like a close and leaves a quiet page that plays again on a click',
     async () => {
  await withGame({}, async (page) => {
    await press(page, 'KeyX', ['Alt']);
    assert.equal(await page.evaluate(() => rolviPage.isClosed()), true);
    assert.equal(await page.evaluate(() => document.querySelectorAll('canvas').length), 0);
    assert.equal(await page.evaluate(() => document.getElementById('status').textContent),
                 await page.evaluate(() => rolviPage.text('closed')));
    await savePicture(page, 'closed.png');
    await Promise.all([page.waitForNavigation(), page.mouse.click(400, 300)]);
    await waitForFirstFrame(page);
    assert.equal((await state(page)).windows.main.shown, true);
  });
});

// Cold loads of the page to play, each in a new context; the medians of the page's marks.
async function startTimes(options, runs, slowdown = 1) {
  const marks = [];
  for (let run = 0; run < runs; ++run) {
    const tab = await openTab(chromium.browser, options);
    try {
      if (slowdown > 1) {
        const cdp = await tab.page.createCDPSession();
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
      }
      await tab.page.goto(pageServer.url);
      await waitForFirstFrame(tab.page);
      marks.push(await tab.page.evaluate(() => ({ ...rolviPage.marks })));
      assert.equal(await tab.page.evaluate(() => rolviPage.state()), null,
                   'the page to play does not describe itself');
      assert.deepEqual(tab.problems, []);
    } finally {
      await tab.close();
    }
  }
  const median = (name) => {
    const sorted = marks.map((mark) => mark[name]).sort((a, b) => a - b);
    return Math.round(sorted[Math.floor(sorted.length / 2)]);
  };
  const timing = { runtimeReadyMs: median('runtime'), mainShownMs: median('main-shown'),
                   firstFrameMs: median('first-frame'), designedDropsMs: 500 };
  timing.firstFrameWithoutDropsMs = timing.firstFrameMs - timing.designedDropsMs;
  return timing;
}

test('the page to play starts quietly; time from navigation to its first frame', async (t) => {
  const desktop = await startTimes({ width: 1280, height: 800 }, 5);
  // A phone's view (390 by 844 at 3 device pixels a pixel, touch) on a CPU four times slower.
  const phone = await startTimes({ width: 390, height: 844, scale: 3, mobile: true }, 5, 4);
  writeReport('timing.json', { runs: 5, desktop, phone });
  for (const [name, timing] of [['desktop', desktop], ['phone, 4x slower CPU', phone]]) {
    t.diagnostic(`${name}: first frame ${timing.firstFrameMs} ms after navigation ` +
                 `(${timing.firstFrameWithoutDropsMs} ms without the 500 ms of drops; ` +
                 `the program running after ${timing.runtimeReadyMs} ms), median of 5`);
  }
});

test('the program and the page\'s files stay under 150 KB with gzip', async (t) => {
  const files = ['index.html', 'page.css', 'page.js', 'rolvi.js', 'rolvi.wasm',
                 'rolvi.webmanifest', 'service-worker.js'];
  const sizes = Object.fromEntries(files.map((file) => {
    const bytes = readFileSync(join(settings.page, file));
    return [file, { bytes: bytes.length, gzip: gzipSync(bytes, { level: 9 }).length }];
  }));
  const total = Object.values(sizes).reduce((sum, size) => sum + size.gzip, 0);
  writeReport('sizes.json', { files: sizes, gzipTotal: total });
  t.diagnostic(`with gzip -9: ${total} bytes (rolvi.wasm ${sizes['rolvi.wasm'].gzip}, ` +
               `rolvi.js ${sizes['rolvi.js'].gzip})`);
  assert.ok(total < 150 * 1024, `${total} bytes`);
});

test('a reload continues the game, and a reload during a move continues from before it',
     async () => {
  const clicks = greedyClicks(seed, 'score:10');
  const script = (count) => clicks.slice(0, count).map((cell) => `click ${cell.join(' ')}`);
  const kept = replay(seed, [...script(4), 'size 612 374', 'dump', 'shot {kept.png}'],
                      ['kept.png']);
  const moved = replay(seed, [...script(6), 'dump']);
  const [from, to] = clicks.slice(4, 6);
  await withGame({}, async (page) => {
    let described = await state(page);
    for (const cell of clicks.slice(0, 4)) await clickCell(page, described, ...cell);
    const reload = async () => {
      await page.reload();
      await waitForFirstFrame(page);
      await waitIdle(page);
      return state(page);
    };
    described = await reload();
    const before = dumpedGame(kept.output);
    assert.equal(described.game.board, before.board);
    assert.deepEqual(described.game.next, before.next);
    assert.equal(described.game.score, before.score);
    assertSamePicture(await shootClient(page, described), kept.pictures['kept.png'],
                      'the game after a reload');

    // The next move is under way when the page goes: the game comes back as before it.
    await clickCell(page, described, ...from);
    const target = await cellPoint(page, described, ...to);
    await page.mouse.click(target.x, target.y);
    assert.equal(await page.evaluate(() => rolviPage.waiting()), false, 'the move is playing');
    described = await reload();
    assert.equal(described.game.board, before.board);
    assert.equal(described.game.score, before.score);
    // ...and plays on: the same move again gives what the whole script gives.
    await clickCell(page, described, ...from);
    await clickCell(page, described, ...to);
    described = await state(page);
    const after = dumpedGame(moved.output);
    assert.equal(described.game.board, after.board);
    assert.deepEqual(described.game.next, after.next);
    await savePicture(page, 'continued-after-reload.png');
  });
});
