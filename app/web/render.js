// Draws the screen JSON: every top-level window at its panel rect, back to
// front, the front modal window on top and every other window dimmed; each
// window's controls at their rects and its child dialogs (tab pages) inside.
// Drawing only reads the screen; taps go back through `act`.

import { getJson } from './api.js';
import { focusAfterDraw, focusAfterScreen, focusBeforeDraw } from './focus.js';
import { labelFor } from './labels.js';
import { drawList, forgetListsExcept } from './listview.js';
import { onKeys, pressable, tapOn } from './operable.js';
import { drawChannels, drawJog } from './touchwidgets.js';

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
  const focus = focusBeforeDraw(panel);
  // Back to front, so that the front window ends on top.
  for (let index = windows.length - 1; index >= 0; index--) {
    const window = windows[index];
    const dimmed = !window.enabled || (modalFront && window !== front);
    const drawn = drawWindow(window, act, { top: true, dimmed, z: windows.length - index });
    if (window === front && front.modal) drawn.setAttribute('aria-modal', 'true');
    fragment.appendChild(drawn);
  }
  panel.replaceChildren(fragment);
  focusAfterScreen(panel, focus);
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
  if (top) {
    // A dialog that cannot be operated now (behind a modal one) is out of
    // the tab order and of what assistive technology offers.
    element.setAttribute('role', 'dialog');
    element.tabIndex = -1;
    if (window.caption) element.setAttribute('aria-label', window.caption);
    if (dimmed) {
      element.inert = true;
      element.setAttribute('aria-hidden', 'true');
    }
    if (takesText(window)) element.dataset.takesText = '';
  }
  if (top && window.caption) {
    const caption = document.createElement('div');
    caption.className = 'caption';
    caption.textContent = window.caption;
    caption.setAttribute('aria-hidden', 'true');
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
  // Controls come front to back, which is also the template's tab order:
  // they are added in that order, for the focus to follow it, and stacked
  // by z-index, the front one on top. A tab control's pages sit just above it.
  const layers = 2 * controls.length;
  controls.forEach((control, index) => {
    if (!control.visible) return;
    const drawn = drawControl(window, control, act);
    drawn.style.zIndex = layers - 2 * index;
    element.appendChild(drawn);
    if (hosted.has(control)) {
      const clip = drawHosted(window, control, hosted.get(control), act);
      clip.style.zIndex = layers - 2 * index + 1;
      element.appendChild(clip);
    }
  });
  free.forEach((child, index) => {
    const drawn = drawWindow(child, act, { top: false, dimmed: false });
    drawn.style.zIndex = layers + free.length - index;
    element.appendChild(drawn);
  });
  return element;
}

// A soft keyboard or number pad: its entry field has the instrument's focus.
function takesText(window) {
  return (window.controls || []).some((control) => control.class === 'edit' && control.focused);
}

// A window close to the panel's top edge is drawn lower, as far as the panel
// has room, so that its caption is not cut off.
function belowCaption([x, y, w, h]) {
  return [x, Math.max(y, Math.min(CAPTION_HEIGHT, PANEL_HEIGHT - h)), w, h];
}

function inside(rect, host) {
  return rect[0] >= host[0] && rect[1] >= host[1] && rect[0] < host[0] + host[2] && rect[1] < host[1] + host[3];
}

function drawHosted(window, host, children, act) {
  const clip = document.createElement('div');
  clip.className = 'clip';
  place(clip, host.rect);
  for (let index = children.length - 1; index >= 0; index--) {
    const child = children[index];
    const moved = Object.assign({}, child, {
      rect: [child.rect[0] - host.rect[0], child.rect[1] - host.rect[1], child.rect[2], child.rect[3]],
    });
    const page = drawWindow(moved, act, { top: false, dimmed: false });
    page.setAttribute('role', 'tabpanel');
    page.id = `page-${child.hwnd}`;
    if (host.current >= 0) page.setAttribute('aria-labelledby', tabId(window, host, host.current));
    clip.appendChild(page);
  }
  return clip;
}

