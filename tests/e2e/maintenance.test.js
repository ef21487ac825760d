// The maintenance page in a real browser: the version report, and a test
// print that runs behind its notice until the notice's button aborts it and
// the printer's log ends with the stop.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { POPUP, SYSTEM, chooseTab, confirmPopup, control, systemPage, usePanel } from './browser.js';
import { api } from './simulator.js';

const MAINTENANCE = systemPage(17004);
const OUTPUT = path.join(path.dirname(fileURLToPath(import.meta.url)), 'output');
const NOTICE_TEXT = '終了するには中止を押してください。';

// A test pattern takes 600 ms, so a few print while the test watches.
const session = usePanel({
  prepare(root) {
    fs.mkdirSync(path.join(root, 'host'), { recursive: true });
    fs.writeFileSync(path.join(root, 'host', 'instrument.txt'), 'printer.pattern_ms = 600\n');
  },
});

async function printer() {
  return (await api(session.simulator.base, '/api/printer')).json;
}

// Polls the printer until `condition` holds for its state.
async function printerReaches(condition, what) {
  for (let attempt = 0; attempt < 200; attempt++) {
    const state = await printer();
    if (condition(state)) return state;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  assert.fail(`the printer never ${what}: ${JSON.stringify((await printer()).log.slice(-5))}`);
}

test('the version report shows every part of the instrument', async () => {
  const { page } = session;
  await chooseTab(page, 5, 17004);
  await page.click(control(MAINTENANCE, 17038));
  const report = `${POPUP} .control[data-id="30010"]`;
  await page.waitForSelector(report);
  const shown = await page.innerText(report);
  for (const line of ['製品ID          : 5801234', 'メインプログラム: V1.12b build 345 2024/04/01',
    '         (PRMP) : V2.10 (KP:V1.02)', 'プリンタCPU     : V2.10 (BOOT V1.02)', 'Option          : None',
    'H/W Option      : REMOTE  RS232C  EVENT'])
    assert.ok(shown.includes(line), `the report lacks "${line}":\n${shown}`);
  assert.match(shown, /OS {14}: \S/, 'the machine names its system');
  fs.mkdirSync(OUTPUT, { recursive: true });
  await page.locator('#panel').screenshot({ path: path.join(OUTPUT, 'maintenance-version-report.png') });
  // All sixteen lines are drawn inside the popup.
  const fits = await page.$eval(report, (element) => element.scrollHeight <= element.clientHeight + 1);
  assert.ok(fits, 'the report is cut off');
  await page.click(control(POPUP, 1));
  await page.waitForSelector(POPUP, { state: 'detached' });
});

test('a test print runs behind its notice until the notice aborts it', async () => {
  const { page } = session;
  await chooseTab(page, 5, 17004);
  await page.click(control(MAINTENANCE, 17039));
  await confirmPopup(page, 'プリンタの印字品質をチェックできます。');
  const notice = `${POPUP}:has-text("${NOTICE_TEXT}")`;
  await page.waitForSelector(`${notice}:not(.dimmed)`);
  // The run holds the dialog: it is dimmed behind the notice and takes no taps.
  await page.waitForSelector(`${SYSTEM}.dimmed`);
  assert.equal(await page.innerText(control(notice, 1)), '中止');
  await printerReaches((state) => state.log.filter((entry) => entry.what === 'pattern').length >= 2, 'printed');
  await page.locator('#panel').screenshot({ path: path.join(OUTPUT, 'maintenance-test-print.png') });

  await page.click(control(notice, 1));
  await page.waitForSelector(notice, { state: 'detached' });
  const stopped = await printer();
  assert.equal(stopped.testPrintRunning, false);
  const afterAbort = stopped.log.slice(stopped.log.findIndex((entry) => entry.what === 'abort'));
  assert.deepEqual(afterAbort.map((entry) => entry.what).filter((what) => what !== 'pattern cut'),
    ['abort', 'test print stopped'], JSON.stringify(afterAbort));
  assert.equal(stopped.log[0].what, 'test print');
  assert.equal(stopped.log[0].detail, 'product 5801234, main V1.12b build 345, printer V2.10 (BOOT V1.02)');

  // The dialog answers again, and the printer has printed nothing since.
  await page.click(control(MAINTENANCE, 17038));
  await page.click(control(POPUP, 1));
  await page.waitForSelector(POPUP, { state: 'detached' });
  assert.equal((await printer()).logged, stopped.logged);
});
