// The recording page in a real browser: the channel selection, the time-axis
// notation and a user speed entry are kept across a restart of the simulator,
// and an annotation line edited in the print settings reaches the printer.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { openBrowser } from './browser.js';
import { api, startSimulator } from './simulator.js';

const SYSTEM = '.window:not(.child)[data-template="17000"]';
const RECORDING = `${SYSTEM} .window.child[data-template="17005"]`;
const POPUP = '.window:not(.child)[data-template="30000"]';
const PRINT = '.window:not(.child)[data-template="17011"]';
const SPEED = '.window:not(.child)[data-template="17013"]';
const KEYBOARD = '.window:not(.child)[data-template="30003"]';
const MAIN_SCREEN = '.window[data-template="31000"]';

let simulator;
let browser;
let page;

before(async () => {
  simulator = await startSimulator();
  browser = await openBrowser();
  page = await browser.page();
});

after(async () => {
  if (browser) await browser.close();
  if (simulator) assert.equal(await simulator.stop(), 0, 'the simulator ends cleanly');
});

async function openRecordingTab() {
  await page.goto(simulator.base + '/');
  await page.click(`${SYSTEM} .control.tab .tabitem[data-tab="2"]`);
  await page.waitForSelector(RECORDING);
}

// Taps the pen page's user 1 jog in its fine step up zone (the right third's inner half).
async function stepUserOneUp() {
  const jog = page.locator(`${SPEED} .control[data-id="17148"]`);
  const box = await jog.boundingBox();
  await jog.click({ position: { x: box.width * 0.75, y: box.height / 2 } });
}

async function config() {
  return (await api(simulator.base, '/api/config')).json;
}

test('the channels, the time axis and a user speed are kept across a restart', async () => {
  await openRecordingTab();
  await page.click(`${RECORDING} .control.channels .item[data-item="8"]`);
  await page.waitForSelector(`${RECORDING} .control.channels .item.selected[data-item="8"]`);
  await page.click(`${RECORDING} .control[data-id="17134"]`);
  await page.waitForSelector(`${RECORDING} .control[data-id="17134"].latched`);

  await page.click(`${RECORDING} .control[data-id="17062"]`);
  await page.waitForSelector(SPEED);
  assert.equal((await page.textContent(`${SPEED} .control[data-id="17148"] .number`)), '50');
  await stepUserOneUp();
  await page.waitForSelector(`${SPEED} .control[data-id="17148"] .number:text-is("51")`);
  await page.click(`${SPEED} .control[data-id="1"]`);
  await page.waitForSelector(SPEED, { state: 'detached' });

  // The channel change clears the recorded memory: it is asked at close.
  await page.click(`${SYSTEM} .control[data-id="17045"]`);
  await page.waitForSelector(POPUP);
  assert.ok((await page.textContent(POPUP)).includes('使用チャンネルが変更されました。'));
  await page.click(`${POPUP} .control[data-id="1"]`);
  await page.waitForSelector(`${MAIN_SCREEN}:not(.dimmed)`);
  let kept = await config();
  assert.equal(kept.sysrec1.use_chan_mask, String(0x13F));
  assert.equal(kept.sysrec2.time_scale, '1');
  assert.equal(kept.sysrec1['speed.pen.0'], '1960,3,2');

  const root = simulator.root;
  assert.equal(await simulator.stop({ keepRoot: true }), 0);
  simulator = await startSimulator([], { root });
  await openRecordingTab();
  await page.waitForSelector(`${RECORDING} .control.channels .item.selected[data-item="8"]`);
  await page.waitForSelector(`${RECORDING} .control[data-id="17134"].latched`);
  await page.click(`${RECORDING} .control[data-id="17062"]`);
  await page.waitForSelector(`${SPEED} .control[data-id="17148"] .number:text-is("51")`);
  await page.click(`${SPEED} .control[data-id="1"]`);
  await page.waitForSelector(SPEED, { state: 'detached' });
  kept = await config();
  assert.equal(kept.sysrec1.use_chan_mask, String(0x13F));
  assert.equal(kept.sysrec2.time_scale, '1');
});

test('an annotation line edited in the print settings reaches the printer', async () => {
  await openRecordingTab();
  await page.click(`${RECORDING} .control[data-id="17063"]`);
  await page.waitForSelector(PRINT);
  await page.click(`${PRINT} .control[data-id="17110"]`);
  await page.waitForSelector(`${PRINT} .control[data-id="17110"].checked`);
  await page.locator(`${PRINT} .control[data-id="17158"] .row`).nth(2).click();
  await page.waitForSelector(KEYBOARD);
  await page.locator('#panel').focus();
  await page.keyboard.type('E2E note');
  await page.waitForFunction((selector) => document.querySelector(selector).textContent.includes('E2E note'),
    `${KEYBOARD} .control[data-id="30011"]`);
  await page.click(`${KEYBOARD} .control[data-id="1"]`);
  await page.waitForSelector(KEYBOARD, { state: 'detached' });
  await page.waitForSelector(`${PRINT} .control[data-id="17158"] .row:has-text("E2E note")`);

  const { status, json } = await api(simulator.base, '/api/printer');
  assert.equal(status, 200);
  assert.equal(json.annotations.length, 108);
  assert.equal(json.annotations[2], 'E2E note');
  assert.equal(json.annotationChanges, 108);
  assert.equal((await config()).sysrec2['annotation.2'], 'E2E note');
  await page.click(`${PRINT} .control[data-id="1"]`);
  await page.waitForSelector(PRINT, { state: 'detached' });
});
