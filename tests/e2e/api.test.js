// The JSON API as a script outside the project uses it.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { api, startSimulator } from './simulator.js';

let simulator;

before(async () => { simulator = await startSimulator(); });
after(async () => { if (simulator) assert.equal(await simulator.stop(), 0); });

function systemDialog(screen) {
  return screen.windows.find((w) => w.template === 17000);
}

function tabControl(window) {
  return window.controls.find((c) => c.class === 'tab');
}

test('the screen shows the system dialog with six tabs, and a tapped tab switches the page', async () => {
  const { status, json: screen } = await api(simulator.base, '/api/screen');
  assert.equal(status, 200);
  assert.ok(screen.version >= 1);
  const dialog = systemDialog(screen);
  assert.ok(dialog, 'system dialog on screen');
  assert.equal(screen.windows[0], dialog, 'the dialog is in front');
  assert.equal(dialog.modal, true);
  const tab = tabControl(dialog);
  assert.equal(tab.tabs.length, 6);
  assert.equal(tab.current, 0);

  const tapped = await api(simulator.base, '/api/tap', { hwnd: dialog.hwnd, id: tab.id, tab: 3 });
  assert.equal(tapped.status, 200, JSON.stringify(tapped.json));
  assert.ok(tapped.json.version > screen.version);
  const after = systemDialog(tapped.json);
  assert.equal(tabControl(after).current, 3);
  const shown = after.children.filter((c) => c.visible).map((c) => c.template);
  assert.deepEqual(shown, [17003]);
});

test('bad input is refused with 4xx and changes nothing', async () => {
  const { json: screen } = await api(simulator.base, '/api/screen');
  const dialog = systemDialog(screen);
  const refusals = [
    [{ hwnd: dialog.hwnd }, 400],
    [{ hwnd: 123456789, id: 17045 }, 404],
    [{ hwnd: dialog.hwnd, id: 4711 }, 404],
    [{ hwnd: dialog.hwnd, id: 17040 }, 409],                       // the hidden application-exit button
    [{ hwnd: dialog.hwnd, id: tabControl(dialog).id, tab: 6 }, 404],
  ];
  for (const [body, expected] of refusals) {
    const answer = await api(simulator.base, '/api/tap', body);
    assert.equal(answer.status, expected, JSON.stringify(body));
    assert.ok(answer.json.error);
  }
  const malformed = await fetch(simulator.base + '/api/tap', { method: 'POST', body: '{"hwnd":' });
  assert.equal(malformed.status, 400);
  const crossOrigin = await fetch(simulator.base + '/api/tap', {
    method: 'POST',
    headers: { Origin: 'http://example.com', 'Content-Type': 'application/json' },
    body: JSON.stringify({ hwnd: dialog.hwnd, id: 17045 }),
  });
  assert.equal(crossOrigin.status, 403);
  const { json: later } = await api(simulator.base, '/api/screen');
  assert.equal(later.version, screen.version);
});

test('the request log and the configuration are served', async () => {
  const requests = await api(simulator.base, '/api/requests');
  assert.equal(requests.status, 200);
  assert.ok(Array.isArray(requests.json));
  const config = await api(simulator.base, '/api/config');
  assert.equal(config.status, 200);
  assert.equal(typeof config.json.comm.baudRate, 'number');
  assert.ok(config.json.sysmeas.mode !== undefined);
});

test('on a non-loopback address every API call needs the printed token', async () => {
  const remote = await startSimulator(['--listen', '0.0.0.0']);
  try {
    assert.match(remote.token, /^[0-9a-f]{32}$/);
    const page = await fetch(remote.base + '/');
    assert.equal(page.status, 200);
    const without = await fetch(remote.base + '/api/screen');
    assert.equal(without.status, 401);
    const wrong = await fetch(remote.base + '/api/screen', { headers: { 'X-Sysdlg-Token': 'f'.repeat(32) } });
    assert.equal(wrong.status, 401);
    const withToken = await fetch(remote.base + '/api/screen', { headers: { Authorization: `Bearer ${remote.token}` } });
    assert.equal(withToken.status, 200);
  } finally {
    assert.equal(await remote.stop(), 0);
  }
});

test('a shutdown from the dialog ends the simulator cleanly and keeps the state', async () => {
  const own = await startSimulator();
  const ended = new Promise((resolve) => own.child.once('exit', (code) => resolve(code)));
  try {
    const { json: screen } = await api(own.base, '/api/screen');
    const dialog = systemDialog(screen);
    const asked = await api(own.base, '/api/tap', { hwnd: dialog.hwnd, id: 17005 });
    assert.equal(asked.status, 200);
    const question = asked.json.windows[0];
    assert.equal(question.template, 17019, 'the shutdown dialog is in front');
    assert.equal(question.modal, true);
    // The simulator may end before it answers this tap.
    await api(own.base, '/api/tap', { hwnd: question.hwnd, id: 1 }).catch(() => null);
    assert.equal(await ended, 0);
    const { readFileSync } = await import('node:fs');
    const state = readFileSync(`${own.root}/host/state.txt`, 'utf8');
    assert.match(state, /^format = SYSDLG-SIM SETTINGS 1$/m);
    assert.match(state, /^end = SYSDLG-SIM SETTINGS$/m);
  } finally {
    await own.stop();
  }
});
