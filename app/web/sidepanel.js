// The host's side: the requests the dialog sent (newest first), a short
// notice beside the panel for each file the host wrote or refused (the
// dialog itself says nothing after some of them), and the configuration the
// host holds, where a value that changed stays marked for a few seconds.

import { getJson, send } from './api.js';

const CHANGE_MARK_MS = 4000;
const NOTICE_MS = 6000;
// The side panel follows the screen, but a fast typist's screens need not
// each fetch it again.
const MIN_INTERVAL_MS = 150;

let lastSeq = 0;
let refreshing = null;
let again = false;
let lastRefresh = -Infinity;
let refreshTimer = null;

export function refreshSidePanel() {
  if (refreshing) {
    again = true;
    return;
  }
  const wait = lastRefresh + MIN_INTERVAL_MS - performance.now();
  if (wait > 0) {
    refreshTimer = refreshTimer || setTimeout(() => { refreshTimer = null; refreshSidePanel(); }, wait);
    return;
  }
  lastRefresh = performance.now();
  refreshing = (async () => {
    try {
      const [requests, config] = await Promise.all([
        getJson(`/api/requests?after=${lastSeq}`),
        getJson('/api/config'),
      ]);
      addRequests(requests);
      showConfig(config);
      showLanguage(config.language);
    } catch (e) {
      // The screen loop reports a lost connection.
    } finally {
      refreshing = null;
      if (again) {
        again = false;
        refreshSidePanel();
      }
    }
  })();
}

// A simulator started again numbers its requests afresh: the side panel
// starts over with it.
export function restartSidePanel() {
  lastSeq = 0;
  document.getElementById('requests').replaceChildren();
  shape = '';
  values.clear();
  refreshSidePanel();
}

// The language switch: the dialog opens again in the language chosen. The
// host refuses while a popup or sub-dialog is open, which must be answered first.
for (const button of document.querySelectorAll('.language button')) {
  button.addEventListener('click', async () => {
    const note = document.getElementById('language-note');
    note.textContent = '';
    try {
      const answer = await send('language', { language: button.dataset.language });
      showLanguage(answer.language);
    } catch (e) {
      note.textContent = e.status === 409 ? '開いている画面を閉じてから切り替えてください' : e.message;
    }
  });
}

function showLanguage(language) {
  for (const button of document.querySelectorAll('.language button'))
    button.setAttribute('aria-pressed', String(button.dataset.language === language));
}

function addRequests(requests) {
  const list = document.getElementById('requests');
  for (const request of requests) {
    if (request.seq <= lastSeq) continue;
    lastSeq = request.seq;
    const item = document.createElement('li');
    item.className = 'fresh';
    item.value = request.seq;
    item.dataset.seq = request.seq;
    const name = document.createElement('span');
    name.className = 'name';
    name.textContent = request.name;
    item.appendChild(name);
    item.appendChild(document.createElement('br'));
    for (const [key, value] of Object.entries(request.fields || {})) {
      const field = document.createElement('span');
      field.className = 'field';
      const label = document.createElement('b');
      label.textContent = key + '=';
      field.append(label, document.createTextNode(value));
      item.appendChild(field);
    }
    list.prepend(item);
    if (request.fields && request.fields.host) notify(request.name, request.fields.host);
  }
  while (list.children.length > 500) list.lastElementChild.remove();
  document.getElementById('request-count').textContent = lastSeq ? `(${lastSeq})` : '';
}

// "wrote D:\out\001.FSD" or "refused: ..." for a few seconds beside the panel.
function notify(requestName, outcome) {
  const notice = document.createElement('div');
  notice.className = 'notice' + (outcome.startsWith('refused') ? ' refused' : '');
  notice.title = requestName;
  notice.textContent = outcome;
  document.getElementById('notices').appendChild(notice);
  setTimeout(() => notice.remove(), NOTICE_MS);
}

// The configuration as shown: each value's row and text by "section.key"
// (plain values by key), and the marks of values that changed lately.
let shape = '';
const values = new Map();
const rows = new Map();
const marks = new Map();

// Plain values first, then the blocks and objects: [section or '', key, text].
function entriesOf(config) {
  const plain = [];
  const blocks = [];
  for (const [section, value] of Object.entries(config)) {
    if (value !== null && typeof value === 'object')
      for (const [key, field] of Object.entries(value)) blocks.push([section, key, String(field)]);
    else plain.push(['', section, String(value)]);
  }
  return plain.concat(blocks);
}

function showConfig(config) {
  const entries = entriesOf(config);
  const newShape = entries.map(([section, key]) => `${section}.${key}`).join('\n');
  if (newShape !== shape) {
    const first = !shape;
    shape = newShape;
    build(entries, first);
  }
  for (const [section, key, text] of entries) {
    const id = section ? `${section}.${key}` : key;
    if (values.get(id) === text) continue;
    rows.get(id).lastElementChild.textContent = text;
    if (values.has(id)) mark(id);
    values.set(id, text);
  }
}

function mark(id) {
  rows.get(id).classList.add('changed');
  clearTimeout(marks.get(id));
  marks.set(id, setTimeout(() => {
    marks.delete(id);
    if (rows.has(id)) rows.get(id).classList.remove('changed');
  }, CHANGE_MARK_MS));
}

// Builds the rows (without their values), keeping the sections the reader
// opened and the marks still running.
function build(entries, first) {
  const root = document.getElementById('config');
  const open = new Set([...root.querySelectorAll('details[open]')].map((d) => d.dataset.section));
  const fragment = document.createDocumentFragment();
  const sections = new Map();
  rows.clear();
  for (const [section, key] of entries) {
    let parent = fragment;
    if (section) {
      if (!sections.has(section)) {
        const details = document.createElement('details');
        details.dataset.section = section;
        details.open = open.has(section) || (first && section !== 'sysrec1' && section !== 'sysrec2');
        const summary = document.createElement('summary');
        summary.textContent = section;
        details.appendChild(summary);
        fragment.appendChild(details);
        sections.set(section, details);
      }
      parent = sections.get(section);
    }
    const id = section ? `${section}.${key}` : key;
    const line = document.createElement('div');
    line.className = 'row' + (marks.has(id) ? ' changed' : '');
    line.dataset.key = id;
    const name = document.createElement('span');
    name.className = 'key';
    name.textContent = key;
    const shown = document.createElement('span');
    shown.className = 'value';
    shown.textContent = values.get(id) ?? '';
    line.append(name, shown);
    parent.appendChild(line);
    rows.set(id, line);
  }
  root.replaceChildren(fragment);
}
