// The touch panel in a real browser: the system dialog with its six tabs,
// switching pages by tapping (a screenshot of every page), closing to the
// host's main screen and opening the dialog again.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { SYSTEM, chooseTab, control, topWindow, usePanel } from './browser.js';

const TAB_TEXTS = ['測定モード', 'ファイル操作', '収録設定', '通信設定', '補助設定', 'メンテナンス'];
// The page template behind each tab, in tab order.
const PAGE_TEMPLATES = [17001, 17002, 17005, 17003, 17006, 17004];
const MAIN_SCREEN = topWindow(31000);
const OUTPUT = path.join(path.dirname(fileURLToPath(import.meta.url)), 'output');

const session = usePanel();

const tabTexts = () => session.page.$$eval(`${SYSTEM} .control.tab .tabitem`, (items) => items.map((i) => i.textContent));

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

test('every tab of the system dialog opens its page alone, drawn with a Japanese font', async () => {
  const { page } = session;
  assert.deepEqual(await tabTexts(), TAB_TEXTS);
  // The dialog is the modal window in front; the host's main screen behind it is dimmed.
  assert.equal(await page.locator(`${MAIN_SCREEN}.dimmed`).count(), 1);
  const fonts = await fontsOf(page, `${SYSTEM} .control.tab .tabitem[data-tab="0"]`);
  assert.ok(fonts.some((name) => /IPA|Noto Sans CJK|Gothic|ゴシック/i.test(name)),
    `the tab text was drawn with ${fonts.join(', ')}`);
  fs.mkdirSync(OUTPUT, { recursive: true });
  for (let index = 0; index < TAB_TEXTS.length; index++) {
    await chooseTab(page, index, PAGE_TEMPLATES[index]);
    const pages = await page.$$eval(`${SYSTEM} > .window.child, ${SYSTEM} > .clip > .window.child`,
      (windows) => windows.map((w) => Number(w.dataset.template)));
    assert.deepEqual(pages, [PAGE_TEMPLATES[index]], `pages shown for tab ${index}`);
    const file = path.join(OUTPUT, `tab-${index + 1}-${PAGE_TEMPLATES[index]}.png`);
    await page.locator('#panel').screenshot({ path: file });
    assert.ok(fs.statSync(file).size > 1000, `${file} was written`);
  }
});

test('the side panel shows the host configuration', async () => {
  const keys = session.page.locator('#config details[data-section="comm"] .key');
  await keys.first().waitFor();
  assert.ok((await keys.allTextContents()).includes('baudRate'));
});

test('closing the dialog shows the main screen, whose button opens it again', async () => {
  const { page } = session;
  await page.click(control(SYSTEM, 17045));
  await page.waitForSelector(SYSTEM, { state: 'detached' });
  const open = control(`${MAIN_SCREEN}:not(.dimmed)`, 31001);
  await page.waitForSelector(open);
  assert.equal(await page.textContent(open), 'システム');

  await page.click(open);
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem`);
  assert.deepEqual(await tabTexts(), TAB_TEXTS);
  await page.waitForSelector(`${MAIN_SCREEN}.dimmed`);
});
