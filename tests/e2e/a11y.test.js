// The panel for assistive technology and the keyboard alone: every control
// the operator can reach has a role and a name, and the dialog is operated
// without a pointer (tabs, a check box, a jog, a list, a sub-dialog opened
// with Enter and closed with Escape).

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { usePanel } from './browser.js';
import { api } from './simulator.js';

const TAB_TEXTS = ['測定モード', 'ファイル操作', '収録設定', '通信設定', '補助設定', 'メンテナンス'];
// Roles that name nothing an operator can act on.
const NO_ROLE = new Set(['generic', 'none', 'presentation', 'StaticText', 'GenericContainer', '']);

const session = usePanel();

const system = (page) => page.getByRole('dialog', { name: 'システム' });

// Every control in the window in front that takes taps or the focus, as
// "role 'name' (class)" when Chromium gives it no role or no name. A screen
// drawn meanwhile replaces the elements: the walk then starts again.
async function unnamedControls(page, attempt = 1) {
  const cdp = await page.context().newCDPSession(page);
  try {
    const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
    const selector = '#panel .window:not(.child):not(.dimmed) :is(.control:not(.static, .groupbox, .tab, .disabled), '
      + '.tabitem, .channels .item, .channels .ext, .list .col)';
    const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector });
    assert.ok(nodeIds.length > 0, 'the window in front has controls');
    const faults = [];
    for (const nodeId of nodeIds) {
      const { node } = await cdp.send('DOM.describeNode', { nodeId });
      const { nodes: [ax] } = await cdp.send('Accessibility.getPartialAXTree',
        { backendNodeId: node.backendNodeId, fetchRelatives: false });
      const role = String(ax.role?.value ?? '');
      const name = String(ax.name?.value ?? '').trim();
      if (ax.ignored || NO_ROLE.has(role) || !name) faults.push(`${role} '${name}' (${node.attributes.join(' ')})`);
    }
    return faults;
  } catch (e) {
    if (attempt === 3 || !/Could not find node|No node with given id/.test(e.message)) throw e;
    return unnamedControls(page, attempt + 1);
  } finally {
    await cdp.detach();
  }
}

// Presses Tab until the focus is on the element `locator` finds; fails after
// `limit` presses.
async function tabTo(page, locator, limit = 40) {
  for (let press = 0; press < limit; press++) {
    if (await locator.evaluateAll((elements) => elements.includes(document.activeElement))) return;
    await page.keyboard.press('Tab');
  }
  assert.fail(`Tab did not reach ${locator}`);
}

const focusedName = (page) => page.evaluate(() => document.activeElement.outerHTML.slice(0, 120));

async function waitFocused(locator) {
  await locator.page().waitForFunction((element) => element === document.activeElement, await locator.elementHandle());
}

test('every control of every page and of the dialogs they open has a role and a name', async () => {
  const { page } = session;
  for (const text of TAB_TEXTS) {
    await system(page).getByRole('tab', { name: text }).click();
    await system(page).getByRole('tabpanel', { name: text }).waitFor();
    assert.deepEqual(await unnamedControls(page), [], `the ${text} page`);
  }
  await system(page).getByRole('tab', { name: '通信設定' }).click();
  await system(page).getByRole('button', { name: 'LAN設定変更' }).click();
  const lan = page.getByRole('dialog', { name: 'LAN設定' });
  assert.deepEqual(await unnamedControls(page), [], 'the LAN settings');
  // The "手" buttons are told apart by their lines' labels.
  await lan.getByRole('button', { name: '手（IPアドレス）' }).click();
  const keyboard = page.locator('#panel [role="dialog"][aria-modal="true"]');
  await keyboard.getByRole('textbox').waitFor();
  assert.deepEqual(await unnamedControls(page), [], 'the soft keyboard');
  await page.keyboard.press('Escape');
  await lan.getByRole('button', { name: 'キャンセル' }).click();
  await lan.waitFor({ state: 'detached' });
});

