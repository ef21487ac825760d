// Every text on every page and dialog the panel reaches fits its control, as
// on the instrument: nothing cut off at a side, nothing wrapped onto a line
// the control does not show, no caption above the panel's top edge. Each tab
// shows its page alone. All of it in Japanese and in English; in English,
// no text the dialogs asked for may lack its English form.

import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { FRONT, SYSTEM, chooseTab, overflowingTexts, settle, systemPage, topWindow, usePanel } from './browser.js';
import { api } from './simulator.js';

const OUTPUT = new URL('output/', import.meta.url);
const PAGES = [17001, 17002, 17005, 17003, 17006, 17004];
// The host's dialogs.
const [POPUP, SELECTOR, NUMBER_PAD, KEYBOARD, PATH_KEYBOARD, DATE_TIME, TIMER, FOLDER_CHOOSER] =
  [30000, 30001, 30002, 30003, 30004, 30005, 30006, 30007];

// Each page, then each road to a dialog: the tab it starts on (null: the
// system dialog itself), then the taps, each [control id, the template it
// brings to the front or null, a part of the control to tap]. The first tap
// is on the tab's page, the others on the window in front.
const ROADS = [...PAGES.keys()].map((tab) => [tab]).concat([
  [null, [17005, 17019]],
  [null, [17002, POPUP]],
  [0, [17001, 17018], [17172, KEYBOARD]],
  [0, [17001, 17018], [17104, POPUP]],
  [0, [17007, 17009]],
  [1, [17040, FOLDER_CHOOSER]],
  [1, [17025, 17017], [19001, PATH_KEYBOARD]],
  [1, [17029, 17017]],
  [1, [17030, null]],
  [2, [17119, NUMBER_PAD]],
  [2, [17120, null], [17126, TIMER]],
  [2, [17063, 17011], [17101, null], [17155, KEYBOARD, ' .row[data-row="0"]']],
  [2, [17062, 17013], [17000, null, ' .tabitem[data-tab="1"]'], [17000, null, ' .tabitem[data-tab="2"]']],
  [3, [17049, 17007], [17057, NUMBER_PAD]],
  [3, [17047, 17008], [17040, KEYBOARD]],
  [3, [17047, 17008], [17043, SELECTOR]],
  [4, [17066, null], [17067, FOLDER_CHOOSER]],
  [4, [17153, 17015], [17040, KEYBOARD]],
  [5, [17038, POPUP]],
  [5, [17039, POPUP]],
  [5, [17050, POPUP]],
  [5, [17037, DATE_TIME]],
]);

async function walkEveryRoad(page, language) {
  const suffix = language === 'ja' ? '' : `-${language}`;
  fs.mkdirSync(OUTPUT, { recursive: true });
  const offenders = [];
  const check = async (where) => offenders.push(...(await overflowingTexts(page)).map((text) => `${where}: ${text}`));
  for (const [tab, ...taps] of ROADS) {
    if (tab !== null) await chooseTab(page, tab, PAGES[tab]);
    if (!taps.length) {
      // Each tab shows its page alone; a screenshot of each is kept.
      const shown = await page.$$eval(`${SYSTEM} > .window.child, ${SYSTEM} > .clip > .window.child`,
        (windows) => windows.map((w) => Number(w.dataset.template)));
      assert.deepEqual(shown, [PAGES[tab]], `pages shown for tab ${tab}`);
      await page.locator('#panel').screenshot({ path: new URL(`tab-${tab + 1}-${PAGES[tab]}${suffix}.png`, OUTPUT).pathname });
      await check(`tab ${tab}`);
    }
    let opened = 0;
    for (const [index, [id, template, part = '']] of taps.entries()) {
      const where = index === 0 && tab !== null ? systemPage(PAGES[tab]) : FRONT;
      await settle(page, () => page.click(`${where} .control[data-id="${id}"]${part}`));
      if (template) {
        await page.waitForSelector(`${topWindow(template)}:not(.dimmed)`);
        opened++;
      }
      await check(`${tab ?? 'system'} ${taps.slice(0, index + 1).map(([i]) => i).join('>')}`);
    }
    // Cancel, or the only button (a notice, a dialog that writes at once), closes the dialog in front.
    for (; opened > 0; opened--) {
      const cancel = `${FRONT} .control[data-id="2"]`;
      await settle(page, async () => page.click(await page.$(cancel) ? cancel : `${FRONT} .control[data-id="1"]`));
    }
    await page.waitForSelector(`${topWindow(17000)}:not(.dimmed)`);
  }
  assert.deepEqual(offenders, [], `texts that do not fit:\n${offenders.join('\n')}`);
}

for (const language of ['ja', 'en']) {
  describe(`in ${language}`, () => {
    const session = usePanel({ args: ['--lang', language] });
    test('every text of every page and dialog fits its control', async () => {
      await walkEveryRoad(session.page, language);
      const { json } = await api(session.simulator.base, '/api/language');
      assert.equal(json.language, language);
      assert.deepEqual(json.untranslated, [], 'texts shown without their English form');
    });
  });
}
