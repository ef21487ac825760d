// Killed at any moment while it keeps its state, the simulator starts again
// with the old or the new state, never a torn one: no file is set aside as
// damaged and nothing falls back to the defaults.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { api, startSimulator } from './simulator.js';

const ROUNDS = 30;

test(`killed ${ROUNDS} times while saving, the simulator starts with a whole state each time`, async () => {
  let simulator = await startSimulator();
  const root = simulator.root;
  let kept = 0;
  try {
    for (let round = 0; round < ROUNDS; ++round) {
      const { json: screen } = await api(simulator.base, '/api/screen');
      const dialog = screen.windows.find((w) => w.template === 17000);
      await api(simulator.base, '/api/tap', { hwnd: dialog.hwnd, id: 17000, tab: 3 });
      // Each tick of an automatic-transmission box is a reported change,
      // which the simulator writes at once (state and instrument files).
      const before = (await api(simulator.base, '/api/config')).json.comm.sendOnTrigger;
      const ended = new Promise((resolve) => simulator.child.once('exit', resolve));
      const tap = api(simulator.base, '/api/tap', { hwnd: dialog.hwnd, id: 17055 }).catch(() => null);
      await new Promise((resolve) => setTimeout(resolve, round % 16));
      simulator.child.kill('SIGKILL');
      await Promise.all([tap, ended]);

      simulator = await startSimulator([], { root });
      const torn = fs.readdirSync(`${root}/host`).filter((name) => name.endsWith('.bad'));
      assert.deepEqual(torn, [], `round ${round}: a file was torn\n${simulator.stderr()}`);
      assert.doesNotMatch(simulator.stderr(), /starting with the default/, `round ${round}`);
      const { json: config } = await api(simulator.base, '/api/config');
      kept += config.comm.sendOnTrigger !== before;
    }
    // Where the kill fell: before the change was kept, or after.
    console.log(`# ${kept} of ${ROUNDS} changes were kept before the kill`);
  } finally {
    await simulator.stop();
  }
});
