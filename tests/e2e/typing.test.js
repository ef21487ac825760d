// Typing on the computer's keyboard into the soft keyboard keeps up with a
// fast typist, and the editing keys act in its entry where its cursor is.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { chooseTab, control, settle, systemPage, topWindow, usePanel } from './browser.js';

const LAN = topWindow(17008);
const KEYBOARD = topWindow(30003);
const ENTRY = control(KEYBOARD, 30011);

const session = usePanel();

// Milliseconds from the first of `keys`, pressed in a burst on the panel (each
// its own event, as a keyboard delivers them), until the entry shows `text`;
// measured in the page. Playwright's own typing waits for the page after
// every key, which would measure the driver rather than the panel.
function burst(keys, text) {
  return session.page.evaluate(([keys, selector, wanted]) => new Promise((resolve) => {
    const start = performance.now();
    const panel = document.getElementById('panel');
    const tasks = new MessageChannel();
    let index = 0;
    tasks.port1.onmessage = () => {
      panel.dispatchEvent(new KeyboardEvent('keydown', { key: keys[index++], bubbles: true }));
      if (index < keys.length) tasks.port2.postMessage(0);
    };
    tasks.port2.postMessage(0);
    const look = () => (document.querySelector(selector)?.textContent === wanted
      ? resolve(performance.now() - start) : requestAnimationFrame(look));
    look();
  }), [keys, ENTRY, text]);
}

test('twenty characters typed at once show within 300 ms, and the editing keys act at the cursor', async () => {
  const { page } = session;
  await chooseTab(page, 3, 17003);
  await page.click(control(systemPage(17003), 17047));
  await page.click(control(LAN, 17040));
  await settle(page, () => page.click(control(KEYBOARD, 30156)));
  await burst([...'1.2'], '1.2');  // warm-up
  // The best of three rounds counts: other work on the machine delays a
  // round now and then, a slow panel delays every one.
  const typing = [];
  const erasing = [];
  for (let round = 0; round < 3; round++) {
    if (round > 0) await burst(Array(8).fill('Backspace'), '1.2');
    typing.push(await burst([...'abcdefghij0123456789'], '1.2abcdefghij0123456789'));
    erasing.push(await burst(Array(12).fill('Backspace'), '1.2abcdefgh'));
  }
  const shown = (times) => times.map((ms) => ms.toFixed(0)).join(', ');
  assert.ok(Math.min(...typing) < 300, `twenty characters showed after ${shown(typing)} ms`);
  assert.ok(Math.min(...erasing) < 300, `twelve Backspaces showed after ${shown(erasing)} ms`);

  await page.locator('#panel').focus();
  for (const key of ['Home', 'Delete', 'ArrowRight', 'End', 'ArrowLeft', 'X']) await page.keyboard.press(key);
  await page.waitForFunction((selector) => document.querySelector(selector).textContent === '.2abcdefgXh', ENTRY);
  assert.equal(await page.$eval(`${ENTRY} .caret`, (caret) => caret.previousSibling.textContent), '.2abcdefgX');
  await page.click(control(KEYBOARD, 2));
  await page.click(control(LAN, 2));
});
