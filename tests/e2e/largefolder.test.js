// A folder of 100,000 recordings on the file page: the list scrolls from the
// top to the bottom in the browser, fetching rows as it goes, and the bottom
// shows the folder's last files. The worst frame time while scrolling is
// reported.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { chooseTab, control, systemPage, usePanel } from './browser.js';
import { api } from './simulator.js';

const FILES = 100000;
const FILE_LIST = 17109;
const LIST = control(systemPage(17002), FILE_LIST);
const fileName = (index) => `WAVE${String(index).padStart(6, '0')}.FSD`;

// Long names, as the instrument records them (not 8.3 names). The folder is
// made before the simulator starts, so the file page opens in it.
function makeFolder(root) {
  const folder = path.join(root, 'D', 'data');
  fs.mkdirSync(folder, { recursive: true });
  const start = performance.now();
  for (let index = 0; index < FILES; index++) fs.closeSync(fs.openSync(path.join(folder, fileName(index)), 'w'));
  console.log(`# made ${FILES} files in ${((performance.now() - start) / 1000).toFixed(2)} s`);
}

// The list's rows: the folder's files and the ".." row that leads up.
const ROWS = FILES + 1;

const session = usePanel({ prepare: makeFolder, timeout: 120000 });

// Scrolls the list's viewport by `rows` rows a frame until it reaches the
// bottom or `frames` frames have passed; answers every frame's duration. The
// viewport is looked up every frame: a new screen draws a new one.
async function scroll(rows, frames) {
  return session.page.evaluate(({ selector, rows, frames }) => new Promise((resolve) => {
    const viewport = () => document.querySelector(`${selector} .viewport`);
    const step = rows * parseFloat(viewport().querySelector('.row').style.height);
    const durations = [];
    let target = viewport().scrollTop;
    let last = performance.now();
    function frame(now) {
      durations.push(now - last);
      last = now;
      const list = viewport();
      const bottom = list.scrollHeight - list.clientHeight;
      target = Math.min(bottom, target + step);
      list.scrollTop = target;
      if (durations.length > frames || target >= bottom) resolve(durations.slice(1));
      else requestAnimationFrame(frame);
    }
    requestAnimationFrame(frame);
  }), { selector: LIST, rows, frames });
}

test('the list of a 100,000-file folder scrolls to its last files', async (t) => {
  const { page, simulator } = session;
  await chooseTab(page, 1, 17002);
  await page.waitForSelector(`${LIST}[data-row-count="${ROWS}"]`, { timeout: 60000 });
  const screen = (await api(simulator.base, '/api/screen')).json;
  const system = screen.windows.find((w) => w.template === 17000);
  const filePage = system.children.find((w) => w.template === 17002);
  const list = filePage.controls.find((c) => c.id === FILE_LIST);
  assert.equal(list.rowCount, ROWS);
  assert.ok(list.rows.length < 40, `the screen brings the rows in view, not ${list.rows.length}`);

  // Sorted by name, whatever order the folder was read in.
  await page.click(`${LIST} .header .col[data-column="0"]`);
  const rowsRoute = `/api/rows?hwnd=${filePage.hwnd}&id=${FILE_LIST}&from=${ROWS - 1}&count=1`;
  let last;
  for (let tries = 0; tries < 200; tries++) {
    last = (await api(simulator.base, rowsRoute)).json.rows[0][0];
    if (last === fileName(FILES - 1)) break;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  assert.equal(last, fileName(FILES - 1), 'the last row once sorted by name');
  const sorted = (await api(simulator.base, '/api/screen')).json.version;
  await page.waitForFunction((version) => Number(document.body.dataset.version) >= version, sorted);

  const slow = await scroll(3, 120);
  const fling = await scroll(ROWS / 100, 200);  // a hundredth of the list a frame
  const worst = Math.max(...slow, ...fling);
  const message = `worst frame ${worst.toFixed(1)} ms (slow scroll ${Math.max(...slow).toFixed(1)} ms over ` +
    `${slow.length} frames, fling ${Math.max(...fling).toFixed(1)} ms over ${fling.length} frames)`;
  t.diagnostic(message);

  // The rows at the bottom arrive and are the folder's last files.
  const lastRow = `${LIST} .row[data-row="${ROWS - 1}"]`;
  await page.waitForFunction((selector) => {
    const row = document.querySelector(selector);
    return row && row.textContent.trim() !== '';
  }, lastRow);
  assert.equal((await page.textContent(`${lastRow} .cell`)).trim(), fileName(FILES - 1));
  assert.equal((await page.textContent(`${LIST} .row[data-row="${ROWS - 2}"] .cell`)).trim(), fileName(FILES - 2));
  // The browser draws the rows in view, not the whole list.
  const drawn = await page.locator(`${LIST} .row`).count();
  assert.ok(drawn < 60, `rows drawn at the end: ${drawn}`);
});
