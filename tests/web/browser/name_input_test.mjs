// The name field on a desktop browser is the page's own text input over the drawn field: what
// an input method commits (Chinese, or a character without a GBK form) reaches the program's
// check, which refuses it with its message, and the drawn field always holds what the input
// shows.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, clickCell, press,
  greedyClicks, pagePoint,
} from './harness.mjs';

const seed = 3;
let testServer;
let chromium;

before(async () => {
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
});

after(async () => {
  await chromium?.close();
  testServer?.stop();
});

test('an input method\'s text reaches the name check, which refuses it with its message',
     async () => {
  const tab = await openTab(chromium.browser, { width: 1280, height: 800 });
  const page = tab.page;
  try {
    await page.goto(`${testServer.url}index.html?seed=${seed}`);
    await waitForFirstFrame(page);
    await waitIdle(page);
    let described = await state(page);
    for (const cell of greedyClicks(seed, 'score:10')) await clickCell(page, described, ...cell);
    await press(page, 'F4');
    described = await state(page);
    const dialog = described.windows.dialogs[0];
    assert.equal(dialog.caption, '恭喜恭喜');

    // The input covers the drawn field exactly, and has the keyboard with the offered name
    // selected.
    const field = dialog.fields[0];
    const corner = await pagePoint(page, dialog.id, field[0], field[1]);
    const far = await pagePoint(page, dialog.id, field[2] - 1, field[3] - 1);
    const input = await page.$eval('input.text-field', (element) => {
      const box = element.getBoundingClientRect();
      return { left: box.left, top: box.top, right: box.right, bottom: box.bottom,
               focused: document.activeElement === element, value: element.value,
               selected: element.selectionEnd - element.selectionStart };
    });
    for (const [shown, drawn] of [[input.left, corner.x], [input.top, corner.y],
                                  [input.right, far.x], [input.bottom, far.y]]) {
      assert.ok(Math.abs(shown - drawn) <= 1, `the input at ${shown}, the field at ${drawn}`);
    }
    assert.deepEqual([input.focused, input.value, input.selected], [true, 'Ulvo Dask', 9]);

    // Committed as an input method commits, without key presses of its letters.
    await page.keyboard.sendCharacter('王五');
    await waitIdle(page);
    assert.equal((await state(page)).windows.dialogs[0].edit, '王五');
    await press(page, 'Enter');
    described = await state(page);
    assert.equal(described.windows.dialogs[1]?.kind, 'message', 'the check says so');
    assert.equal(described.windows.dialogs[1].texts[0].trim(), '你只能用拉丁字母');
    // The input takes no text while the message box is up, and has the keyboard back after it.
    assert.equal(await page.$eval('input.text-field', (element) => element.readOnly), true);
    await press(page, 'Enter');
    assert.equal(await page.$eval('input.text-field',
                                  (element) => !element.readOnly &&
                                               document.activeElement === element), true);

    // A character without a GBK form is a full-width question mark to the program, and
    // refused the same way.
    await page.$eval('input.text-field', (element) => element.select());
    await page.keyboard.sendCharacter('Ann\u{1F600}');
    await waitIdle(page);
    assert.equal((await state(page)).windows.dialogs[0].edit, 'Ann？');
    await press(page, 'Enter');
    assert.equal((await state(page)).windows.dialogs[1].texts[0].trim(), '你只能用拉丁字母');
    await press(page, 'Enter');

    // More than the drawn field holds: the input is cut back to what the field shows.
    await page.$eval('input.text-field', (element) => element.select());
    await page.keyboard.type('W'.repeat(16));
    await waitIdle(page);
    const kept = (await state(page)).windows.dialogs[0].edit;
    assert.ok(kept.length < 16 && /^W+$/.test(kept), kept);
    assert.equal(await page.$eval('input.text-field', (element) => element.value), kept);

    await page.$eval('input.text-field', (element) => element.select());
    await page.keyboard.type('Grace');
    await press(page, 'Enter');
    described = await state(page);
    assert.equal(described.windows.dialogs[0].caption, '排行榜');
    assert.equal(described.game.records[1].name, 'Grace');
    assert.equal(await page.$('input.text-field'), null);
    await press(page, 'Enter');
    assert.deepEqual(tab.problems, []);
  } finally {
    await tab.close();
  }
});
