// The touch panel in a real browser: the system dialog with its six tabs
// drawn in a Japanese font, closing to the host's main screen and opening the
// dialog again. (Every page, with a screenshot of each: overflow.test.js.)

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { SYSTEM, control, topWindow, usePanel } from './browser.js';

const TAB_TEXTS = ['測定モード', 'ファイル操作', '収録設定', '通信設定', '補助設定', 'メンテナンス'];
const MAIN_SCREEN = topWindow(31000);

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

test('the system dialog in front shows its six tabs in a Japanese font', async () => {
  const { page } = session;
  assert.deepEqual(await tabTexts(), TAB_TEXTS);
  // The dialog is the modal window in front; the host's main screen behind it is dimmed.
  assert.equal(await page.locator(`${MAIN_SCREEN}.dimmed`).count(), 1);
  const fonts = await fontsOf(page, `${SYSTEM} .control.tab .tabitem[data-tab="0"]`);
  assert.ok(fonts.some((name) => /IPA|Noto Sans CJK|Gothic|ゴシック/i.test(name)),
    `the tab text was drawn with ${fonts.join(', ')}`);
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
