// The touch panel in a real browser: the system dialog with its six tabs,
// switching pages by tapping, closing to the host's main screen and opening
// the dialog again, and a screenshot of every page.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { openBrowser } from './browser.js';
import { startSimulator } from './simulator.js';

const TAB_TEXTS = ['測定モード', 'ファイル操作', '収録設定', '通信設定', '補助設定', 'メンテナンス'];
// The page template behind each tab, in tab order.
const PAGE_TEMPLATES = [17001, 17002, 17005, 17003, 17006, 17004];
const SYSTEM = '.window[data-template="17000"]';
const MAIN_SCREEN = '.window[data-template="31000"]';
const OUTPUT = path.join(path.dirname(fileURLToPath(import.meta.url)), 'output');

let simulator;
let browser;

before(async () => {
  simulator = await startSimulator();
  browser = await openBrowser();
});

after(async () => {
  if (browser) await browser.close();
  if (simulator) assert.equal(await simulator.stop(), 0, 'the simulator ends cleanly');
});

async function openPanel() {
  const page = await browser.page();
  await page.goto(simulator.base + '/');
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem`);
  return page;
}

async function tapTab(page, index) {
  await page.click(`${SYSTEM} .control.tab .tabitem[data-tab="${index}"]`);
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem.current[data-tab="${index}"]`);
  await page.waitForSelector(`${SYSTEM} .window.child[data-template="${PAGE_TEMPLATES[index]}"]`);
}

test('the system dialog shows its six tabs and every tab opens its page', async () => {
  const page = await openPanel();
  const texts = await page.$$eval(`${SYSTEM} .control.tab .tabitem`, (items) => items.map((i) => i.textContent));
  assert.deepEqual(texts, TAB_TEXTS);
  // The dialog is the modal window in front; the host's main screen behind it is dimmed.
  assert.equal(await page.locator(`${MAIN_SCREEN}.dimmed`).count(), 1);
  for (let index = 0; index < TAB_TEXTS.length; index++) {
    await tapTab(page, index);
    // Only the chosen page is shown.
    const pages = await page.$$eval(`${SYSTEM} > .window.child, ${SYSTEM} > .clip > .window.child`, (windows) => windows.map((w) => Number(w.dataset.template)));
    assert.deepEqual(pages, [PAGE_TEMPLATES[index]], `pages shown for tab ${index}`);
  }
  await tapTab(page, 0);
});

