// Lists and long texts as the operator reads them: columns aligned as the
// instrument sets them, and a text longer than its box scrolled with the wheel
// to its last line, where it stays while the screen changes around it.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { FRONT, chooseTab, control, settle, systemPage, topWindow, usePanel } from './browser.js';

const session = usePanel();

// Where a text ends inside its element, and the element's box, in the page's pixels.
function textBox(page, selector, text) {
  return page.$eval(selector, (element, wanted) => {
    const walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      const at = node.data.lastIndexOf(wanted);
      if (at < 0) continue;
      const range = document.createRange();
      range.setStart(node, at);
      range.setEnd(node, at + wanted.length);
      const { left, right, top, bottom } = range.getBoundingClientRect();
      const box = element.getBoundingClientRect();
      return { text: { left, right, top, bottom }, box: { left: box.left, right: box.right, top: box.top, bottom: box.bottom } };
    }
    return null;
  }, text);
}

test('the file list shows sizes on the right of their column and names on the left', async () => {
  const { page } = session;
  await chooseTab(page, 1, 17002);
  const row = `${control(systemPage(17002), 17109)} .row:has(.cell:text-is("WAVE0001.FSD"))`;
  await page.waitForSelector(row);
  const name = await textBox(page, `${row} .cell:nth-child(1)`, 'WAVE0001.FSD');
  const size = await textBox(page, `${row} .cell:nth-child(2)`, '4276');
  const scale = (await page.locator('#panel').boundingBox()).width / 640;
  // The cells' padding is 4 panel pixels.
  assert.ok(Math.abs(name.text.left - name.box.left - 4 * scale) < 1.5, JSON.stringify(name));
  assert.ok(Math.abs(size.box.right - size.text.right - 4 * scale) < 1.5, JSON.stringify(size));
});

test('the saved-setups summary scrolls with the wheel to its last line and stays there', async () => {
  const { page } = session;
  await chooseTab(page, 0, 17001);
  await page.click(control(systemPage(17001), 17001));
  const summary = control(topWindow(17018), 17114);
  await page.waitForSelector(`${summary}:has-text("COMM:")`);
  const lastLine = async () => {
    const { text, box } = await textBox(page, summary, 'COMM:');
    return text.top >= box.top && text.bottom <= box.bottom;
  };
  assert.equal(await lastLine(), false, 'the last line is out of view at first');
  await page.hover(summary);
  await page.mouse.wheel(0, 2000);
  await page.waitForFunction((selector) => document.querySelector(selector).scrollTop > 0, summary);
  assert.equal(await lastLine(), true, 'the wheel brings the last line into view');
  // Another screen (a comment keyboard opened and cancelled) draws the summary again.
  await settle(page, () => page.click(control(FRONT, 17172)));
  await settle(page, () => page.click(control(topWindow(30003), 2)));
  assert.equal(await lastLine(), true, 'the summary keeps its place');
  await page.click(control(topWindow(17018), 1));
  await page.waitForSelector(topWindow(17018), { state: 'detached' });
});