function place(element, rect) {
  element.style.left = rect[0] + 'px';
  element.style.top = rect[1] + 'px';
  element.style.width = rect[2] + 'px';
  element.style.height = rect[3] + 'px';
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
  const key = `${window.hwnd}:${control.id}`;
  switch (kind) {
  case 'button':
  case 'ownerdraw':
    element.textContent = control.text;
    element.setAttribute('role', 'button');
    pressable(element, window, control, act);
    break;
  case 'pushswitch':
    element.textContent = control.text;
    element.setAttribute('role', 'button');
    element.setAttribute('aria-pressed', control.selected ? 'true' : 'false');
    if (control.selected) element.classList.add('latched');
    pressable(element, window, control, act);
    break;
  case 'hand': {
    // Every "手" opens the entry of the value on its line: the line's label
    // tells them apart.
    const text = control.text || '手';
    const label = labelFor(window, control);
    element.textContent = text;
    element.setAttribute('role', 'button');
    if (label) element.setAttribute('aria-label', `${text}（${label}）`);
    pressable(element, window, control, act);
    break;
  }
  case 'checkbox': {
    const box = document.createElement('span');
    box.className = 'box';
    box.setAttribute('aria-hidden', 'true');
    const label = document.createElement('span');
    label.className = 'label';
    label.textContent = control.text;
    element.append(box, label);
    const state = control.indeterminate === '1' ? 'mixed' : String(Boolean(control.checked));
    if (control.pushLike === '1') {
      // A push-like check box looks and acts as a button that stays in.
      element.setAttribute('role', 'button');
      element.setAttribute('aria-pressed', state);
    } else {
      element.setAttribute('role', control.kind === 'radio' ? 'radio' : 'checkbox');
      element.setAttribute('aria-checked', state);
    }
    if (control.checked) element.classList.add('checked');
    pressable(element, window, control, act);
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
    if (control.multiline === '1') keepScrolled(element, key);
    element.setAttribute('role', 'textbox');
    element.setAttribute('aria-label', labelFor(window, control) || window.caption || control.text);
    if (control.multiline === '1') element.setAttribute('aria-multiline', 'true');
    pressable(element, window, control, act);
    break;
  case 'tab':
    drawTab(element, window, control, act);
    break;
  case 'listview':
  case 'listbox':
    element.classList.add('list');
    element.setAttribute('aria-label', labelFor(window, control) || window.caption || (control.columns || []).join(' '));
    drawList(element, control, key,
      (row, twice) => act('tap', Object.assign({ hwnd: window.hwnd, id: control.id, row }, twice ? { double: true } : {})),
      (column) => act('tap', { hwnd: window.hwnd, id: control.id, column }),
      (from, count) => getJson(`/api/rows?hwnd=${window.hwnd}&id=${control.id}&from=${from}&count=${count}`));
    break;
  case 'jog':
    drawJog(element, window, control, act, (work) => afterDraw.push(work));
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

// Tabs chosen by key whose page is not drawn yet, by tab control: keys
// pressed quickly one after another count from the tab chosen last.
const chosenTabs = new Map();

function tabId(window, control, index) {
  return `tab-${window.hwnd}-${control.id}-${index}`;
}

// The tabs sit where the control lays them out (itemRects); without that,
// they share the width of one strip. The strip is one stop in the tab order,
// at the current tab; the arrow keys, Home and End choose another tab at once.
function drawTab(element, window, control, act) {
  const strip = document.createElement('div');
  strip.className = 'strip';
  strip.setAttribute('role', 'tablist');
  strip.dataset.roving = '';
  const rects = control.itemRects || [];
  const tabs = control.tabs || [];
  let stripBottom = rects.length ? 0 : 26;
  const controlKey = `${window.hwnd}:${control.id}`;
  if (chosenTabs.get(controlKey) === control.current) chosenTabs.delete(controlKey);
  const choose = (index) => {
    chosenTabs.set(controlKey, index);
    focusAfterDraw(`${controlKey}:tab:${index}`);
    Promise.resolve(act('tap', { hwnd: window.hwnd, id: control.id, tab: index })).finally(() => {
      if (chosenTabs.get(controlKey) === index) chosenTabs.delete(controlKey);
    });
  };
  const from = (index) => (chosenTabs.has(controlKey) ? chosenTabs.get(controlKey) : index);
  tabs.forEach((text, index) => {
    const item = document.createElement('div');
    const current = index === control.current;
    item.className = 'tabitem' + (current ? ' current' : '');
    item.setAttribute('role', 'tab');
    item.setAttribute('aria-selected', current ? 'true' : 'false');
    item.id = tabId(window, control, index);
    item.dataset.tab = index;
    item.dataset.focusKey = `${window.hwnd}:${control.id}:tab:${index}`;
    item.tabIndex = current && control.enabled ? 0 : -1;
    if (!control.enabled) item.setAttribute('aria-disabled', 'true');
    item.textContent = text;
    const last = tabs.length - 1;
    onKeys(item, {
      Enter: () => choose(index),
      ' ': () => choose(index),
      ArrowRight: () => choose(from(index) === last ? 0 : from(index) + 1),
      ArrowLeft: () => choose(from(index) === 0 ? last : from(index) - 1),
      Home: () => choose(0),
      End: () => choose(last),
    });
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

// The window that takes the keyboard: the front window when it is enabled.
export function frontWindow(screen) {
  return (screen.windows || []).find((w) => w.visible && w.enabled) || null;
}
