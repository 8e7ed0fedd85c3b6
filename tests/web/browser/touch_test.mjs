// The page on phones and tablets, emulated in headless Chromium (touch events, a coarse
// pointer, the mobile viewport, the device's pixel ratio): a phone shows the game filling its
// screen with cells a finger wide and its menu behind a button, a tablet keeps the desk; the
// page does not scroll or zoom under the fingers; a game tapped to a score takes a name typed
// into the page's own text input, and the records list shows it, also after a reload.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, pagePoint,
  greedyClicks, writeReport,
} from './harness.mjs';

const seed = 3;
let testServer;
let chromium;
const measured = {};

const devices = {
  'iPhone 13': { width: 390, height: 844, scale: 3, phone: true },
  'Pixel 7': { width: 412, height: 915, scale: 2.625, phone: true },
  'iPhone SE': { width: 375, height: 667, scale: 2, phone: true },
  'Galaxy S9': { width: 360, height: 740, scale: 4, phone: true },
  'iPad Mini': { width: 768, height: 1024, scale: 2, phone: false },
};

before(async () => {
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
});

after(async () => {
  writeReport('touch.json', measured);
  await chromium?.close();
  testServer?.stop();
});

// A tab of the test build on the device, turned when `landscape`, with the first frame shown.
async function withDevice(name, landscape, check) {
  const device = devices[name];
  const [width, height] = landscape ? [device.height, device.width]
                                    : [device.width, device.height];
  const tab = await openTab(chromium.browser, { width, height, scale: device.scale,
                                                mobile: true });
  try {
    await tab.page.goto(`${testServer.url}index.html?seed=${seed}`);
    await waitForFirstFrame(tab.page);
    await waitIdle(tab.page);
    await check(tab.page, { width, height, phone: device.phone });
    assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    await tab.close();
  }
}

// A rectangle of a window's canvas pixels as the page shows it, in points (CSS pixels).
async function pageRect(page, windowId, rect) {
  const [x0, y0] = [rect[0], rect[1]];
  const from = await pagePoint(page, windowId, x0 - 0.5, y0 - 0.5);
  const to = await pagePoint(page, windowId, rect[2] - 0.5, rect[3] - 0.5);
  return { left: from.x, top: from.y, width: to.x - from.x, height: to.y - from.y };
}

async function tap(page, point) {
  await page.touchscreen.tap(point.x, point.y);
  await waitIdle(page);
}

async function tapRect(page, rect) {
  await tap(page, { x: rect.left + rect.width / 2, y: rect.top + rect.height / 2 });
}

// The main window's client: its window and where it starts on the canvas.
function client(described) {
  const main = described.windows.main;
  return { id: main.id, x: main.content[0], y: main.content[1] + main.bar };
}

// A cell's centre on the page.
async function cellPoint(page, described, column, row) {
  const at = client(described);
  const first = described.game.firstCell;
  const pitch = described.game.nextCell[0] - first[0];
  return pagePoint(page, at.id, at.x + first[0] + column * pitch, at.y + first[1] + row * pitch);
}

// The board's tiles, and one cell, in points: each tile is drawn 2 pixels right of and below
// the square that a click on it hits.
async function boardRect(page, described) {
  const at = client(described);
  const first = described.game.firstCell;
  const pitch = described.game.nextCell[0] - first[0];
  const left = at.x + first[0] - pitch / 2 + 2;
  const top = at.y + first[1] - pitch / 2 + 2;
  const board = await pageRect(page, at.id, [left, top, left + 9 * pitch, top + 9 * pitch]);
  return { board, cell: board.width / 9 };
}

async function scrolled(page) {
  return page.evaluate(() => {
    const root = document.scrollingElement;
    return { x: window.scrollX, y: window.scrollY, zoom: window.visualViewport.scale,
             wider: root.scrollWidth > root.clientWidth,
             taller: root.scrollHeight > root.clientHeight };
  });
}

const domRect = (page, selector) => page.$eval(selector, (element) => {
  const box = element.getBoundingClientRect();
  return { left: box.left, top: box.top, width: box.width, height: box.height };
});

