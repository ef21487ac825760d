// The host's side: the requests the dialog sent (newest first) and the
// configuration the host holds, with the values that changed marked.

import { getJson } from './api.js';

let lastSeq = 0;
let previousConfig = null;
let refreshing = null;
let again = false;

export function refreshSidePanel() {
  if (refreshing) {
    again = true;
    return refreshing;
  }
  refreshing = (async () => {
    try {
      const [requests, config] = await Promise.all([
        getJson(`/api/requests?after=${lastSeq}`),
        getJson('/api/config'),
      ]);
      addRequests(requests);
      showConfig(config);
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
  return refreshing;
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
  }
  while (list.children.length > 500) list.lastElementChild.remove();
  document.getElementById('request-count').textContent = lastSeq ? `(${lastSeq})` : '';
}

function showConfig(config) {
  const root = document.getElementById('config');
  const open = new Set([...root.querySelectorAll('details[open]')].map((d) => d.dataset.section));
  const fragment = document.createDocumentFragment();
  // Plain values first, then the blocks and objects.
  const entries = Object.entries(config).sort(([, a], [, b]) => (typeof a === 'object') - (typeof b === 'object'));
  for (const [section, value] of entries) {
    if (value !== null && typeof value === 'object') {
      const details = document.createElement('details');
      details.dataset.section = section;
      if (open.has(section) || (!previousConfig && section !== 'sysrec1' && section !== 'sysrec2')) details.open = true;
      const summary = document.createElement('summary');
      summary.textContent = section;
      details.appendChild(summary);
      for (const [key, field] of Object.entries(value))
        details.appendChild(row(key, field, previousConfig && previousConfig[section] && previousConfig[section][key]));
      fragment.appendChild(details);
    } else {
      fragment.appendChild(row(section, value, previousConfig && previousConfig[section]));
    }
  }
  root.replaceChildren(fragment);
  previousConfig = config;
}

function row(key, value, before) {
  const line = document.createElement('div');
  line.className = 'row';
  if (previousConfig && before !== value) line.classList.add('changed');
  const name = document.createElement('span');
  name.className = 'key';
  name.textContent = key;
  const shown = document.createElement('span');
  shown.className = 'value';
  shown.textContent = String(value);
  line.append(name, shown);
  return line;
}
