// The panel and its connection: a second tab follows every change, the page
// declares an icon the simulator serves, and while the simulator is away the
// panel is covered and comes back by itself when the simulator does.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { SYSTEM, chooseTab, control, systemPage, usePanel } from './browser.js';
import { startSimulator } from './simulator.js';

const session = usePanel();
const tab = (index) => `${SYSTEM} .control.tab .tabitem[data-tab="${index}"]`;

test('a tab follows a change made in a second tab within 300 ms', async () => {
  const { page } = session;
  const other = await session.browser.context.newPage();
  await other.goto(session.simulator.base + '/');
  await other.waitForSelector(tab(0));
  // The change is made in the new tab, in front; the first tab, behind it,
  // follows. The first change warms up; the second is measured, from the tap
  // to the first tab's drawing.
  for (const index of [1, 2]) {
    const start = Date.now();
    await other.$eval(tab(index), (item) => item.click());
    await page.waitForSelector(`${tab(index)}.current`);
    const elapsed = Date.now() - start;
    if (index === 2) assert.ok(elapsed < 300, `the first tab followed after ${elapsed} ms`);
  }
  await other.close();
});

test('the page declares an icon that the simulator serves', async () => {
  const href = await session.page.getAttribute('link[rel="icon"]', 'href');
  const icon = await fetch(new URL(href, session.simulator.base));
  assert.equal(icon.status, 200);
  assert.match(icon.headers.get('content-type'), /^image\//);
});

test('the panel is covered while the simulator is away and comes back with it', async () => {
  const { page } = session;
  const { root, port } = session.simulator;
  const restart = async () => {
    session.simulator = await startSimulator(['--port', String(port)], { root });
    await page.waitForSelector('#cover', { state: 'hidden' });
    await page.waitForSelector(tab(0));
  };
  // A request in the side panel, which a new simulator does not know.
  await chooseTab(page, 4, 17006);
  await page.click(control(systemPage(17006), 17068));
  await page.waitForSelector('#requests li');
  assert.equal(await session.simulator.stop({ keepRoot: true }), 0);
  await page.waitForSelector('#cover.ended:not([hidden])');
  assert.equal(await page.textContent('#cover'), 'シャットダウンしました');
  await restart();
  // A connection that drops without a word.
  session.simulator.child.kill('SIGKILL');
  await page.waitForSelector('#cover.lost:not([hidden])');
  assert.equal(await page.textContent('#cover'), '接続が切れました — 再接続中…');
  await restart();
  assert.equal(await page.locator('#requests li').count(), 0, 'the new simulator has sent no requests yet');
});