test('closing the dialog shows the main screen, whose button opens it again', async () => {
  const page = await openPanel();
  await page.click(`${SYSTEM} .control[data-id="17045"]`);
  await page.waitForSelector(SYSTEM, { state: 'detached' });
  await page.waitForSelector(`${MAIN_SCREEN}:not(.dimmed) .control[data-id="31001"]`);
  assert.equal(await page.textContent(`${MAIN_SCREEN} .control[data-id="31001"]`), 'システム');

  await page.click(`${MAIN_SCREEN} .control[data-id="31001"]`);
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem`);
  const texts = await page.$$eval(`${SYSTEM} .control.tab .tabitem`, (items) => items.map((i) => i.textContent));
  assert.deepEqual(texts, TAB_TEXTS);
  await page.waitForSelector(`${MAIN_SCREEN}.dimmed`);
});

test('the side panel shows the host configuration', async () => {
  const page = await openPanel();
  await page.waitForSelector('#config details[data-section="comm"]');
  const keys = await page.$$eval('#config details[data-section="comm"] .key', (cells) => cells.map((c) => c.textContent));
  assert.ok(keys.includes('baudRate'), keys.join(','));
});

// The fonts Chromium really drew a text with (not the ones asked for).
async function fontsOf(page, selector) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
  const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector });
  const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
  await cdp.detach();
  return fonts.map((font) => font.familyName);
}

test('a screenshot of every tab page, drawn with a Japanese font', async () => {
  fs.mkdirSync(OUTPUT, { recursive: true });
  const page = await openPanel();
  const fonts = await fontsOf(page, `${SYSTEM} .control.tab .tabitem[data-tab="0"]`);
  assert.ok(fonts.some((name) => /IPA|Noto Sans CJK|Gothic|ゴシック/i.test(name)),
    `the tab text was drawn with ${fonts.join(', ')}`);
  for (let index = 0; index < TAB_TEXTS.length; index++) {
    await tapTab(page, index);
    const file = path.join(OUTPUT, `tab-${index + 1}-${PAGE_TEMPLATES[index]}.png`);
    await page.locator('#panel').screenshot({ path: file });
    assert.ok(fs.statSync(file).size > 1000, `${file} was written`);
  }
});

test('a list view of 100,000 rows draws only the rows in view and scrolls to any of them', async () => {
  const page = await openPanel();
  const result = await page.evaluate(async () => {
    const { drawScreen } = await import('/render.js');
    const rows = Array.from({ length: 100000 }, (_, i) => [`FILE${String(i).padStart(6, '0')}.FSD`, String(i * 10)]);
    const screen = {
      version: 1,
      windows: [{
        hwnd: 1, template: 1, caption: 'list', visible: true, enabled: true, modal: true, rect: [20, 40, 600, 400],
        controls: [{ id: 5, class: 'listview', text: '', rect: [10, 10, 560, 360], visible: true, enabled: true,
          columns: ['名前', 'サイズ'], rows, selectedRows: [99999] }],
        children: [],
      }],
    };
    const host = document.createElement('div');
    host.className = 'panel';
    host.style.position = 'absolute';
    host.style.left = '0';
    host.style.top = '0';
    document.body.appendChild(host);
    const taps = [];
    drawScreen(host, screen, (route, body) => taps.push(body));
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const viewport = host.querySelector('.viewport');
    const drawnAtTop = host.querySelectorAll('.row').length;
    viewport.scrollTop = viewport.scrollHeight;
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    const drawnAtEnd = host.querySelectorAll('.row').length;
    const last = host.querySelector('.row[data-row="99999"]');
    const lastText = last ? last.textContent : null;
    const lastSelected = last ? last.classList.contains('selected') : false;
    last.click();
    host.remove();
    return { drawnAtTop, drawnAtEnd, lastText, lastSelected, taps };
  });
  assert.ok(result.drawnAtTop > 0 && result.drawnAtTop < 60, `rows drawn at the top: ${result.drawnAtTop}`);
  assert.ok(result.drawnAtEnd < 60, `rows drawn at the end: ${result.drawnAtEnd}`);
  assert.equal(result.lastText, 'FILE099999.FSD999990');
  assert.equal(result.lastSelected, true);
  assert.deepEqual(result.taps, [{ hwnd: 1, id: 5, row: 99999 }]);
});

test('the computer keyboard types text and presses keys in the window in front', async () => {
  const page = await openPanel();
  const sent = [];
  const listener = (request) => {
    if (request.method() === 'POST' && /\/api\/(type|key)$/.test(request.url()))
      sent.push({ route: request.url().replace(/.*\/api\//, ''), body: JSON.parse(request.postData()) });
  };
  page.on('request', listener);
  const hwnd = Number(await page.getAttribute(SYSTEM, 'data-hwnd'));
  await page.locator('#panel').focus();
  await page.keyboard.type('ab1');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Backspace');
  // Quick typing may travel as one text or several; the order is kept.
  const keys = () => sent.filter((call) => call.route === 'key');
  for (let round = 0; round < 100 && keys().length < 2; round++) await page.waitForTimeout(50);
  page.off('request', listener);
  const firstKey = sent.findIndex((call) => call.route === 'key');
  const typed = sent.slice(0, firstKey);
  assert.ok(typed.every((call) => call.route === 'type' && call.body.hwnd === hwnd), JSON.stringify(sent));
  assert.equal(typed.map((call) => call.body.text).join(''), 'ab1');
  assert.deepEqual(sent.slice(firstKey), [
    { route: 'key', body: { hwnd, vk: 13 } },
    { route: 'key', body: { hwnd, vk: 8 } },
  ]);
  // The dialog swallows Enter: it is still open.
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem`);
});