function assertFingerSized(rect, what) {
  assert.ok(rect.width >= 40 - 1e-6 && rect.height >= 40 - 1e-6,
            `${what} is ${rect.width.toFixed(1)} by ${rect.height.toFixed(1)} points`);
}

async function saveShot(page, name) {
  if (!settings.shots) return;
  mkdirSync(settings.shots, { recursive: true });
  await page.screenshot({ path: join(settings.shots, name) });
}

// Opens the menu and chooses `command`: a phone's button and sheet, or a tablet's menu bar,
// tapped.
async function chooseFromMenu(page, described, command, targets) {
  if (await page.$('#menu-button') !== null) {
    const button = await domRect(page, '#menu-button');
    targets.push(['menu button', button]);
    await tapRect(page, button);
    const rows = await page.$$eval('.menu-item', (items) => items.map((item) => {
      const box = item.getBoundingClientRect();
      return { left: box.left, top: box.top, width: box.width, height: box.height };
    }));
    rows.forEach((row, index) => targets.push([`menu row ${index + 1}`, row]));
    await tapRect(page, await domRect(page, `.menu-item[data-command="${command}"]`));
    return;
  }
  const main = described.windows.main;
  const title = described.windows.menu.titles[0];
  await tapRect(page, await pageRect(page, main.id, [main.content[0] + title[0],
                                                     main.content[1] + title[1],
                                                     main.content[0] + title[2],
                                                     main.content[1] + title[3]]));
  const open = await state(page);
  const item = open.windows.menu.items.find((each) => each.command === command);
  await tapRect(page, await pageRect(page, main.id, [main.content[0] + item.rect[0],
                                                     main.content[1] + item.rect[1],
                                                     main.content[0] + item.rect[2],
                                                     main.content[1] + item.rect[3]]));
}

// Every phone, either way up: the whole board without scrolling, cells of at least 40 points
// upright and 36 turned, a menu button a finger wide; nothing scrolls or zooms under a drag or
// a double tap on the board. The tablet keeps the desk.
test('phones show the game filling the screen with finger-sized cells; tablets keep the desk',
     async () => {
  for (const name of Object.keys(devices)) {
    for (const landscape of [false, true]) {
      const what = `${name} ${landscape ? 'landscape' : 'portrait'}`;
      await withDevice(name, landscape, async (page, view) => {
        const touch = await page.evaluate(() => document.documentElement.classList.contains('touch'));
        assert.equal(touch, view.phone, `${what}: the page's mode`);
        const described = await state(page);
        const { board, cell } = await boardRect(page, described);
        const entry = { cellPoints: Number(cell.toFixed(2)), mode: touch ? 'phone' : 'desk' };
        assert.ok(board.left >= -0.01 && board.top >= -0.01 &&
                  board.left + board.width <= view.width + 0.01 &&
                  board.top + board.height <= view.height + 0.01, `${what}: the whole board`);
        if (view.phone) {
          assert.ok(cell >= (landscape ? 36 : 40) - 1e-6, `${what}: a cell of ${cell} points`);
          const button = await domRect(page, '#menu-button');
          assertFingerSized(button, `${what}: the menu button`);
          entry.menuButton = [Number(button.width.toFixed(1)), Number(button.height.toFixed(1))];
          assert.equal(described.windows.main.bar, 0, 'no menu bar');
        }
        const before = await scrolled(page);
        assert.deepEqual(before, { x: 0, y: 0, zoom: 1, wider: false, taller: false },
                         `${what}: nothing to scroll`);
        // A drag across the board and a double tap on an empty cell's place.
        const start = await cellPoint(page, described, 4, 1);
        const end = await cellPoint(page, described, 4, 7);
        await page.touchscreen.touchStart(start.x, start.y);
        await page.touchscreen.touchMove(end.x, end.y);
        await page.touchscreen.touchEnd();
        await page.touchscreen.tap(end.x, end.y);
        await page.touchscreen.tap(end.x, end.y);
        await waitIdle(page);
        assert.deepEqual(await scrolled(page), before, `${what}: still not scrolled or zoomed`);
        measured[what] = entry;
        const file = `${name.replace(/ /g, '-').toLowerCase()}-${landscape ? 'landscape' : 'portrait'}.png`;
        await saveShot(page, file);
      });
    }
  }
});

