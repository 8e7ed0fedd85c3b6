// The page's manners: it takes only the game's keys and leaves the others to the browser; the
// main window stands centred; a screen reader finds a landmark, a heading, a labelled picture
// of the game and a live region that tells the score and the game's end; the closed notice is
// readable and answers Enter and Space; axe-core finds nothing to fault, and Lighthouse scores
// its accessibility and best practices on a phone at 100.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import {
  settings, serve, launchBrowser, openTab, waitForFirstFrame, waitIdle, state, clickCell, press,
  greedyClicks, writeReport, axeSource, runLighthouse,
} from './harness.mjs';

const seed = 3;
let pageServer;
let testServer;
let chromium;

before(async () => {
  for (const name of ['page', 'testPage', 'replay', 'autoplay']) {
    if (settings[name] === undefined) throw new Error(`the runner did not say where ${name} is`);
  }
  pageServer = await serve(settings.page);
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
});

after(async () => {
  await chromium?.close();
  await pageServer?.stop();
  await testServer?.stop();
});

async function withGame(options, check) {
  const tab = await openTab(chromium.browser, options);
  try {
    await tab.page.goto(`${testServer.url}index.html?seed=${seed}`);
    await waitForFirstFrame(tab.page);
    await waitIdle(tab.page);
    await check(tab.page);
    assert.deepEqual(tab.problems, [], 'the console and the network stayed quiet');
  } finally {
    await tab.close();
  }
}

// Presses a key (with modifiers) and tells whether the page kept it from the browser.
async function prevented(page, key, modifiers = []) {
  await page.evaluate(() => {
    window.lastKey = null;
  });
  await press(page, key, modifiers);
  const last = await page.evaluate(() => window.lastKey);
  assert.ok(last !== null, `${key} reached the page`);
  return last;
}

test('the page takes the game\'s keys and leaves every other key to the browser', async () => {
  await withGame({}, async (page) => {
    // Seen after the page's own handler: whether it kept the key's default from the browser.
    await page.evaluate(() => {
      window.addEventListener('keydown', (event) => {
        if (!/^(Alt|Control|Shift|Meta)/.test(event.code)) window.lastKey = event.defaultPrevented;
      });
    });
    for (const [key, modifiers] of [['F6'], ['F7'], ['F11'], ['F12'], ['F2'], ['Tab'],
                                    ['Tab', ['Shift']], ['KeyL', ['Control']],
                                    ['KeyT', ['Control']], ['KeyD', ['Alt']], ['KeyQ'],
                                    ['Digit1', ['Alt']]]) {
      assert.equal(await prevented(page, key, modifiers), false,
                   `${[...(modifiers ?? []), key].join('+')} is the browser's`);
    }
    let described = await state(page);
    assert.equal(described.windows.menu.mode, 'closed', 'Alt held for Alt+D is no tap of Alt');
    assert.deepEqual(described.windows.dialogs, [], 'the browser\'s keys did nothing in the game');

    assert.equal(await prevented(page, 'F5'), true);
    assert.equal((await state(page)).windows.dialogs[0]?.caption, '统计');
    assert.equal(await prevented(page, 'F5'), true);
    assert.equal(await prevented(page, 'KeyF', ['Alt']), true);
    assert.equal((await state(page)).windows.menu.popup, 0, 'Alt+F opens the File menu');
    assert.equal(await prevented(page, 'ArrowRight'), true);
    assert.equal((await state(page)).windows.menu.popup, 1, 'the arrow moves to Options');
    assert.equal(await prevented(page, 'Escape'), true);
    assert.equal(await prevented(page, 'Escape'), true);
    for (const key of ['ArrowDown', 'PageDown', 'Home', 'Space', 'F3', 'F3']) {
      assert.equal(await prevented(page, key), true, `${key} is the game's`);
    }
    // In a dialog, Tab moves between its controls and letters are typed.
    assert.equal(await prevented(page, 'F1'), true);
    assert.equal((await state(page)).windows.dialogs[0]?.caption, '规则');
    assert.equal(await prevented(page, 'Tab'), true);
    assert.equal(await prevented(page, 'KeyA'), true);
    assert.equal(await prevented(page, 'Enter'), true);
    described = await state(page);
    assert.deepEqual(described.windows.dialogs, []);
    // Alt+Left, the browser's Back, last: it may leave the page.
    assert.equal(await prevented(page, 'ArrowLeft', ['Alt']), false);
  });
});

test('the main window stands centred across the browser window', async () => {
  for (const [width, height] of [[1280, 800], [1400, 920], [1024, 700]]) {
    await withGame({ width, height }, async (page) => {
      const box = await page.evaluate(() => {
        const rect = rolviPage.canvasOf(1).getBoundingClientRect();
        return { left: rect.left, right: rect.right };
      });
      const margins = [box.left, width - box.right];
      assert.ok(Math.abs(margins[0] - margins[1]) <= 1,
                `${width}x${height}: margins ${margins.join(' and ')}`);
    });
  }
});

