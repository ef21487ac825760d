// Lists and long texts as the operator reads them: columns aligned as the
// instrument sets them, and a text longer than its box scrolled with the wheel
// to its end, where it stays while the screen changes around it.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { FRONT, chooseTab, control, settle, systemPage, topWindow, usePanel } from './browser.js';

const session = usePanel();

test('the file list shows sizes on the right of their column and names on the left', async () => {
  const { page } = session;
  await chooseTab(page, 1, 17002);
  const row = `${control(systemPage(17002), 17109)} .row:has(.cell:text-is("WAVE0001.FSD"))`;
  await page.waitForSelector(row);
  // The room a cell leaves on either side of its text, in panel pixels.
  const room = await page.$$eval(`${row} .cell`, (cells) => cells.slice(0, 2).map((cell) => {
    const text = document.createRange();
    text.selectNodeContents(cell);
    const [inner, outer] = [text.getBoundingClientRect(), cell.getBoundingClientRect()];
    const scale = outer.width / cell.offsetWidth;
    return [Math.round((inner.left - outer.left) / scale), Math.round((outer.right - inner.right) / scale)];
  }));
  assert.equal(room[0][0], 4, 'the name starts after the padding');
  assert.equal(room[1][1], 4, 'the size ends before the padding');
});

test('the saved-setups summary scrolls with the wheel to its last line and stays there', async () => {
  const { page } = session;
  await chooseTab(page, 0, 17001);
  await page.click(control(systemPage(17001), 17001));
  const summary = control(topWindow(17018), 17114);
  await page.waitForSelector(`${summary}:has-text("COMM:")`);
  const atEnd = () => page.$eval(summary,
    (e) => e.scrollHeight > e.clientHeight && e.scrollTop + e.clientHeight >= e.scrollHeight - 1);
  assert.equal(await atEnd(), false, 'the last line is out of view at first');
  await page.hover(summary);
  await page.mouse.wheel(0, 2000);
  await page.waitForFunction((selector) => document.querySelector(selector).scrollTop > 0, summary);
  assert.equal(await atEnd(), true, 'the wheel brings the last line into view');
  // Another screen (a comment keyboard opened and cancelled) draws the summary again.
  await settle(page, () => page.click(control(FRONT, 17172)));
  await settle(page, () => page.click(control(topWindow(30003), 2)));
  assert.equal(await atEnd(), true, 'the summary keeps its place');
  await page.click(control(topWindow(17018), 1));
});
