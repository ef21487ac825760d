// The touch panel in a real browser: the system dialog with its six tabs
// drawn in a Japanese font, closing to the host's main screen and opening the
// dialog again. (Every page, with a screenshot of each: overflow.test.js.)

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { SYSTEM, usePanel } from './browser.js';

const TAB_TEXTS = ['測定モード', 'ファイル操作', '収録設定', '通信設定', '補助設定', 'メンテナンス'];

const session = usePanel();

const system = () => session.page.getByRole('dialog', { name: 'システム' });
const mainScreen = () => session.page.getByRole('dialog', { name: 'メイン画面' });
const tabTexts = () => system().getByRole('tab').allTextContents();

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
  // The dialog is the modal window in front; the host's main screen behind
  // it is dimmed and out of reach.
  assert.equal(await system().getAttribute('aria-modal'), 'true');
  assert.equal(await mainScreen().count(), 0);
  assert.equal(await page.locator('#panel .window.dimmed[inert]').count(), 1);
  const fonts = await fontsOf(page, `${SYSTEM} .control.tab .tabitem[data-tab="0"]`);
  assert.ok(fonts.some((name) => /IPA|Noto Sans CJK|Gothic|ゴシック/i.test(name)),
    `the tab text was drawn with ${fonts.join(', ')}`);
});

test('closing the dialog shows the main screen, whose button opens it again', async () => {
  const { page } = session;
  await system().getByRole('button', { name: '閉じる' }).click();
  await system().waitFor({ state: 'detached' });
  await mainScreen().getByRole('button', { name: 'システム' }).click();
  await system().getByRole('tab', { name: TAB_TEXTS[0], selected: true }).waitFor();
  assert.deepEqual(await tabTexts(), TAB_TEXTS);
  await mainScreen().waitFor({ state: 'detached' });
});
