// The maintenance page in a real browser: the version report, and a test
// print aborted from its running notice, whose log ends with the printer's stop.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { POPUP, SYSTEM, chooseTab, confirmPopup, control, systemPage, usePanel } from './browser.js';
import { api } from './simulator.js';

const MAINTENANCE = systemPage(17004);
const NOTICE = `${POPUP}:has-text("終了するには中止を押してください。")`;

// A test pattern takes 600 ms, so that a few print while the test watches.
const session = usePanel({
  prepare(root) {
    fs.mkdirSync(path.join(root, 'host'), { recursive: true });
    fs.writeFileSync(path.join(root, 'host', 'instrument.txt'), 'printer.pattern_ms = 600\n');
  },
});

const printer = async () => (await api(session.simulator.base, '/api/printer')).json;

test('the version report shows every part of the instrument, all of it drawn', async () => {
  const { page } = session;
  await chooseTab(page, 5, 17004);
  await page.click(control(MAINTENANCE, 17038));
  const report = control(POPUP, 30010);
  const shown = await page.innerText(report);
  for (const line of ['製品ID          : 5801234', '         (PRMP) : V2.10 (KP:V1.02)',
    'プリンタCPU     : V2.10 (BOOT V1.02)', 'H/W Option      : REMOTE  RS232C  EVENT'])
    assert.ok(shown.includes(line), `the report lacks "${line}":\n${shown}`);
  assert.match(shown, /OS {14}: \S/, 'the machine names its system');
  assert.ok(await page.$eval(report, (e) => e.scrollHeight <= e.clientHeight + 1), 'the report is cut off');
  await page.click(control(POPUP, 1));
  await page.waitForSelector(POPUP, { state: 'detached' });
});

test('a test print runs behind its notice until the notice aborts it', async () => {
  const { page } = session;
  await chooseTab(page, 5, 17004);
  await page.click(control(MAINTENANCE, 17039));
  await confirmPopup(page, 'プリンタの印字品質をチェックできます。');
  await page.waitForSelector(`${NOTICE}:not(.dimmed)`);
  await page.waitForSelector(`${SYSTEM}.dimmed`);  // held by the run
  for (let polls = 0; (await printer()).patternsPrinted < 2; polls++) {
    assert.ok(polls < 200, 'the printer prints no patterns');
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  await page.click(control(NOTICE, 1));
  await page.waitForSelector(NOTICE, { state: 'detached' });
  const stopped = await printer();
  assert.equal(stopped.testPrintRunning, false);
  const afterAbort = stopped.log.slice(stopped.log.findIndex((entry) => entry.what === 'abort'));
  // The log ends with the worker's own stop: nothing printed after the abort.
  assert.deepEqual(afterAbort.map((entry) => entry.what).filter((what) => what !== 'pattern cut'),
    ['abort', 'test print stopped']);
});
