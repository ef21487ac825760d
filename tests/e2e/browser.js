// Debian's Chromium, headless, in a fresh profile that is removed afterwards.

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

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
