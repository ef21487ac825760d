// The communication page in a real browser: a baud rate chosen in the RS-232C
// settings and a fixed address typed in the LAN settings are kept across a
// restart of the simulator, in the block and in the adapter.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { chooseTab, control, systemPage, topWindow, usePanel } from './browser.js';
import { api, startSimulator } from './simulator.js';

const COMM = systemPage(17003);
const RS232C = topWindow(17007);
const LAN = topWindow(17008);

const session = usePanel();

// As drawn: innerText keeps only the blanks the panel shows.
async function summaryShows(id, text) {
  await session.page.waitForFunction(([selector, wanted]) => document.querySelector(selector)?.innerText.includes(wanted),
    [control(COMM, id), text]);
}

test('a baud rate and a fixed LAN address are kept across a restart', async () => {
  const { page } = session;
  await chooseTab(page, 3, 17003);
  await page.click(control(COMM, 17049));
  await page.click(control(RS232C, 17043));
  await page.waitForSelector(`${control(RS232C, 17043)}.latched`);
  await page.click(control(RS232C, 1));
  await page.waitForSelector(RS232C, { state: 'detached' });
  await summaryShows(17059, '19200bps');

  await page.getByRole('button', { name: 'LAN設定変更' }).click();
  const lan = page.getByRole('dialog', { name: 'LAN設定' });
  await lan.getByRole('button', { name: '手（IPアドレス）' }).click();
  const keyboard = page.getByRole('dialog', { name: 'IPアドレスの入力' });
  await keyboard.getByRole('button', { name: '行消去' }).click();
  await page.locator('#panel').focus();
  await page.keyboard.type('192.168.0.77');
  await keyboard.getByRole('textbox', { name: 'IPアドレスの入力' }).filter({ hasText: '192.168.0.77' }).waitFor();
  await keyboard.getByRole('button', { name: '実行' }).click();
  await page.waitForSelector(`${control(LAN, 17094)}:text-is("192.168.0.77")`);
  await lan.getByRole('button', { name: '実行' }).click();
  await lan.waitFor({ state: 'detached' });
  await summaryShows(17060, 'ADDR=192.168.0.77');

  const { json } = await api(session.simulator.base, '/api/config');
  assert.equal(json.comm.baudRate, 19200);
  assert.deepEqual(json.network, { dhcp: false, address: '192.168.0.77', mask: '255.255.255.0', gateway: '192.168.0.1' });

  const root = session.simulator.root;
  assert.equal(await session.simulator.stop({ keepRoot: true }), 0);
  session.simulator = await startSimulator([], { root });
  await session.open();
  await chooseTab(page, 3, 17003);
  await summaryShows(17059, '19200bps');
  await summaryShows(17060, 'ADDR=192.168.0.77  MASK=255.255.255.0\nGW  =192.168.0.1');
});