// A game tapped to a score on a phone and a tablet, either way up: the name is typed into the
// page's text input (a refused one gets its message first), and the records list shows it.
test('a tapped game takes a name typed into the page\'s input and lists it', async () => {
  const clicks = greedyClicks(seed, 'score:10');
  for (const name of ['iPhone 13', 'iPad Mini']) {
    for (const landscape of [false, true]) {
      const what = `${name} ${landscape ? 'landscape' : 'portrait'}`;
      const targets = [];
      await withDevice(name, landscape, async (page, view) => {
        let described = await state(page);
        for (const [column, row] of clicks) await tap(page, await cellPoint(page, described, column, row));
        described = await state(page);
        assert.ok(described.game.score >= 10, `${what}: scored ${described.game.score}`);
        const slug = `${name.replace(/ /g, '-').toLowerCase()}-${landscape ? 'landscape' : 'portrait'}`;
        await saveShot(page, `play-${slug}.png`);

        await chooseFromMenu(page, described, 256, targets);  // a new game: the result enters
        described = await state(page);
        const dialog = described.windows.dialogs[0];
        assert.equal(dialog.caption, '恭喜恭喜', what);
        // The page's own input stands over the drawn field, with typing aids off.
        const input = await page.$('input.text-field');
        assert.ok(input !== null, `${what}: the page's text input`);
        const attributes = await input.evaluate((element) => ({
          capitalise: element.getAttribute('autocapitalize'),
          correct: element.getAttribute('autocorrect'),
          complete: element.getAttribute('autocomplete'),
          spell: element.spellcheck,
          value: element.value,
          focused: document.activeElement === element,
        }));
        assert.deepEqual(attributes, { capitalise: 'off', correct: 'off', complete: 'off',
                                       spell: false, value: 'Ulvo Dask', focused: true });
        const field = await pageRect(page, dialog.id, dialog.fields[0]);
        const shown = await domRect(page, 'input.text-field');
        assert.ok(Math.abs(shown.left - field.left) < 1 && Math.abs(shown.width - field.width) < 1,
                  `${what}: the input over the field`);
        assert.ok(shown.top <= field.top + 1 && shown.top + shown.height >= field.top + field.height - 1);
        if (view.phone) {
          targets.push(['name field', shown]);
          for (const button of dialog.buttons) targets.push(['OK button', await pageRect(page, dialog.id, button)]);
          targets.push(['close box', await pageRect(page, dialog.id, dialog.closeBox)]);
        }
        await saveShot(page, `name-${slug}.png`);

        // Typed into the input, key by key: a name one letter too long is refused.
        await input.evaluate((element) => element.select());
        await input.type('ABCDEFGHIJKLMN');
        await waitIdle(page);
        assert.equal((await state(page)).windows.dialogs[0].edit, 'ABCDEFGHIJKLMN');
        await tapRect(page, await pageRect(page, dialog.id, dialog.buttons[0]));
        described = await state(page);
        const message = described.windows.dialogs[1];
        assert.equal(message.kind, 'message', what);
        assert.equal(message.texts[0].trim(), '姓名太长');
        if (view.phone) {
          targets.push(['message box OK', await pageRect(page, message.id, message.buttons[0])]);
        }
        await tapRect(page, await pageRect(page, message.id, message.buttons[0]));
        assert.equal((await state(page)).windows.dialogs.length, 1, `${what}: the box is gone`);
        await input.evaluate((element) => element.select());
        await page.keyboard.press('Backspace');
        await input.type('Grace');
        await waitIdle(page);
        assert.equal((await state(page)).windows.dialogs[0].edit, 'Grace');
        await tapRect(page, await pageRect(page, dialog.id, dialog.buttons[0]));
        described = await state(page);
        const records = described.windows.dialogs[0];
        assert.equal(records.caption, '排行榜', `${what}: the records list follows`);
        assert.equal(described.game.records[1].name, 'Grace');
        assert.equal(await page.$('input.text-field'), null, 'the input went with its dialog');
        if (view.phone) {
          targets.push(['records OK', await pageRect(page, records.id, records.buttons[0])]);
          await saveShot(page, `records-${slug}.png`);
        }
        await tapRect(page, await pageRect(page, records.id, records.buttons[0]));
        assert.deepEqual((await state(page)).windows.dialogs, []);

        // After a reload the records list, opened from the menu, still lists it.
        await page.reload();
        await waitForFirstFrame(page);
        await waitIdle(page);
        await chooseFromMenu(page, await state(page), 257, []);
        described = await state(page);
        assert.equal(described.windows.dialogs[0].caption, '排行榜');
        assert.equal(described.game.records[1].name, 'Grace', `${what}: kept`);
        if (view.phone) {
          for (const [target, rect] of targets) assertFingerSized(rect, `${what}: ${target}`);
          measured[`${what} targets`] = Object.fromEntries(targets.map(([target, rect]) => [
            target, [Number(rect.width.toFixed(1)), Number(rect.height.toFixed(1))]]));
        }
      });
    }
  }
});