test('the tabs, a check box, a jog and a list work from the keyboard alone', async () => {
  const { page } = session;
  await page.locator('#panel').focus();
  await tabTo(page, system(page).getByRole('tab', { selected: true }));
  await page.keyboard.press('Home');
  await system(page).getByRole('tab', { name: TAB_TEXTS[0], selected: true }).waitFor();
  for (const text of [...TAB_TEXTS.slice(1), TAB_TEXTS[0]]) {
    await page.keyboard.press('ArrowRight');
    const tab = system(page).getByRole('tab', { name: text, selected: true });
    await tab.waitFor();
    await system(page).getByRole('tabpanel', { name: text }).waitFor();
    await waitFocused(tab);
  }
  await page.keyboard.press('End');
  await page.keyboard.press('ArrowLeft');
  await system(page).getByRole('tabpanel', { name: '補助設定' }).waitFor();

  // Space toggles a check box; the host hears of it at once.
  const buzzer = system(page).getByRole('checkbox', { name: 'ブザー音' });
  await tabTo(page, buzzer);
  const { json: seen } = await api(session.simulator.base, '/api/requests');
  await page.keyboard.press(' ');
  await system(page).getByRole('checkbox', { name: 'ブザー音', checked: false }).waitFor();
  await waitFocused(buzzer);
  assert.equal((await api(session.simulator.base, '/api/config')).json.misc.buzzer, false);
  const after = seen.length ? seen[seen.length - 1].seq : 0;
  const { json: requests } = await api(session.simulator.base, `/api/requests?after=${after}`);
  assert.deepEqual(requests.map((r) => r.fields.flags), ['CHG_SOUND']);

  // The arrows step a jog: the feed length, written at every step.
  const feed = system(page).getByRole('spinbutton', { name: 'フィード長設定' });
  await tabTo(page, feed);
  assert.equal(await feed.getAttribute('aria-valuenow'), '20');
  await page.keyboard.press('ArrowUp');
  await system(page).locator('[role="spinbutton"][aria-valuenow="21"]').waitFor();
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await system(page).locator('[role="spinbutton"][aria-valuenow="19"]').waitFor();
  await waitFocused(feed);
  assert.equal((await api(session.simulator.base, '/api/config')).json.sysrec1.feed_len, '19');
  assert.equal(await feed.getAttribute('aria-valuetext'), '19 mm');

  // In the file list the arrows move the cursor and Space taps its row,
  // which adds the row to the selection or takes it out again.
  await page.keyboard.press('Shift+Tab');
  await tabTo(page, system(page).getByRole('tab', { selected: true }));
  await page.keyboard.press('Home');
  await waitFocused(system(page).getByRole('tab', { name: TAB_TEXTS[0], selected: true }));
  await page.keyboard.press('ArrowRight');
  // Tabbing starts once the file page is drawn, not through the page before it.
  await system(page).getByRole('tabpanel', { name: TAB_TEXTS[1] }).waitFor();
  await waitFocused(system(page).getByRole('tab', { name: TAB_TEXTS[1], selected: true }));
  const files = system(page).getByRole('grid');
  await tabTo(page, files);
  await page.keyboard.press('Home');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  const cursor = files.locator('[role="row"].cursor');
  assert.equal(await cursor.getAttribute('id'), await files.getAttribute('aria-activedescendant'));
  assert.equal(await cursor.getAttribute('aria-rowindex'), '4');
  const name = (await cursor.getByRole('gridcell').first().textContent()).trim();
  await page.keyboard.press(' ');
  await files.getByRole('row', { name, selected: true }).waitFor();
  await waitFocused(files);
  await page.keyboard.press(' ');
  await files.getByRole('row', { name, selected: false }).waitFor();
});

test('Enter opens a sub-dialog that takes the focus, and Escape closes it and gives the focus back', async () => {
  const { page } = session;
  await system(page).getByRole('tab', { name: '収録設定' }).click();
  await system(page).getByRole('tabpanel', { name: '収録設定' }).waitFor();
  const opener = system(page).getByRole('button', { name: '速度テーブル設定' });
  await page.keyboard.press('Tab');
  await tabTo(page, opener);
  await page.keyboard.press('Enter');
  const speeds = page.getByRole('dialog', { name: '速度テーブル' });
  await speeds.waitFor();
  assert.equal(await speeds.getAttribute('aria-modal'), 'true');
  await page.waitForFunction(() => document.activeElement.closest('[aria-modal="true"]') !== null);
  // The dialog behind is out of reach: Tab goes through the one in front
  // and then leaves the panel.
  const stops = await speeds.locator('[tabindex="0"]').count();
  for (let press = 1; press < stops; press++) {
    await page.keyboard.press('Tab');
    assert.ok(await speeds.evaluate((dialog) => dialog.contains(document.activeElement)), await focusedName(page));
  }
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.getElementById('panel').contains(document.activeElement)), false);
  await page.keyboard.press('Shift+Tab');
  await page.keyboard.press('Escape');
  await speeds.waitFor({ state: 'detached' });
  await waitFocused(opener);
});
