// Play by keyboard in the page: the greedy player's game to a score played with the board
// cursor's keys alone (no pointer event at all), pressed without waiting for the animations,
// ends on the replay driver's board and picture for the same keys, cursor included; the page
// keeps every one of those keys from the browser, so that a page larger than the window does
// not scroll. The tab must leave the console and the network without a complaint.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, shootClient,
  savePicture, replay, dumpedGame,
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

// The replay script's key names as the browser's key codes.
const codes = {
  left: 'ArrowLeft', right: 'ArrowRight', up: 'ArrowUp', down: 'ArrowDown', home: 'Home',
  end: 'End', pageup: 'PageUp', pagedown: 'PageDown', space: 'Space', enter: 'Enter',
};

// Counts, from the page's start, the pointer and mouse events and the key presses that the
// page let through to the browser (not prevented once every listener has run).
function watchInput() {
  window.inputSeen = { pointer: 0, keys: 0, keysLetThrough: 0 };
  for (const type of ['pointerdown', 'pointerup', 'pointermove', 'mousedown', 'mouseup',
                      'click', 'touchstart', 'wheel']) {
    window.addEventListener(type, () => { window.inputSeen.pointer += 1; }, true);
  }
  window.addEventListener('keydown', (event) => {
    window.inputSeen.keys += 1;
    if (!event.defaultPrevented) window.inputSeen.keysLetThrough += 1;
  });
}

test('a game played by keys alone scores as the replay driver plays the same keys', async () => {
  const lines = execFileSync(settings.autoplay, ['--seed', String(seed), '--until', 'score:10',
                                                 '--moves', '60', '--keys'])
    .toString().split('\n').filter((line) => line.startsWith('key '));
  assert.ok(lines.some((line) => /^key (home|end|pageup|pagedown)$/.test(line)),
            'the keys jump to an end of a row or column');
  const expected = replay(seed, [...lines, 'dump', 'shot {keys.png}'], ['keys.png']);
  const dumped = dumpedGame(expected.output);
  assert.ok(dumped.score >= 10, 'the keys score in the headless game');

  // A window too small for the game: the page could scroll.
  const tab = await openTab(chromium.browser, { width: 600, height: 400, before: watchInput });
  const page = tab.page;
  try {
    await page.goto(`${testServer.url}index.html?seed=${seed}`);
    await waitForFirstFrame(page);
    await waitIdle(page);
    assert.ok(await page.evaluate(() => document.documentElement.scrollHeight > innerHeight),
              'the page is taller than the window');
    // Every key at once: what comes during a move's animation waits in the page's queue.
    for (const line of lines) await page.keyboard.press(codes[line.slice(4)]);
    await waitIdle(page);

    const described = await state(page);
    assert.equal(described.game.board, dumped.board);
    assert.deepEqual(described.game.next, dumped.next);
    assert.equal(described.game.score, dumped.score);
    const difference = firstDifference(await shootClient(page, described),
                                       expected.pictures['keys.png']);
    assert.equal(difference, null, `the client area after the game by keys: ${difference}`);
    await savePicture(page, 'keyboard.png');

    const seen = await page.evaluate(() => ({ ...window.inputSeen, x: scrollX, y: scrollY }));
    assert.deepEqual(seen, { pointer: 0, keys: lines.length, keysLetThrough: 0, x: 0, y: 0 },
                     'no pointer event; every key kept from the browser; the page did not scroll');
    assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    await tab.close();
  }
});
