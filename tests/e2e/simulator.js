// Starts the simulator for a test: a fresh temporary data root (or a kept
// one), a free port (the simulator prints the one it got), and a clean end
// with SIGTERM.

import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));

export function simulatorBinary() {
  // A binary that was named must be the one tested: no quiet fallback to another build.
  if (process.env.SYSDLG_SIM && !fs.existsSync(process.env.SYSDLG_SIM))
    throw new Error(`SYSDLG_SIM names no file: ${process.env.SYSDLG_SIM}`);
  const candidates = [
    process.env.SYSDLG_SIM,
    path.join(here, '..', '..', 'build', 'app', 'sysdlg-sim'),
    path.join(here, '..', '..', 'build-app', 'app', 'sysdlg-sim'),
  ].filter(Boolean);
  const found = candidates.find((file) => fs.existsSync(file));
  if (!found) throw new Error(`sysdlg-sim not found (set SYSDLG_SIM); looked at ${candidates.join(', ')}`);
  return found;
}

// `root` starts the simulator on a data root kept from an earlier run;
// `prepare(root)` fills a new data root before the simulator starts.
export async function startSimulator(extraArgs = [], { root, prepare } = {}) {
  root = root || fs.mkdtempSync(path.join(os.tmpdir(), 'sysdlg-e2e-'));
  if (prepare) prepare(root);
  const child = spawn(simulatorBinary(), ['--root', root, '--port', '0', ...extraArgs], {
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  let output = '';
  child.stderr.on('data', (chunk) => { output += chunk; });
  let buffered = '';
  const port = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('the simulator printed no port:\n' + buffered + output)), 20000);
    child.stdout.on('data', (chunk) => {
      buffered += chunk;
      const match = /^port: (\d+)$/m.exec(buffered);
      if (match) {
        clearTimeout(timer);
        resolve(Number(match[1]));
      }
    });
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`the simulator ended with ${code}:\n${buffered}${output}`));
    });
  });
  const base = `http://127.0.0.1:${port}`;
  const token = (/API token ([0-9a-f]+)/.exec(buffered) || [])[1];
  return {
    port,
    token,
    base,
    root,
    child,
    // What the simulator wrote to stderr so far.
    stderr: () => output,
    // keepRoot leaves the data root for a restart on it.
    async stop({ keepRoot = false } = {}) {
      if (child.exitCode === null) {
        const ended = new Promise((resolve) => child.once('exit', resolve));
        child.kill('SIGTERM');
        await ended;
      }
      if (!keepRoot) fs.rmSync(root, { recursive: true, force: true });
      return child.exitCode;
    },
  };
}

export async function api(base, route, body) {
  const response = await fetch(base + route, body === undefined ? {} : {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  });
  return { status: response.status, json: await response.json() };
}
