// Draws the screen JSON: every top-level window at its panel rect, back to
// front, the front modal window on top and every other window dimmed; each
// window's controls at their rects and its child dialogs (tab pages) inside.
// Drawing only reads the screen; taps go back through `act`.

import { getJson } from './api.js';
import { drawList, forgetListsExcept } from './listview.js';

export const PANEL_WIDTH = 640;
export const PANEL_HEIGHT = 480;
// The caption bar the panel draws above a top-level window's client area.
const CAPTION_HEIGHT = 20;

// Work that needs the drawn elements in the document (measuring, restoring
// scroll positions), run once the new screen replaced the old one.
let afterDraw = [];

// act(route, body) sends one input; the body names the window and control.
export function drawScreen(panel, screen, act) {
  const fragment = document.createDocumentFragment();
  const windows = screen.windows || [];
  const front = windows.find((w) => w.visible && w.enabled);
  const modalFront = front && front.modal;
  // Back to front, so that the front window ends on top.
  for (let index = windows.length - 1; index >= 0; index--) {
    const window = windows[index];
    const dimmed = !window.enabled || (modalFront && window !== front);
    fragment.appendChild(drawWindow(window, act, { top: true, dimmed, z: windows.length - index }));
  }
  panel.replaceChildren(fragment);
  const pending = afterDraw;
  afterDraw = [];
  pending.forEach((work) => work());
  const handles = new Set();
  const collect = (w) => { handles.add(w.hwnd); (w.children || []).forEach(collect); };
  windows.forEach(collect);
  forgetListsExcept(handles);
  for (const key of scrolled.keys())
    if (!handles.has(Number(key.split(':')[0]))) scrolled.delete(key);
}

function drawWindow(window, act, { top, dimmed, z }) {
  const element = document.createElement('div');
  element.className = 'window' + (top ? '' : ' child') + (dimmed ? ' dimmed' : '');
  element.dataset.hwnd = window.hwnd;
  element.dataset.template = window.template;
  place(element, top && window.caption ? belowCaption(window.rect) : window.rect);
  if (z) element.style.zIndex = z;
  if (top && window.caption) {
    const caption = document.createElement('div');
    caption.className = 'caption';
    caption.textContent = window.caption;
    element.appendChild(caption);
  }
  // Child dialogs that live inside a tab control (the pages) are clipped to
  // it and sit just above it; the controls in front of the tab control stay
  // in front of its pages.
  const controls = window.controls || [];
  const children = (window.children || []).filter((child) => child.visible);
  const hosted = new Map();
  const free = [];
  for (const child of children) {
    const host = controls.find((c) => c.class === 'tab' && c.visible && inside(child.rect, c.rect));
    if (host) {
      if (!hosted.has(host)) hosted.set(host, []);
      hosted.get(host).push(child);
    } else {
      free.push(child);
    }
  }
  // Lists are front to back; draw back to front.
  for (let index = controls.length - 1; index >= 0; index--) {
    const control = controls[index];
    if (!control.visible) continue;
    const drawn = drawControl(window, control, act);
    if (drawn) element.appendChild(drawn);
    if (hosted.has(control)) element.appendChild(drawHosted(control, hosted.get(control), act));
  }
  for (let index = free.length - 1; index >= 0; index--)
    element.appendChild(drawWindow(free[index], act, { top: false, dimmed: false }));
  return element;
}

// A window close to the panel's top edge is drawn lower, as far as the panel
// has room, so that its caption is not cut off.
function belowCaption([x, y, w, h]) {
  return [x, Math.max(y, Math.min(CAPTION_HEIGHT, PANEL_HEIGHT - h)), w, h];
}

function inside(rect, host) {
  return rect[0] >= host[0] && rect[1] >= host[1] && rect[0] < host[0] + host[2] && rect[1] < host[1] + host[3];
}

function drawHosted(host, children, act) {
  const clip = document.createElement('div');
  clip.className = 'clip';
  place(clip, host.rect);
  for (let index = children.length - 1; index >= 0; index--) {
    const child = children[index];
    const moved = Object.assign({}, child, {
      rect: [child.rect[0] - host.rect[0], child.rect[1] - host.rect[1], child.rect[2], child.rect[3]],
    });
    clip.appendChild(drawWindow(moved, act, { top: false, dimmed: false }));
  }
  return clip;
}

