// The host's touch widgets as the panel draws them: the jog (a value stepped
// by taps on its ends) and the channel panel (a grid of channel switches).

import { focusAfterDraw, moveInGroup } from './focus.js';
import { labelFor } from './labels.js';
import { onKeys, operable, pointIn, tapOn } from './operable.js';

// A jog's zones from left to right: coarse down, fine down, select, fine
// up, coarse up. The instrument sends their widths as weights ("zones");
// without them the ends are sixths and the middle a third.
const JOG_ZONES = [1, 1, 2, 1, 1];
const COARSE_DOWN = 0;
const FINE_DOWN = 1;
const SELECT = 2;
const FINE_UP = 3;
const COARSE_UP = 4;

// The middle of a zone, in the jog's pixels: where a key taps it.
export function jogPoint(control, zone) {
  const sent = String(control.zones || '').split(',').map(Number);
  const weights = sent.length === JOG_ZONES.length && sent.every((w) => w > 0) ? sent : JOG_ZONES;
  const total = weights.reduce((sum, weight) => sum + weight, 0);
  const start = weights.slice(0, zone).reduce((sum, weight) => sum + weight, 0);
  return {
    x: Math.floor(((start + weights[zone] / 2) / total) * control.rect[2]),
    y: Math.floor(control.rect[3] / 2),
  };
}

// A jog steps by taps on its ends: the outer sixths step coarsely, the next
// sixths finely, the middle selects it. The arrows mark the zones; the tap
// goes to the instrument at the point touched. From the keyboard, the arrow
// keys step finely, Page Up and Page Down coarsely, Enter and Space select.
export function drawJog(element, window, control, act, later) {
  const down = document.createElement('div');
  down.className = 'arrow down';
  down.innerHTML = '<span>◀◀</span><span>◀</span>';
  const value = document.createElement('div');
  value.className = 'value';
  const number = document.createElement('span');
  number.className = 'number';
  // The value format's padding has no place in the narrow middle.
  const shown = String(control.value !== undefined ? control.value : control.text).trim();
  number.textContent = shown;
  const unit = document.createElement('span');
  unit.className = 'unit';
  unit.textContent = control.unit || '';
  value.append(number, unit);
  later(() => shrinkToFit(value));
  const up = document.createElement('div');
  up.className = 'arrow up';
  up.innerHTML = '<span>▶</span><span>▶▶</span>';
  down.setAttribute('aria-hidden', 'true');
  up.setAttribute('aria-hidden', 'true');
  element.append(down, value, up);
  if (control.selected) element.classList.add('selected');
  tapOn(element, window, control, act, (event) => pointIn(element, control, event));

  element.setAttribute('role', 'spinbutton');
  element.setAttribute('aria-label', labelFor(window, control) || shown);
  element.setAttribute('aria-valuetext', control.unit ? `${shown} ${control.unit}` : shown);
  if (shown !== '' && Number.isFinite(Number(shown))) element.setAttribute('aria-valuenow', Number(shown));
  const tap = (zone) => () => act('tap', Object.assign({ hwnd: window.hwnd, id: control.id }, jogPoint(control, zone)));
  operable(element, control, `${window.hwnd}:${control.id}`, tap(SELECT), {
    ArrowUp: tap(FINE_UP),
    ArrowRight: tap(FINE_UP),
    ArrowDown: tap(FINE_DOWN),
    ArrowLeft: tap(FINE_DOWN),
    PageUp: tap(COARSE_UP),
    PageDown: tap(COARSE_DOWN),
  });
}

// The jog draws its value itself in the middle third: a long number and
// unit ("100 mm/min") are drawn smaller until they fit.
const SMALLEST_FONT = 7;

function shrinkToFit(element) {
  let size = parseFloat(getComputedStyle(element).fontSize);
  while (element.scrollWidth > element.clientWidth && size > SMALLEST_FONT) {
    size -= 0.5;
    element.style.fontSize = size + 'px';
  }
}

const ITEM_WIDTH = 50;
const ITEM_HEIGHT = 20;
const EXT_WIDTH = 42;

// One switch of the channel panel: a toggle button, tapped by its part.
// The panel is one stop in the tab order; the arrows move among its switches.
function channelSwitch(element, window, control, act, part, columns) {
  const key = `${window.hwnd}:${control.id}:${Object.keys(part)[0]}:${Object.values(part)[0]}`;
  const press = () => {
    focusAfterDraw(key);
    act('tap', Object.assign({ hwnd: window.hwnd, id: control.id }, part));
  };
  element.setAttribute('role', 'button');
  element.dataset.focusKey = key;
  element.tabIndex = -1;
  tapOn(element, window, control, act, () => part);
  const move = (event) => moveInGroup(element, event.key, columns);
  onKeys(element, {
    Enter: press, ' ': press, ArrowLeft: move, ArrowRight: move, ArrowUp: move, ArrowDown: move, Home: move, End: move,
  });
}

export function drawChannels(element, window, control, act) {
  const columns = Number(control.columns) || 6;
  const labels = (control.rows || []).map((row) => row[0] || '');
  const selected = new Set(control.selectedRows || []);
  const locked = new Set(String(control.disabled || '').split(',').filter((s) => s !== '').map(Number));
  element.setAttribute('role', 'group');
  element.setAttribute('aria-label', labelFor(window, control) || labels.join(' '));
  element.dataset.roving = '';
  labels.forEach((label, index) => {
    const item = document.createElement('div');
    item.className = 'item' + (selected.has(index) ? ' selected' : '') + (locked.has(index) ? ' locked' : '');
    item.style.left = (index % columns) * ITEM_WIDTH + 'px';
    item.style.top = Math.floor(index / columns) * ITEM_HEIGHT + 'px';
    item.style.width = ITEM_WIDTH + 'px';
    item.style.height = ITEM_HEIGHT + 'px';
    item.textContent = label;
    item.dataset.item = index;
    channelSwitch(item, window, control, act, { item: index }, columns);
    item.setAttribute('aria-pressed', selected.has(index) ? 'true' : 'false');
    if (locked.has(index) || !control.enabled) item.setAttribute('aria-disabled', 'true');
    element.appendChild(item);
  });
  if (control.ext) {
    const rows = Math.ceil(labels.length / columns);
    const half = (rows * ITEM_HEIGHT) / 2;
    control.ext.split(',').forEach((label, index) => {
      const ext = document.createElement('div');
      ext.className = 'ext';
      ext.style.left = columns * ITEM_WIDTH + 'px';
      ext.style.top = index * half + 'px';
      ext.style.width = EXT_WIDTH + 'px';
      ext.style.height = half + 'px';
      ext.textContent = label;
      channelSwitch(ext, window, control, act, { ext: index }, columns);
      if (!control.enabled) ext.setAttribute('aria-disabled', 'true');
      element.appendChild(ext);
    });
  }
  const first = element.querySelector('[data-focus-key]:not([aria-disabled="true"])');
  if (first) first.tabIndex = 0;
}
