// The host's side beside the panel: a changed setting stays marked for a few
// seconds, and a file the host wrote after a request the dialog answers
// silently shows as a notice.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { chooseTab, control, settle, systemPage, topWindow, usePanel } from './browser.js';

const session = usePanel();

test('a changed setting stays marked for a few seconds, through later screens', async () => {
  const { page } = session;
  const misc = systemPage(17006);
  const buzzer = '#config .row[data-key="misc.buzzer"]';
  await chooseTab(page, 4, 17006);
  await settle(page, () => page.click(control(misc, 17068)));
  await page.waitForSelector(`${buzzer}.changed`);
  await settle(page, () => page.click(control(misc, 17075)));
  await page.waitForSelector('#config .row[data-key="misc.clickSound"].changed');
  assert.ok(await page.$(`${buzzer}.changed`), 'the first change is still marked');
  assert.equal(await page.textContent(`${buzzer} .value`), 'false');
  await page.waitForSelector(`${buzzer}.changed`, { state: 'detached', timeout: 10000 });
});

test('a MAT-file the host writes, which the dialog does not mention, shows as a notice', async () => {
  const { page } = session;
  const files = systemPage(17002);
  await chooseTab(page, 1, 17002);
  await page.locator(`${files} .row`, { hasText: 'WAVE0001.FSD' }).click();
  await page.waitForSelector(`${files} .row.selected`);
  await page.click(control(files, 17037));
  // The folder chooser starts at the drives: D:\ it is.
  const chooser = topWindow(30007);
  await page.click(`${control(chooser, 30012)} .row[data-row="1"]`);
  await page.waitForSelector(`${control(chooser, 30012)} .row.selected`);
  await page.click(control(chooser, 1));
  const notice = page.locator('#notices .notice', { hasText: 'WAVE0001.mat' });
  await notice.waitFor();
  assert.equal(await notice.textContent(), 'wrote D:\\WAVE0001.mat');
});