test('a screen reader finds the landmark, the heading, the labelled game and the score',
     async () => {
  const clicks = greedyClicks(seed, 'score:10');
  await withGame({}, async (page) => {
    const outline = await page.evaluate(() => ({
      lang: document.documentElement.lang,
      main: document.querySelectorAll('main').length,
      heading: document.querySelector('h1')?.textContent,
      headingSize: document.querySelector('h1')?.getBoundingClientRect().width,
      description: document.querySelector('meta[name="description"]')?.content,
      live: document.querySelector('[aria-live="polite"]')?.id,
      canvas: [...document.querySelectorAll('canvas')].map((canvas) =>
        [canvas.getAttribute('role'), canvas.getAttribute('aria-label')]),
    }));
    assert.equal(outline.lang, 'zh-CN', 'the language the game shows');
    assert.equal(outline.main, 1);
    assert.equal(outline.heading, 'Color rolvi');
    assert.ok(outline.headingSize <= 1, 'the heading is not shown: the title bar says it');
    assert.ok(outline.description.length > 20);
    assert.equal(outline.live, 'announcer');
    assert.deepEqual(outline.canvas[0], ['img', await page.evaluate(() => rolviPage.text('mainWindow'))]);

    const announced = () => page.evaluate(() => new Promise((resolve) => {
      requestAnimationFrame(() => resolve(document.getElementById('announcer').textContent));
    }));
    assert.equal(await announced(), '', 'the first game\'s start is no news');
    let described = await state(page);
    for (const cell of clicks) await clickCell(page, described, ...cell);
    described = await state(page);
    const score = described.game.score;
    assert.ok(score >= 10);
    const beaten = score > described.game.records[0].score;
    assert.equal(await announced(), await page.evaluate(
      (name, value) => rolviPage.text(name, { score: value }), beaten ? 'newRecord' : 'score',
      score));
    // F4 starts a new game: a result good enough asks for a name first.
    await press(page, 'F4');
    if ((await state(page)).windows.dialogs.length > 0) {
      await press(page, 'Enter');
      await press(page, 'Enter');
    }
    assert.equal(await announced(), await page.evaluate(() => rolviPage.text('newGame')));
    // The page words a full board and the next game the same way, in the language set.
    await page.evaluate(() => {
      rolviPage.reportGame(36, true, false);
      rolviPage.setLanguage('en');
    });
    await page.evaluate(() => rolviPage.reportGame(0, false, false));
    assert.equal(await announced(), 'New game');
    await page.evaluate(() => rolviPage.reportGame(40, true, true));
    assert.equal(await announced(), 'Game over, score 40');
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'en');
  });
});

test('the closed notice is readable and plays again on Enter or Space', async () => {
  await withGame({}, async (page) => {
    for (const key of ['Enter', 'Space']) {
      await press(page, 'KeyX', ['Alt']);
      const notice = await page.evaluate(() => {
        const element = document.getElementById('status');
        const style = getComputedStyle(element);
        return { tag: element.tagName, focused: document.activeElement === element,
                 text: element.textContent, colour: style.color, background: style.backgroundColor };
      });
      assert.equal(notice.tag, 'BUTTON');
      assert.equal(notice.focused, true);
      assert.equal(notice.text, await page.evaluate(() => rolviPage.text('closed')));
      assert.ok(contrast(notice.colour, notice.background) >= 4.5,
                `contrast ${contrast(notice.colour, notice.background)}`);
      await Promise.all([page.waitForNavigation(), page.keyboard.press(key)]);
      await waitForFirstFrame(page);
      await waitIdle(page);
    }
  });
});

// The contrast ratio of two CSS colours rgb(r, g, b), as WCAG defines it.
function contrast(first, second) {
  const luminance = (colour) => {
    const [r, g, b] = colour.match(/\d+/g).slice(0, 3).map((value) => {
      const channel = Number(value) / 255;
      return channel <= 0.04045 ? channel / 12.92 : ((channel + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [light, dark] = [luminance(first), luminance(second)].sort((a, b) => b - a);
  return (light + 0.05) / (dark + 0.05);
}

test('axe-core finds nothing to fault: playing, in a dialog, and closed', async () => {
  const audit = async (page, what) => {
    if (!(await page.evaluate(() => typeof window.axe === 'object'))) {
      await page.addScriptTag({ path: axeSource() });
    }
    const result = await page.evaluate(() => axe.run(document, { resultTypes: ['violations'] }));
    const found = result.violations.map((violation) =>
      `${violation.id}: ${violation.nodes.map((node) => node.target.join(' ')).join(', ')}`);
    assert.deepEqual(found, [], what);
  };
  await withGame({}, async (page) => {
    await audit(page, 'playing');
    await press(page, 'F1');
    await audit(page, 'the rules open');
    await press(page, 'Enter');
    await press(page, 'KeyX', ['Alt']);
    await audit(page, 'closed');
  });
});

test('Lighthouse on a phone: accessibility and best practices 100', async (t) => {
  const report = await runLighthouse(chromium.browser, pageServer.url);
  const scores = Object.fromEntries(Object.entries(report.categories)
    .map(([name, category]) => [name, Math.round(category.score * 100)]));
  const metrics = Object.fromEntries(
    ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time',
     'cumulative-layout-shift', 'speed-index'].map((id) => [id, report.audits[id].displayValue]));
  writeReport('lighthouse.json', { scores, metrics });
  t.diagnostic(`Lighthouse (mobile): ${JSON.stringify(scores)} ${JSON.stringify(metrics)}`);
  const faults = (category) => report.categories[category].auditRefs
    .map((ref) => report.audits[ref.id])
    .filter((audit) => audit.score !== null && audit.score < 1 &&
                       !['informative', 'notApplicable', 'manual'].includes(audit.scoreDisplayMode))
    .map((audit) => audit.id);
  assert.deepEqual(faults('accessibility'), []);
  assert.deepEqual(faults('best-practices'), []);
  assert.equal(scores.accessibility, 100);
  assert.equal(scores['best-practices'], 100);
});
