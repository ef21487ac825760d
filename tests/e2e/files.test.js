// Saving and loading the instrument's settings through the touch panel in a
// real browser: the environment file of the file page and slot 2 of the saved
// setups. Each load asks for a restart; the simulator closes the dialog and
// opens a fresh one on the loaded settings.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { openBrowser } from './browser.js';
import { api, startSimulator } from './simulator.js';

const SYSTEM = '.window:not(.child)[data-template="17000"]';
const POPUP = '.window:not(.child)[data-template="30000"]';
const FILE_PROC = '.window:not(.child)[data-template="17017"]';
const KEYBOARD = '.window:not(.child)[data-template="30004"]';
const MY_SETUP = '.window:not(.child)[data-template="17018"]';
const FILE_PAGE = `${SYSTEM} .window.child[data-template="17002"]`;
// The measurement-mode switches, by mode.
const MODE_SWITCH = [17003, 17011, 17074, 17017, 17004];

let simulator;
let browser;
let page;

before(async () => {
  simulator = await startSimulator();
  browser = await openBrowser();
  page = await browser.page();
  await page.goto(simulator.base + '/');
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem`);
});

after(async () => {
  if (browser) await browser.close();
  if (simulator) assert.equal(await simulator.stop(), 0, 'the simulator ends cleanly');
});

async function tap(windowSelector, id) {
  await page.click(`${windowSelector} .control[data-id="${id}"]`);
}

// Taps the popup's OK after checking its message.
async function confirmPopup(message) {
  await page.waitForSelector(POPUP);
  const hwnd = await page.getAttribute(POPUP, 'data-hwnd');
  const popup = `${POPUP}[data-hwnd="${hwnd}"]`;
  if (message) assert.ok((await page.textContent(popup)).includes(message), await page.textContent(popup));
  await tap(popup, 1);
  // The next popup may follow at once: wait for this one only.
  await page.waitForSelector(popup, { state: 'detached' });
}

async function chooseTab(index, template) {
  await page.click(`${SYSTEM} .control.tab .tabitem[data-tab="${index}"]`);
  await page.waitForSelector(`${SYSTEM} .window.child[data-template="${template}"]`);
}

async function changeMode(mode) {
  await chooseTab(0, 17001);
  await tap(SYSTEM, MODE_SWITCH[mode]);
  await confirmPopup();
  await page.waitForSelector(`${SYSTEM} .control[data-id="${MODE_SWITCH[mode]}"].latched`);
}

async function hostMode() {
  const { json } = await api(simulator.base, '/api/config');
  return Number(json.sysmeas.mode);
}

// Waits until the host has closed the dialog and opened a new one.
async function waitForRestart(before) {
  await page.waitForSelector(`${SYSTEM}:not([data-hwnd="${before}"]) .control.tab .tabitem`, { timeout: 15000 });
}

test('an environment saved on the file page brings the mode back after the restart', async () => {
  await changeMode(2);
  await chooseTab(1, 17002);
  await tap(FILE_PAGE, 17034);
  await page.waitForSelector(FILE_PROC);
  await tap(FILE_PROC, 19001);
  await page.waitForSelector(KEYBOARD);
  await tap(KEYBOARD, 30156);
  await page.locator('#panel').focus();
  await page.keyboard.type('keep');
  await page.waitForFunction((selector) => [...document.querySelectorAll(`${selector} .control`)]
    .some((control) => control.textContent === 'keep'), KEYBOARD);
  await tap(KEYBOARD, 1);
  await page.waitForSelector(KEYBOARD, { state: 'detached' });
  await tap(FILE_PROC, 1);
  await confirmPopup('環境保存しました。');
  assert.ok(fs.existsSync(path.join(simulator.root, 'D', 'data', 'keep.ENV')), 'the environment file was written');

  await changeMode(4);
  assert.equal(await hostMode(), 4);
  await chooseTab(1, 17002);
  const dialog = await page.getAttribute(SYSTEM, 'data-hwnd');
  await page.locator(`${FILE_PAGE} .row`, { hasText: 'keep.ENV' }).click();
  await page.waitForSelector(`${FILE_PAGE} .row.selected`);
  await tap(FILE_PAGE, 17032);
  await confirmPopup('環境保存データ[D:\\data\\keep.ENV]を読み込みます。よろしいですか？');
  await confirmPopup('設定を反映するためにプログラムを再起動します。');
  await waitForRestart(dialog);
  await page.waitForSelector(`${SYSTEM} .control[data-id="${MODE_SWITCH[2]}"].latched`);
  assert.equal(await hostMode(), 2);
});

test('saved setup 2 brings the mode back after the restart', async () => {
  await changeMode(3);
  await tap(SYSTEM, 17001);
  await page.waitForSelector(MY_SETUP);
  await tap(MY_SETUP, 17041);
  await page.waitForSelector(`${MY_SETUP} .control[data-id="17041"].latched`);
  await tap(MY_SETUP, 17104);
  // The slot's time replaces its dashes once the host has written the file.
  await page.waitForFunction((selector) => {
    const time = document.querySelector(`${selector} .control[data-id="17168"]`);
    return time && /^\d{4}\/\d\d\/\d\d \d\d:\d\d$/.test(time.textContent);
  }, MY_SETUP);
  await tap(MY_SETUP, 1);
  await page.waitForSelector(MY_SETUP, { state: 'detached' });
  assert.ok(fs.existsSync(path.join(simulator.root, 'D', '_KQ58SYSTEM.$$$', 'No.2.cfg')), 'the setup file was written');

  await changeMode(1);
  assert.equal(await hostMode(), 1);
  const dialog = await page.getAttribute(SYSTEM, 'data-hwnd');
  await tap(SYSTEM, 17001);
  await page.waitForSelector(MY_SETUP);
  await tap(MY_SETUP, 17041);
  await page.waitForSelector(`${MY_SETUP} .control[data-id="17041"].latched`);
  await tap(MY_SETUP, 17032);
  await confirmPopup('設定を反映するためにプログラムを再起動します。');
  await waitForRestart(dialog);
  await page.waitForSelector(`${SYSTEM} .control[data-id="${MODE_SWITCH[3]}"].latched`);
  assert.equal(await hostMode(), 3);
});

test('a file opened for playback through the API is closed before the file page deletes it', async () => {
  const refused = await api(simulator.base, '/api/playback', { path: 'D:\\data\\nothing.FSD' });
  assert.equal(refused.status, 404);
  const opened = await api(simulator.base, '/api/playback', { path: 'd:\\data\\wave0002.fsd' });
  assert.equal(opened.status, 200);
  assert.equal(opened.json.path, 'D:\\data\\WAVE0002.FSD');
  await chooseTab(1, 17002);
  await page.locator(`${FILE_PAGE} .row`, { hasText: 'WAVE0002.FSD' }).click();
  await page.waitForSelector(`${FILE_PAGE} .row.selected`);
  await tap(FILE_PAGE, 17033);
  await confirmPopup('は再生画面で使用中です。');
  await page.waitForFunction((selector) => ![...document.querySelectorAll(`${selector} .row`)]
    .some((row) => row.textContent.includes('WAVE0002.FSD')), FILE_PAGE);
  assert.equal(fs.existsSync(path.join(simulator.root, 'D', 'data', 'WAVE0002.FSD')), false);
  const { json } = await api(simulator.base, '/api/playback');
  assert.equal(json.path, null);
  const { json: requests } = await api(simulator.base, '/api/requests');
  const names = requests.map((entry) => entry.name);
  const asked = names.lastIndexOf('DLGREQ_IS_PLAYBACK_FILE');
  assert.ok(asked >= 0, names.join(','));
  assert.equal(names[asked + 1], 'DLGREQ_CLOSE_PLAYBACK');
  assert.equal(requests[asked + 1].fields.closed, '1');
});
