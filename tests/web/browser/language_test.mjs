// The page's language: the first of the browser's languages that is Chinese or English, unless
// the address says ?lang=en or ?lang=zh. The program's windows (compared with the replay
// driver's screenshot in the same language, and the dialogs' captions; a phone's menu sheet,
// whose rows are the program's menu), the page's own texts and <html lang> all follow it. The tab must leave the console and the network without a
// complaint.
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
const expected = {};

before(async () => {
  for (const [name, value] of Object.entries(settings)) {
    if (value === undefined) throw new Error(`the runner did not say where ${name} is`);
  }
  testServer = await serve(settings.testPage);
  chromium = await launchBrowser();
  for (const language of ['zh', 'en']) {
    expected[language] = replay(seed, ['shot {first.png}'], ['first.png'], null, language)
      .pictures['first.png'];
  }
});

after(async () => {
  await chromium?.close();
  testServer?.stop();
});

// What each language shows: the page's <html lang>, the loading notice, and the captions of
// the rules and the statistics window.
const shown = {
  zh: { lang: 'zh-CN', loading: '正在载入 Color rolvi…', rules: '规则', statistics: '统计' },
  en: { lang: 'en', loading: 'Loading Color rolvi…', rules: 'Rules', statistics: 'Statistics' },
};

// Keeps the loading notice as it stands when the page's scripts have run, before the program
// replaces it with its window.
function keepLoadingNotice() {
  document.addEventListener('DOMContentLoaded', () => {
    window.loadingNotice = document.getElementById('status')?.textContent ?? null;
  });
}

async function checkLanguage(languages, address, language) {
  const what = `${JSON.stringify(languages)} ${address}`;
  const tab = await openTab(chromium.browser, { languages, before: keepLoadingNotice });
  const page = tab.page;
  try {
    await page.goto(`${testServer.url}index.html?seed=${seed}${address}`);
    await waitForFirstFrame(page);
    await waitIdle(page);
    const outline = await page.evaluate(() => ({
      lang: document.documentElement.lang,
      loading: window.loadingNotice,
      label: rolviPage.canvasOf(1).getAttribute('aria-label'),
      mainWindow: rolviPage.text('mainWindow'),
    }));
    assert.equal(outline.lang, shown[language].lang, `${what}: <html lang>`);
    assert.equal(outline.loading, shown[language].loading, `${what}: the loading notice`);
    assert.equal(outline.label, outline.mainWindow, `${what}: the game's label`);
    const difference = firstDifference(await shootClient(page, await state(page)),
                                       expected[language]);
    assert.equal(difference, null, `${what}: the first frame, as replay --lang ${language}`);

    await press(page, 'F1');
    assert.equal((await state(page)).windows.dialogs[0]?.caption, shown[language].rules, what);
    await press(page, 'Enter');
    await press(page, 'F5');
    assert.equal((await state(page)).windows.dialogs[0]?.caption, shown[language].statistics,
                 what);
    await press(page, 'F5');
    await press(page, 'KeyF', ['Alt']);
    await savePicture(page, `language-${language}-menu.png`);
    await press(page, 'Escape');
    assert.deepEqual(tab.problems, [], `${what}: the console and the network stayed quiet`);
  } finally {
    await tab.close();
  }
}

test('English for a browser in English, in a language the game lacks, or with ?lang=en',
     async () => {
  await checkLanguage(['en-US'], '', 'en');
  await checkLanguage(['fr-FR', 'en-GB', 'zh-CN'], '', 'en');
  await checkLanguage(['de-DE'], '', 'en');
  await checkLanguage(['zh-CN'], '&lang=en', 'en');
});

test('today\'s Chinese for a browser in Chinese, or with ?lang=zh', async () => {
  await checkLanguage(['zh-CN'], '', 'zh');
  await checkLanguage(['fr-FR', 'zh-TW', 'en'], '', 'zh');
  await checkLanguage(['en-US'], '&lang=zh', 'zh');
  await checkLanguage(['zh-CN'], '&lang=xx', 'zh');
});

test('a phone\'s menu sheet shows the program\'s menu in the page\'s language', async () => {
  for (const [languages, headings, label] of [[['en-US'], ['File', 'Options', 'Help'], 'Menu'],
                                              [['zh-CN'], ['文件', '选项', '帮助'], '菜单']]) {
    const tab = await openTab(chromium.browser, { width: 390, height: 844, scale: 3,
                                                  mobile: true, languages });
    try {
      await tab.page.goto(`${testServer.url}index.html?seed=${seed}`);
      await waitForFirstFrame(tab.page);
      await waitIdle(tab.page);
      const button = await tab.page.$eval('#menu-button', (element) => {
        const box = element.getBoundingClientRect();
        return { x: box.left + box.width / 2, y: box.top + box.height / 2,
                 label: element.getAttribute('aria-label') };
      });
      assert.equal(button.label, label, `${languages}: the menu button's label`);
      await tab.page.touchscreen.tap(button.x, button.y);
      await waitIdle(tab.page);
      const shown = await tab.page.$$eval('.menu-heading', (all) => all.map((h) => h.textContent));
      assert.deepEqual(shown, headings, `${languages}: the sheet's headings`);
      assert.deepEqual(tab.problems, [], `${languages}: the console and the network stayed quiet`);
    } finally {
      await tab.close();
    }
  }
});

test('the two languages differ where the program draws text', () => {
  assert.notEqual(firstDifference(expected.en, expected.zh), null);
});
