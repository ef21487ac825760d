// Keyboard focus on the panel. Every screen replaces the drawn controls, so
// the focused control is known by its key (window, control, part) and found
// again in the new drawing. A window that comes to the front takes the focus
// (the control it had when it was last in front, else its first one); the
// window behind gets its control back when the front one closes.
//
// Keys act on the focused control only while the operator works the panel
// by keyboard (from a Tab on): after a click, Enter, Space and the arrows go
// to the window in front as they always did, so a soft-keyboard key clicked
// last is not pressed again by Enter.

let keyboardMode = false;
// top-level window handle -> focus key of the control it had last
const lastFocused = new Map();
let wanted = null;

export function watchKeyboardMode(panel) {
  const set = (on) => {
    keyboardMode = on;
    if (on) panel.dataset.keyboard = '';
    else delete panel.dataset.keyboard;
  };
  document.addEventListener('keydown', (event) => { if (event.key === 'Tab') set(true); }, true);
  document.addEventListener('pointerdown', () => set(false), true);
  panel.addEventListener('focusin', (event) => {
    const key = event.target.dataset && event.target.dataset.focusKey;
    const top = event.target.closest && event.target.closest('.window:not(.child)');
    if (key && top) lastFocused.set(top.dataset.hwnd, key);
  });
}

// Whether a key pressed on a focused control is meant for that control.
export function keyboardOperated() {
  return keyboardMode;
}

// The key of the control that should have the focus once the next screen
// is drawn (a tab chosen by arrow key: the new tab, not the old one).
export function focusAfterDraw(key) {
  wanted = key;
}

// What the panel's focus is before a new screen replaces the drawing.
export function focusBeforeDraw(panel) {
  const active = document.activeElement;
  const inside = active !== panel && panel.contains(active);
  const front = panel.querySelector('.window:not(.child):not(.dimmed)');
  return {
    inside: inside || wanted !== null,
    key: wanted || (inside ? active.dataset.focusKey : null),
    front: front ? front.dataset.hwnd : null,
  };
}

const focusable = (element) => element && !element.closest('[inert]');

function byKey(panel, key) {
  return key ? panel.querySelector(`[data-focus-key="${CSS.escape(key)}"]`) : null;
}

function give(element) {
  // A part of a group that is tabbed into at one place (tabs, channels)
  // takes that place when it takes the focus.
  const group = element.parentElement && element.parentElement.closest('[data-roving]');
  if (group) {
    group.querySelectorAll('[data-focus-key]').forEach((part) => { part.tabIndex = -1; });
    element.tabIndex = 0;
  }
  element.focus({ preventScroll: true });
}

// Puts the focus back after a new screen was drawn.
export function focusAfterScreen(panel, before) {
  wanted = null;
  const shown = new Set([...panel.querySelectorAll('.window:not(.child)')].map((w) => w.dataset.hwnd));
  for (const hwnd of lastFocused.keys()) if (!shown.has(hwnd)) lastFocused.delete(hwnd);
  if (!before.inside) return;
  const frontWindow = panel.querySelector('.window:not(.child):not(.dimmed)');
  if (!frontWindow) return;
  const front = frontWindow.dataset.hwnd;
  const keys = front === before.front ? [before.key] : [lastFocused.get(front)];
  for (const key of keys) {
    const element = byKey(panel, key);
    if (focusable(element)) {
      if (document.activeElement !== element) give(element);
      return;
    }
  }
  const first = frontWindow.querySelector('[tabindex="0"]');
  give(focusable(first) ? first : frontWindow);
}

// Moves the focus among the parts of a group by arrow key: `step` is
// +1/-1 along, or +-columns across a grid; Home and End go to the ends.
export function moveInGroup(element, key, columns = 1) {
  const group = element.closest('[data-roving]');
  const parts = [...group.querySelectorAll('[data-focus-key]:not([aria-disabled="true"])')];
  const at = parts.indexOf(element);
  const steps = { ArrowRight: 1, ArrowLeft: -1, ArrowDown: columns, ArrowUp: -columns };
  let next = at;
  if (key === 'Home') next = 0;
  else if (key === 'End') next = parts.length - 1;
  else if (steps[key] !== undefined) next = Math.max(0, Math.min(parts.length - 1, at + steps[key]));
  else return false;
  if (parts[next]) give(parts[next]);
  return true;
}
