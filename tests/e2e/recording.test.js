// The recording page in a real browser: the channel selection, the time-axis
// notation and a user speed entry are kept across a restart of the simulator,
// and an annotation line edited in the print settings reaches the printer.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { SYSTEM, chooseTab, confirmPopup, control, systemPage, topWindow, usePanel } from './browser.js';
import { api, startSimulator } from './simulator.js';

const RECORDING = systemPage(17005);
const PRINT = topWindow(17011);
const SPEED = topWindow(17013);
const KEYBOARD = topWindow(30003);
const USER_ONE = `${control(SPEED, 17148)} .number`;

const session = usePanel();

async function config() {
  return (await api(session.simulator.base, '/api/config')).json;
}

// Opens the user speed tables, waits for the pen page's user 1 entry to show
// `shown` and closes them again after `act`.
async function withSpeedTables(shown, act = async () => {}) {
  await session.page.click(control(RECORDING, 17062));
  await session.page.waitForSelector(`${USER_ONE}:text-is("${shown}")`);
  await act();
  await session.page.click(control(SPEED, 1));
  await session.page.waitForSelector(SPEED, { state: 'detached' });
}

test('the channels, the time axis and a user speed are kept across a restart', async () => {
  const { page } = session;
  await chooseTab(page, 2, 17005);
  await page.click(`${RECORDING} .control.channels .item[data-item="8"]`);
  await page.waitForSelector(`${RECORDING} .control.channels .item.selected[data-item="8"]`);
  await page.click(control(RECORDING, 17134));
  await page.waitForSelector(`${control(RECORDING, 17134)}.latched`);
  await withSpeedTables('50', async () => {
    // A tap in the jog's fine step up zone (the right third's inner half).
    const jog = page.locator(control(SPEED, 17148));
    const box = await jog.boundingBox();
    await jog.click({ position: { x: box.width * 0.75, y: box.height / 2 } });
    await page.waitForSelector(`${USER_ONE}:text-is("51")`);
  });

  // The channel change clears the recorded memory: it is asked at close.
  await page.click(control(SYSTEM, 17045));
  await confirmPopup(page, '使用チャンネルが変更されました。');
  await page.waitForSelector(`${topWindow(31000)}:not(.dimmed)`);
  const kept = await config();
  assert.equal(kept.sysrec1.use_chan_mask, String(0x13F));
  assert.equal(kept.sysrec2.time_scale, '1');
  assert.equal(kept.sysrec1['speed.pen.0'], '1960,3,2');

  const root = session.simulator.root;
  assert.equal(await session.simulator.stop({ keepRoot: true }), 0);
  session.simulator = await startSimulator([], { root });
  await session.open();
  await chooseTab(page, 2, 17005);
  await page.waitForSelector(`${RECORDING} .control.channels .item.selected[data-item="8"]`);
  await page.waitForSelector(`${control(RECORDING, 17134)}.latched`);
  await withSpeedTables('51');
});

test('an annotation line edited in the print settings reaches the printer', async () => {
  const { page } = session;
  await chooseTab(page, 2, 17005);
  await page.click(control(RECORDING, 17063));
  await page.click(control(PRINT, 17110));
  await page.waitForSelector(`${control(PRINT, 17110)}.checked`);
  await page.locator(`${control(PRINT, 17158)} .row`).nth(2).click();
  await page.waitForSelector(KEYBOARD);
  await page.locator('#panel').focus();
  await page.keyboard.type('E2E note');
  await page.waitForFunction((selector) => document.querySelector(selector).textContent.includes('E2E note'),
    control(KEYBOARD, 30011));
  await page.click(control(KEYBOARD, 1));
  await page.waitForSelector(`${control(PRINT, 17158)} .row:has-text("E2E note")`);

  const { json } = await api(session.simulator.base, '/api/printer');
  assert.equal(json.annotations.length, 108);
  assert.equal(json.annotations[2], 'E2E note');
  assert.equal(json.annotationChanges, 108);
  assert.equal((await config()).sysrec2['annotation.2'], 'E2E note');
  await page.click(control(PRINT, 1));
  await page.waitForSelector(PRINT, { state: 'detached' });
});
