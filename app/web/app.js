// The touch panel in the browser: follows the instrument's screen, sends the
// operator's taps and keys, and keeps the host's side panel current.

import { followScreen, send } from './api.js';
import { watchKeyboardMode } from './focus.js';
import { drawScreen, frontWindow, PANEL_HEIGHT, PANEL_WIDTH } from './render.js';
import { refreshSidePanel, restartSidePanel } from './sidepanel.js';

const panel = document.getElementById('panel');
const stage = document.getElementById('stage');
const statusText = document.getElementById('status');
const versionText = document.getElementById('version');
const errorBox = document.getElementById('error');
const cover = document.getElementById('cover');
const coverText = document.getElementById('cover-text');

let screen = { version: 0, windows: [] };
// The panel is one stop in the page's tab order and holds the instrument's
// windows; keys pressed on it go to the window in front.
panel.setAttribute('role', 'group');
panel.setAttribute('aria-label', '計測器の画面');
watchKeyboardMode(panel);
let errorTimer = null;

function showError(message) {
  errorBox.textContent = message;
  errorBox.hidden = false;
  clearTimeout(errorTimer);
  errorTimer = setTimeout(() => { errorBox.hidden = true; }, 4000);
}

// Screens that arrive while one waits to be drawn replace it: a fast typist's
// answers are drawn once a frame, not one after another. A window the
// browser gives few frames (one behind another) still draws within 50 ms.
let drawPending = false;

function draw() {
  if (!drawPending) return;
  drawPending = false;
  drawScreen(panel, screen, act);
  versionText.textContent = `v${screen.version}`;
  document.body.dataset.version = screen.version;
  refreshSidePanel();
}

function show(next) {
  // The answer to an input and the long poll bring the same screen: draw it once.
  if (!next || next.version <= screen.version) return;
  screen = next;
  if (drawPending) return;
  drawPending = true;
  requestAnimationFrame(draw);
  setTimeout(draw, 50);
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

// While the instrument is away the panel is covered, so that its last screen
// is not taken for a live one; the simulator found again starts afresh.
const STATES = {
  ok: '接続',
  lost: '接続が切れました — 再接続中…',
  ended: 'シャットダウンしました',
};
let connection = 'connecting';

function connectionState(state) {
  // An ended simulator is out of reach until it is started again: it stays "shut down".
  if (state === connection || (state === 'lost' && connection === 'ended')) return;
  const back = state === 'ok';
  if (back) {
    screen = { version: 0, windows: [] };
    restartSidePanel();
  }
  connection = state;
  statusText.className = 'status ' + state;
  statusText.textContent = STATES[state];
  cover.hidden = back;
  cover.className = 'cover ' + state;
  coverText.textContent = STATES[state];
}

const follower = followScreen(show, connectionState);

// The panel keeps the instrument's 640 x 480 pixels and scales to the stage.
function fit() {
  const scale = Math.min(stage.clientWidth / PANEL_WIDTH, (stage.clientHeight - 24) / PANEL_HEIGHT);
  document.documentElement.style.setProperty('--scale', Math.max(0.5, scale).toFixed(3));
}
window.addEventListener('resize', fit);
fit();

// Physical keyboard: characters are typed into the front window (a keyboard
// or number pad, or the focused entry field); editing and navigation keys
// are pressed there. Quick typing is gathered into few calls (api.js). Tab
// stays with the browser, which moves the focus; a focused control takes the
// keys it acts on itself before they get here (operable.js).
const VIRTUAL_KEYS = {
  Backspace: 8, Enter: 13, Escape: 27, ' ': 32, End: 35, Home: 36,
  ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Delete: 46,
};
document.addEventListener('keydown', (event) => {
  if (event.target instanceof HTMLElement && event.target.closest('.side, input, textarea, select, button, a[href]')) return;
  if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return;
  const target = frontWindow(screen);
  if (!target) return;
  if (event.key.length === 1 && event.key !== ' ') {
    act('type', { hwnd: target.hwnd, text: event.key });
    event.preventDefault();
    return;
  }
  const vk = VIRTUAL_KEYS[event.key];
  if (vk === undefined) return;
  act('key', { hwnd: target.hwnd, vk });
  event.preventDefault();
});

// Text composed with an input method arrives whole.
document.addEventListener('compositionend', (event) => {
  const target = frontWindow(screen);
  if (target && event.data) act('type', { hwnd: target.hwnd, text: event.data });
});

refreshSidePanel();
