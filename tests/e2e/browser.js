// Debian's Chromium, headless, in a fresh profile that is removed afterwards,
// and what the tests need to find and operate the panel's windows.

import { after, before } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';
import { startSimulator } from './simulator.js';

const FLAGS = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

export async function openBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'sysdlg-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: FLAGS,
    viewport: { width: 1280, height: 800 },
  });
  return {
    context,
    async page() {
      return context.pages()[0] || context.newPage();
    },
    async close() {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A top-level window of a dialog template, a control of a window, and a page
// of the system dialog.
export const topWindow = (template) => `.window:not(.child)[data-template="${template}"]`;
export const SYSTEM = topWindow(17000);
export const POPUP = topWindow(30000);
export const control = (window, id) => `${window} .control[data-id="${id}"]`;
export const systemPage = (template) => `${SYSTEM} .window.child[data-template="${template}"]`;

// Starts a simulator and a browser on its panel before the file's tests and
// ends both after them; the simulator must end cleanly. `session.open()`
// loads the panel again (after a restart of `session.simulator`, say).
export function usePanel({ args = [], prepare, timeout } = {}) {
  const session = {
    async open() {
      await session.page.goto(session.simulator.base + '/');
      await session.page.waitForSelector(`${SYSTEM} .control.tab .tabitem`, { timeout });
    },
  };
  before(async () => {
    session.simulator = await startSimulator(args, { prepare });
    session.browser = await openBrowser();
    session.page = await session.browser.page();
    await session.open();
  });
  after(async () => {
    if (session.browser) await session.browser.close();
    if (session.simulator) assert.equal(await session.simulator.stop(), 0, 'the simulator ends cleanly');
  });
  return session;
}

// Taps a tab of the system dialog and waits until its page is shown.
export async function chooseTab(page, index, template) {
  await page.click(`${SYSTEM} .control.tab .tabitem[data-tab="${index}"]`);
  await page.waitForSelector(`${SYSTEM} .control.tab .tabitem.current[data-tab="${index}"]`);
  await page.waitForSelector(systemPage(template));
}

// Taps the popup's OK after checking its message.
export async function confirmPopup(page, message) {
  await page.waitForSelector(POPUP);
  const popup = `${POPUP}[data-hwnd="${await page.getAttribute(POPUP, 'data-hwnd')}"]`;
  if (message) assert.ok((await page.textContent(popup)).includes(message), await page.textContent(popup));
  await page.click(control(popup, 1));
  // The next popup may follow at once: wait for this one only.
  await page.waitForSelector(popup, { state: 'detached' });
}

// The window in front that takes the operator's taps.
export const FRONT = '.window:not(.child):not(.dimmed)';

// Runs the operator's `action` and waits until the screen that shows its
// outcome is drawn.
export async function settle(page, action) {
  const before = Number(await page.getAttribute('body', 'data-version'));
  await action();
  await page.waitForFunction((v) => Number(document.body.dataset.version) > v, before);
}

// Every text on the panel that does not fit its box (wider or taller than
// the control shows it), and every caption that the panel's top edge cuts:
// "template/id 'text'".
export function overflowingTexts(page) {
  return page.evaluate(() => {
    const panelTop = document.getElementById('panel').getBoundingClientRect().top;
    const texts = '.control:is(.static, .button, .ownerdraw, .pushswitch, .hand), .control.checkbox .label, '
      + '.tabitem, .caption, .jog .value, .channels .item';
    const name = (element) => `${element.closest('.window').dataset.template}/`
      + `${element.closest('.control')?.dataset.id ?? 'caption'} '${element.textContent}'`;
    return [...document.querySelectorAll(`#panel :is(${texts})`)]
      .filter((e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight
        || (e.classList.contains('caption') && e.getBoundingClientRect().top < panelTop))
      .map(name);
  });
}