function place(element, rect) {
  element.style.left = rect[0] + 'px';
  element.style.top = rect[1] + 'px';
  element.style.width = rect[2] + 'px';
  element.style.height = rect[3] + 'px';
}

function tapOn(element, window, control, act, extra) {
  element.addEventListener('click', (event) => {
    event.stopPropagation();
    act('tap', Object.assign({ hwnd: window.hwnd, id: control.id }, extra ? extra(event) : {}));
  });
}

// The point of a click in the control's own pixels (the panel is scaled).
function pointIn(element, control, event) {
  const box = element.getBoundingClientRect();
  const x = Math.round(((event.clientX - box.left) / box.width) * control.rect[2]);
  const y = Math.round(((event.clientY - box.top) / box.height) * control.rect[3]);
  return {
    x: Math.max(0, Math.min(control.rect[2] - 1, x)),
    y: Math.max(0, Math.min(control.rect[3] - 1, y)),
  };
}

// Window styles the panel draws by: text alignment, several lines, a
// vertical scroll bar.
function styleControl(element, control) {
  if (control.align && control.align !== 'left') element.style.textAlign = control.align;
  if (control.multiline === '1') element.classList.add('multiline');
  if (control.vscroll === '1') element.classList.add('vscroll');
}

function drawControl(window, control, act) {
  const element = document.createElement('div');
  const kind = control.class || 'static';
  element.className = `control ${kind}` + (control.enabled ? '' : ' disabled');
  element.dataset.id = control.id;
  element.dataset.class = kind;
  place(element, control.rect);
  styleControl(element, control);
  switch (kind) {
  case 'button':
  case 'ownerdraw':
    element.textContent = control.text;
    element.setAttribute('role', 'button');
    tapOn(element, window, control, act);
    break;
  case 'pushswitch':
    element.textContent = control.text;
    element.setAttribute('role', 'button');
    element.setAttribute('aria-pressed', control.selected ? 'true' : 'false');
    if (control.selected) element.classList.add('latched');
    tapOn(element, window, control, act);
    break;
  case 'hand':
    element.textContent = control.text || '手';
    element.setAttribute('role', 'button');
    tapOn(element, window, control, act);
    break;
  case 'checkbox': {
    const box = document.createElement('span');
    box.className = 'box';
    const label = document.createElement('span');
    label.className = 'label';
    label.textContent = control.text;
    element.append(box, label);
    element.setAttribute('role', 'checkbox');
    element.setAttribute('aria-checked', control.checked ? 'true' : 'false');
    if (control.checked) element.classList.add('checked');
    tapOn(element, window, control, act);
    break;
  }
  case 'groupbox': {
    const legend = document.createElement('span');
    legend.className = 'legend';
    legend.textContent = control.text;
    if (control.text) element.appendChild(legend);
    break;
  }
  case 'edit':
    drawEditText(element, control);
    if (control.multiline === '1') keepScrolled(element, `${window.hwnd}:${control.id}`);
    tapOn(element, window, control, act);
    break;
  case 'tab':
    drawTab(element, window, control, act);
    break;
  case 'listview':
  case 'listbox':
    element.classList.add('list');
    drawList(element, control, `${window.hwnd}:${control.id}`,
      (row, twice) => act('tap', Object.assign({ hwnd: window.hwnd, id: control.id, row }, twice ? { double: true } : {})),
      (column) => act('tap', { hwnd: window.hwnd, id: control.id, column }),
      (from, count) => getJson(`/api/rows?hwnd=${window.hwnd}&id=${control.id}&from=${from}&count=${count}`));
    break;
  case 'jog':
    drawJog(element, window, control, act);
    break;
  case 'channels':
    drawChannels(element, window, control, act);
    break;
  default:
    // Statics and anything unknown show their text; a tap still reaches
    // the instrument (some statics answer taps).
    element.textContent = control.text;
    tapOn(element, window, control, act);
  }
  return element;
}

// A focused entry shows its cursor where the next character goes: at the end
// of the text unless the instrument says where ("caret", in characters).
function drawEditText(element, control) {
  if (!control.focused) {
    element.textContent = control.text;
    return;
  }
  element.classList.add('focused');
  const characters = Array.from(control.text || '');
  const at = control.caret !== undefined ? Math.min(Number(control.caret), characters.length) : characters.length;
  const caret = document.createElement('span');
  caret.className = 'caret';
  element.append(characters.slice(0, at).join(''), caret, characters.slice(at).join(''));
}

