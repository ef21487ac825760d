// The JSON API as a script outside the project uses it: the token on a
// non-loopback address, and a shutdown that ends the simulator.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { api, startSimulator } from './simulator.js';

test('on a non-loopback address every API call needs the printed token', async () => {
  const remote = await startSimulator(['--listen', '0.0.0.0']);
  try {
    assert.match(remote.token, /^[0-9a-f]{32}$/);
    assert.equal((await fetch(remote.base + '/')).status, 200);
    assert.equal((await fetch(remote.base + '/api/screen')).status, 401);
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
    const dialog = screen.windows.find((w) => w.template === 17000);
    const asked = await api(own.base, '/api/tap', { hwnd: dialog.hwnd, id: 17005 });
    assert.equal(asked.status, 200);
    const question = asked.json.windows[0];
    assert.equal(question.template, 17019, 'the shutdown dialog is in front');
    // The simulator may end before it answers this tap.
    await api(own.base, '/api/tap', { hwnd: question.hwnd, id: 1 }).catch(() => null);
    assert.equal(await ended, 0);
    const state = fs.readFileSync(`${own.root}/host/state.txt`, 'utf8');
    assert.match(state, /^format = SYSDLG-SIM SETTINGS 1$/m);
    assert.match(state, /^end = SYSDLG-SIM SETTINGS$/m);
  } finally {
    await own.stop();
  }
});
