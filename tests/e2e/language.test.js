// The side panel's language switch: the dialog opens again in the language
// chosen, the switch waits while a dialog is open in front of it, and the
// choice is still in force after the simulator starts again.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { SYSTEM, control, settle, systemPage, topWindow, usePanel } from './browser.js';
import { api, startSimulator } from './simulator.js';

const session = usePanel();
const languageButton = (language) => `.language button[data-language="${language}"]`;
const closeButton = (text) => `${control(SYSTEM, 17045)}:text-is("${text}")`;

test('the switch reopens the dialog in the other language and the choice survives a restart', async () => {
  const { page } = session;
  await page.waitForSelector(closeButton('閉じる'));
  await page.click(languageButton('en'));
  await page.waitForSelector(closeButton('Close'));
  await page.waitForSelector(`${languageButton('en')}[aria-pressed="true"]`);
  assert.equal((await api(session.simulator.base, '/api/config')).json.language, 'en');
  assert.equal((await api(session.simulator.base, '/api/language', { language: 'fr' })).status, 400);

  // With the initialisation dialog open, the switch is refused and says why.
  await settle(page, () => page.click(control(systemPage(17001), 17007)));
  await page.waitForSelector(`${topWindow(17009)} .caption:text-is("Initialize")`);
  await page.click(languageButton('ja'));
  await page.waitForSelector('#language-note:not(:empty)');
  assert.ok(await page.$(topWindow(17009)), 'the open dialog stays');
  await settle(page, () => page.click(control(topWindow(17009), 2)));

  const root = session.simulator.root;
  assert.equal(await session.simulator.stop({ keepRoot: true }), 0);
  session.simulator = await startSimulator([], { root });
  await session.open();
  await page.waitForSelector(closeButton('Close'));
  await page.click(languageButton('ja'));
  await page.waitForSelector(closeButton('閉じる'));
  assert.equal(await page.textContent('#language-note'), '');
});
