// Saving and loading the instrument's settings through the touch panel in a
// real browser: the environment file of the file page and slot 2 of the saved
// setups. Each load asks for a restart; the simulator closes the dialog and
// opens a fresh one on the loaded settings.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { SYSTEM, chooseTab, confirmPopup, control, systemPage, topWindow, usePanel } from './browser.js';
import { api } from './simulator.js';

const FILE_PROC = topWindow(17017);
const KEYBOARD = topWindow(30004);
const MY_SETUP = topWindow(17018);
const FILE_PAGE = systemPage(17002);
// The measurement-mode switches, by mode.
const MODE_SWITCH = [17003, 17011, 17074, 17017, 17004];

const session = usePanel();

async function tap(window, id) {
  await session.page.click(control(window, id));
}

async function changeMode(mode) {
  await chooseTab(session.page, 0, 17001);
  await tap(SYSTEM, MODE_SWITCH[mode]);
  await confirmPopup(session.page);
  await session.page.waitForSelector(`${control(SYSTEM, MODE_SWITCH[mode])}.latched`);
}

async function hostMode() {
  const { json } = await api(session.simulator.base, '/api/config');
  return Number(json.sysmeas.mode);
}

// Waits until the host has closed the dialog and opened a new one.
async function waitForRestart(before) {
  await session.page.waitForSelector(`${SYSTEM}:not([data-hwnd="${before}"]) .control.tab .tabitem`,
    { timeout: 15000 });
}

async function selectFile(name) {
  await session.page.locator(`${FILE_PAGE} .row`, { hasText: name }).click();
  await session.page.waitForSelector(`${FILE_PAGE} .row.selected`);
}

test('an environment saved on the file page brings the mode back after the restart', async () => {
  const { page } = session;
  await changeMode(2);
  await chooseTab(page, 1, 17002);
  await tap(FILE_PAGE, 17034);
  await tap(FILE_PROC, 19001);
  await tap(KEYBOARD, 30156);
  // The computer's keyboard types into the soft keyboard in front.
  await page.locator('#panel').focus();
  await page.keyboard.type('keep');
  await page.waitForFunction((selector) => [...document.querySelectorAll(`${selector} .control`)]
    .some((control) => control.textContent === 'keep'), KEYBOARD);
  await page.keyboard.press('Enter');
  await page.waitForSelector(KEYBOARD, { state: 'detached' });
  await tap(FILE_PROC, 1);
  await confirmPopup(page, '環境保存しました。');
  assert.ok(fs.existsSync(path.join(session.simulator.root, 'D', 'data', 'keep.ENV')), 'the environment file was written');

  await changeMode(4);
  assert.equal(await hostMode(), 4);
  await chooseTab(page, 1, 17002);
  const dialog = await page.getAttribute(SYSTEM, 'data-hwnd');
  await selectFile('keep.ENV');
  await tap(FILE_PAGE, 17032);
  await confirmPopup(page, '環境保存データ[D:\\data\\keep.ENV]を読み込みます。よろしいですか？');
  await confirmPopup(page, '設定を反映するためにプログラムを再起動します。');
  await waitForRestart(dialog);
  await page.waitForSelector(`${control(SYSTEM, MODE_SWITCH[2])}.latched`);
  assert.equal(await hostMode(), 2);
});

test('saved setup 2 brings the mode back after the restart', async () => {
  const { page } = session;
  await changeMode(3);
  await tap(SYSTEM, 17001);
  await tap(MY_SETUP, 17041);
  await page.waitForSelector(`${control(MY_SETUP, 17041)}.latched`);
  await tap(MY_SETUP, 17104);
  // The slot's time replaces its dashes once the host has written the file.
  await page.waitForFunction((selector) => /^\d{4}\/\d\d\/\d\d \d\d:\d\d$/.test(
    document.querySelector(selector)?.textContent), control(MY_SETUP, 17168));
  await tap(MY_SETUP, 1);
  await page.waitForSelector(MY_SETUP, { state: 'detached' });

  await changeMode(1);
  assert.equal(await hostMode(), 1);
  const dialog = await page.getAttribute(SYSTEM, 'data-hwnd');
  await tap(SYSTEM, 17001);
  await tap(MY_SETUP, 17041);
  await page.waitForSelector(`${control(MY_SETUP, 17041)}.latched`);
  await tap(MY_SETUP, 17032);
  await confirmPopup(page, '設定を反映するためにプログラムを再起動します。');
  await waitForRestart(dialog);
  await page.waitForSelector(`${control(SYSTEM, MODE_SWITCH[3])}.latched`);
  assert.equal(await hostMode(), 3);
});

test('a file opened for playback through the API is closed before the file page deletes it', async () => {
  const { page, simulator } = session;
  const opened = await api(simulator.base, '/api/playback', { path: 'd:\\data\\wave0002.fsd' });
  assert.equal(opened.json.path, 'D:\\data\\WAVE0002.FSD');
  await chooseTab(page, 1, 17002);
  await selectFile('WAVE0002.FSD');
  await tap(FILE_PAGE, 17033);
  await confirmPopup(page, 'は再生画面で使用中です。');
  await page.waitForFunction((selector) => ![...document.querySelectorAll(`${selector} .row`)]
    .some((row) => row.textContent.includes('WAVE0002.FSD')), FILE_PAGE);
  assert.equal(fs.existsSync(path.join(simulator.root, 'D', 'data', 'WAVE0002.FSD')), false);
  assert.equal((await api(simulator.base, '/api/playback')).json.path, null);
});