// Where the operator scrolled a text to, by window and control: a new screen
// draws the text again and must not throw the reader back to its top.
const scrolled = new Map();

function keepScrolled(element, key) {
  element.addEventListener('scroll', () => scrolled.set(key, element.scrollTop), { passive: true });
  afterDraw.push(() => { element.scrollTop = scrolled.get(key) || 0; });
}

// The tabs sit where the control lays them out (itemRects); without that,
// they share the width of one strip.
function drawTab(element, window, control, act) {
  const strip = document.createElement('div');
  strip.className = 'strip';
  strip.setAttribute('role', 'tablist');
  const rects = control.itemRects || [];
  let stripBottom = rects.length ? 0 : 26;
  (control.tabs || []).forEach((text, index) => {
    const item = document.createElement('div');
    item.className = 'tabitem' + (index === control.current ? ' current' : '');
    item.setAttribute('role', 'tab');
    item.setAttribute('aria-selected', index === control.current ? 'true' : 'false');
    item.dataset.tab = index;
    item.textContent = text;
    if (rects[index]) {
      const [x, y, w, h] = rects[index];
      item.classList.add('placed');
      Object.assign(item.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
      stripBottom = Math.max(stripBottom, y + h);
    }
    item.addEventListener('click', (event) => {
      event.stopPropagation();
      act('tap', { hwnd: window.hwnd, id: control.id, tab: index });
    });
    strip.appendChild(item);
  });
  const body = document.createElement('div');
  body.className = 'body';
  body.style.top = stripBottom + 'px';
  element.append(strip, body);
}

// A jog steps by taps on its ends: the outer sixths step coarsely, the next
// sixths finely, the middle selects it. The arrows mark the zones; the tap
// goes to the instrument at the point touched.
function drawJog(element, window, control, act) {
  const down = document.createElement('div');
  down.className = 'arrow down';
  down.innerHTML = '<span>◀◀</span><span>◀</span>';
  const value = document.createElement('div');
  value.className = 'value';
  const number = document.createElement('span');
  number.className = 'number';
  // The value format's padding has no place in the narrow middle.
  number.textContent = String(control.value !== undefined ? control.value : control.text).trim();
  const unit = document.createElement('span');
  unit.className = 'unit';
  unit.textContent = control.unit || '';
  value.append(number, unit);
  afterDraw.push(() => shrinkToFit(value));
  const up = document.createElement('div');
  up.className = 'arrow up';
  up.innerHTML = '<span>▶</span><span>▶▶</span>';
  element.append(down, value, up);
  if (control.selected) element.classList.add('selected');
  tapOn(element, window, control, act, (event) => pointIn(element, control, event));
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

function drawChannels(element, window, control, act) {
  const columns = Number(control.columns) || 6;
  const labels = (control.rows || []).map((row) => row[0] || '');
  const selected = new Set(control.selectedRows || []);
  const locked = new Set(String(control.disabled || '').split(',').filter((s) => s !== '').map(Number));
  labels.forEach((label, index) => {
    const item = document.createElement('div');
    item.className = 'item' + (selected.has(index) ? ' selected' : '') + (locked.has(index) ? ' locked' : '');
    item.style.left = (index % columns) * ITEM_WIDTH + 'px';
    item.style.top = Math.floor(index / columns) * ITEM_HEIGHT + 'px';
    item.style.width = ITEM_WIDTH + 'px';
    item.style.height = ITEM_HEIGHT + 'px';
    item.textContent = label;
    item.dataset.item = index;
    item.addEventListener('click', (event) => {
      event.stopPropagation();
      act('tap', { hwnd: window.hwnd, id: control.id, item: index });
    });
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
      ext.addEventListener('click', (event) => {
        event.stopPropagation();
        act('tap', { hwnd: window.hwnd, id: control.id, ext: index });
      });
      element.appendChild(ext);
    });
  }
}

// The window that takes the keyboard: the front window when it is enabled.
export function frontWindow(screen) {
  return (screen.windows || []).find((w) => w.visible && w.enabled) || null;
}