// The phone's menu: its rows are a finger high, a check mark follows its option, and the
// statistics window it opens stands inside the screen with a close box a finger wide.
test('a phone\'s menu sheet chooses options and shows their check marks', async () => {
  await withDevice('iPhone 13', false, async (page) => {
    const described = await state(page);
    await tapRect(page, await domRect(page, '#menu-button'));
    assert.equal(await page.$eval('#menu-button', (button) => button.getAttribute('aria-expanded')),
                 'true');
    const checked = await page.$eval('.menu-item[data-command="512"]',
                                     (item) => item.dataset.checked);
    assert.equal(checked, 'true', 'the preview is on');
    await saveShot(page, 'menu-iphone-13-portrait.png');
    await tapRect(page, await domRect(page, '.menu-item[data-command="513"]'));
    let now = await state(page);
    const stats = now.windows.dialogs[0];
    assert.equal(stats.caption, '统计');
    const box = await pageRect(page, stats.id, [0, 0, stats.rect[2] - stats.rect[0],
                                                stats.rect[3] - stats.rect[1]]);
    assert.ok(box.left >= 0 && box.left + box.width <= 390 + 0.5, 'inside the screen');
    assertFingerSized(await pageRect(page, stats.id, stats.closeBox), 'its close box');
    await tapRect(page, await domRect(page, '#menu-button'));
    assert.equal(await page.$eval('.menu-item[data-command="513"]', (item) => item.dataset.checked),
                 'true');
    // A tap beside the sheet closes it and reaches nothing else.
    await tap(page, { x: 5, y: 5 });
    assert.equal(await page.$('.menu-sheet'), null);
    now = await state(page);
    assert.equal(now.game.selection, described.game.selection);
    await tapRect(page, await pageRect(page, stats.id, stats.closeBox));
    assert.deepEqual((await state(page)).windows.dialogs, []);
  });
});

// Turning the phone lays the game out anew for the other orientation.
test('turning a phone lays the game out for the new orientation', async () => {
  await withDevice('Pixel 7', false, async (page) => {
    const upright = await state(page);
    await page.setViewport({ width: 915, height: 412, deviceScaleFactor: 2.625, isMobile: true,
                             hasTouch: true, isLandscape: true });
    await page.waitForFunction((before) => {
      const now = rolviPage.state();
      return now.windows.main.content[2] !== before;
    }, { polling: 20, timeout: 5000 }, upright.windows.main.content[2]);
    await waitIdle(page);
    const turned = await state(page);
    const { board, cell } = await boardRect(page, turned);
    assert.ok(turned.windows.main.content[2] > turned.windows.main.content[3], 'wider than high');
    assert.ok(cell >= 36, `a cell of ${cell} points`);
    assert.ok(board.top >= 0 && board.top + board.height <= 412 + 0.01);
  });
});
