// The touch panel in the browser: follows the instrument's screen, sends the
// operator's taps and keys, and keeps the host's side panel current.

import { followScreen, send } from './api.js';
import { drawScreen, frontWindow, PANEL_HEIGHT, PANEL_WIDTH } from './render.js';
import { refreshSidePanel } from './sidepanel.js';

const panel = document.getElementById('panel');
const stage = document.getElementById('stage');
const statusText = document.getElementById('status');
const versionText = document.getElementById('version');
const errorBox = document.getElementById('error');

let screen = { version: 0, windows: [] };
let errorTimer = null;

function showError(message) {
  errorBox.textContent = message;
  errorBox.hidden = false;
  clearTimeout(errorTimer);
  errorTimer = setTimeout(() => { errorBox.hidden = true; }, 4000);
}

function show(next) {
  if (!next || next.version < screen.version) return;
  const changed = next.version !== screen.version;
  screen = next;
  drawScreen(panel, screen, act);
  versionText.textContent = `v${screen.version}`;
  document.body.dataset.version = screen.version;
  if (changed) refreshSidePanel();
}

async function act(route, body) {
  try {
    const answer = await send(route, body);
    if (answer.busy) {
      // The instrument took the input and is still at it: its outcome comes
      // with a later screen, which the long poll brings.
      statusText.className = 'status busy';
      statusText.textContent = '処理中…';
    } else {
      follower.seen(answer.version);
      show(answer);
    }
  } catch (e) {
    showError(e.message);
  }
  refreshSidePanel();
}

const follower = followScreen(show, (state) => {
  statusText.className = 'status ' + state;
  statusText.textContent = state === 'ok' ? '接続' : '切断 — 再接続中…';
});

// The panel keeps the instrument's 640 x 480 pixels and scales to the stage.
function fit() {
  const scale = Math.min(stage.clientWidth / PANEL_WIDTH, (stage.clientHeight - 24) / PANEL_HEIGHT);
  document.documentElement.style.setProperty('--scale', Math.max(0.5, scale).toFixed(3));
}
window.addEventListener('resize', fit);
fit();

// Physical keyboard: characters are typed into the front window (a keyboard
// or number pad, or the focused entry field); editing and navigation keys
// are pressed there.
const VIRTUAL_KEYS = {
  Backspace: 8, Tab: 9, Enter: 13, Escape: 27, ' ': 32, End: 35, Home: 36,
  ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Delete: 46,
};
let typed = '';
let typeTimer = null;

function flushTyped() {
  const target = frontWindow(screen);
  if (typed && target) act('type', { hwnd: target.hwnd, text: typed });
  typed = '';
  typeTimer = null;
}

document.addEventListener('keydown', (event) => {
  if (event.target instanceof HTMLElement && event.target.closest('.side, input, textarea')) return;
  if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return;
  const target = frontWindow(screen);
  if (!target) return;
  if (event.key.length === 1 && event.key !== ' ') {
    // Quick typing goes as one text.
    typed += event.key;
    if (!typeTimer) typeTimer = setTimeout(flushTyped, 30);
    event.preventDefault();
    return;
  }
  const vk = VIRTUAL_KEYS[event.key];
  if (vk === undefined) return;
  if (typeTimer) {
    clearTimeout(typeTimer);
    flushTyped();
  }
  act('key', { hwnd: target.hwnd, vk });
  event.preventDefault();
});

// Text composed with an input method arrives whole.
document.addEventListener('compositionend', (event) => {
  const target = frontWindow(screen);
  if (target && event.data) act('type', { hwnd: target.hwnd, text: event.data });
});

refreshSidePanel();
