// Makes a drawn control operable from the keyboard: it takes the focus in
// the window's tab order (or not, when disabled), Enter and Space press it as
// a tap would, and `keys` (by KeyboardEvent.key) act on it otherwise.
//
// In a window that takes typed text (a soft keyboard or number pad, whose
// entry has the focus on the instrument) Space is a character: it goes to
// the entry as before, and Enter alone presses the focused key.

import { keyboardOperated } from './focus.js';

function takesText(element) {
  const top = element.closest('.window:not(.child)');
  return Boolean(top && top.dataset.takesText !== undefined);
}

// A handler that answers false leaves the key to the window in front.
export function onKeys(element, keys) {
  element.addEventListener('keydown', (event) => {
    if (!keyboardOperated() || event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return;
    const handler = keys[event.key];
    if (!handler || handler(event) === false) return;
    event.preventDefault();
    event.stopPropagation();
  });
}

export function operable(element, control, focusKey, activate, keys = {}) {
  element.dataset.focusKey = focusKey;
  element.tabIndex = control.enabled ? 0 : -1;
  if (!control.enabled) element.setAttribute('aria-disabled', 'true');
  onKeys(element, Object.assign({
    Enter: activate,
    ' ': () => (takesText(element) ? false : activate()),
  }, keys));
}

export function tapOn(element, window, control, act, extra) {
  element.addEventListener('click', (event) => {
    event.stopPropagation();
    act('tap', Object.assign({ hwnd: window.hwnd, id: control.id }, extra ? extra(event) : {}));
  });
}

// A control that a tap, Enter or Space presses (a button, a check box, an
// entry field that opens its keyboard).
export function pressable(element, window, control, act) {
  tapOn(element, window, control, act);
  operable(element, control, `${window.hwnd}:${control.id}`, () => act('tap', { hwnd: window.hwnd, id: control.id }));
}

// The point of a click in the control's own pixels (the panel is scaled).
export function pointIn(element, control, event) {
  const box = element.getBoundingClientRect();
  const x = Math.round(((event.clientX - box.left) / box.width) * control.rect[2]);
  const y = Math.round(((event.clientY - box.top) / box.height) * control.rect[3]);
  return {
    x: Math.max(0, Math.min(control.rect[2] - 1, x)),
    y: Math.max(0, Math.min(control.rect[3] - 1, y)),
  };
}
