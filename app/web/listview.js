// A list view or list box drawn with virtual scrolling: the viewport holds a
// spacer as tall as every row together and only the rows in view (plus a
// margin) exist as elements, so 100,000 rows scroll as smoothly as ten.
//
// The screen brings only the rows the instrument has in view. The others
// are fetched as the operator scrolls, a block at a time, and kept until the
// list changes; until a fetched block arrives a row shows what it showed
// before (or nothing). The scroll position and the kept rows of each list
// survive redraws of the screen.
//
// For assistive technology a list view is a grid of rows and a list box a
// list box of options. From the keyboard the list is one stop in the tab
// order: the arrows, Page Up/Down, Home and End move a cursor over the rows,
// Space taps the row at the cursor and Enter taps it twice (opens it). The
// cursor itself taps nothing: a tap on a row of the file list adds it to the
// selection, and on a list of texts opens its entry.

import { onKeys } from './operable.js';

const DEFAULT_ROW_HEIGHT = 18;
const HEADER_HEIGHT = 20;
const MARGIN_ROWS = 8;
const PREFETCH_ROWS = 40;
const MAX_FETCH = 1000;
const MAX_KEPT = 20000;
const RETRY_MS = 1000;

// list key -> { signature, epoch, rows: Map(index -> {cells, selected, epoch}),
//               top, serverTop, loading, redraw }
const lists = new Map();

function listState(key) {
  let state = lists.get(key);
  if (!state) {
    state = {
      signature: '', epoch: 0, rows: new Map(), top: 0, serverTop: undefined, loading: false, redraw: null, cursor: -1,
    };
    lists.set(key, state);
  }
  return state;
}

// Takes in what the instrument sent: rows from `firstRow`, and which of
// them are selected. A list whose description changed starts a new epoch:
// its kept rows still show until their fresh texts arrive.
function keepRows(state, answer, epoch) {
  const selected = new Set(answer.selectedRows || []);
  (answer.rows || []).forEach((cells, offset) => {
    const index = answer.firstRow + offset;
    state.rows.set(index, { cells, selected: selected.has(index), epoch });
  });
}

// fetchRows(from, count) answers {firstRow, rowCount, rows, selectedRows}.
export function drawList(element, control, key, onRow, onColumn, fetchRows) {
  const columns = control.columns || [];
  const rowCount = control.rowCount !== undefined ? control.rowCount : (control.rows || []).length;
  const widths = control.columnWidths && control.columnWidths.length === columns.length
    ? control.columnWidths : columnWidths(columns, control.rect[2]);
  const ROW_HEIGHT = control.rowHeight > 0 ? control.rowHeight : DEFAULT_ROW_HEIGHT;
  // Each column's alignment, as the instrument set it (sizes on the right).
  const aligns = String(control.columnFormats || '').split(',');

  const state = listState(key);
  const signature = JSON.stringify(control);
  const fresh = signature !== state.signature;
  if (fresh) {
    state.signature = signature;
    state.epoch++;
    keepRows(state, { firstRow: control.firstRow || 0, rows: control.rows, selectedRows: control.selectedRows },
      state.epoch);
    if (state.cursor < 0 || state.cursor >= rowCount) state.cursor = (control.selectedRows || [-1])[0] ?? -1;
  }
  const grid = columns.length > 0;
  const rowId = (index) => `list-${key.replace(/:/g, '-')}-row-${index}`;
  element.setAttribute('role', grid ? 'grid' : 'listbox');
  if (grid) element.setAttribute('aria-rowcount', rowCount + 1);
  element.dataset.focusKey = key;
  element.tabIndex = control.enabled ? 0 : -1;
  if (!control.enabled) element.setAttribute('aria-disabled', 'true');

  if (columns.length) {
    const header = document.createElement('div');
    header.className = 'header';
    header.setAttribute('role', 'row');
    header.setAttribute('aria-rowindex', 1);
    columns.forEach((text, index) => {
      const cell = document.createElement('div');
      cell.className = 'col';
      cell.setAttribute('role', 'columnheader');
      cell.style.width = widths[index] + 'px';
      cell.style.textAlign = aligns[index] || 'left';
      cell.textContent = text;
      cell.dataset.column = index;
      cell.addEventListener('click', (event) => { event.stopPropagation(); onColumn(index); });
      header.appendChild(cell);
    });
    element.appendChild(header);
  }

  const viewport = document.createElement('div');
  viewport.className = 'viewport';
  const spacer = document.createElement('div');
  spacer.className = 'spacer';
  spacer.style.height = rowCount * ROW_HEIGHT + 'px';
  viewport.appendChild(spacer);
  element.appendChild(viewport);
  element.dataset.rowCount = rowCount;

  const viewHeight = () => viewport.clientHeight || control.rect[3] - (columns.length ? HEADER_HEIGHT : 0);

  // Asks for the rows around the view that are missing or from an older
  // epoch; one request at a time, the next one after it arrives.
  function fetchMissing(first, last) {
    if (state.loading || !fetchRows) return;
    let missing = false;
    for (let index = first; index < last && !missing; index++) {
      const row = state.rows.get(index);
      missing = !row || row.epoch !== state.epoch;
    }
    if (!missing) return;
    const from = Math.max(0, first - PREFETCH_ROWS);
    const count = Math.min(MAX_FETCH, Math.min(rowCount, last + PREFETCH_ROWS) - from);
    if (count <= 0) return;
    const epoch = state.epoch;
    state.loading = true;
    let answered = false;
    fetchRows(from, count).then((answer) => {
      answered = true;
      if (epoch !== state.epoch) return;  // the list changed meanwhile: these texts are stale
      if (state.rows.size > MAX_KEPT) state.rows.clear();
      keepRows(state, answer, epoch);
    }).catch(() => {}).finally(() => {
      state.loading = false;
      // A busy or lost instrument is asked again a little later, not at once.
      setTimeout(() => { if (state.redraw) state.redraw(true); }, answered ? 0 : RETRY_MS);
    });
  }

  let drawnFirst = -1;
  let drawnLast = -1;
  let shown = false;
  function drawVisible(force) {
    // A list taken off the panel by a newer screen draws (and fetches) no more.
    if (viewport.isConnected) shown = true;
    else if (shown) return;
    const height = viewHeight();
    // Until the viewport is in the document it cannot scroll: draw where it will be.
    const top = viewport.isConnected ? viewport.scrollTop : state.top;
    const first = Math.max(0, Math.floor(top / ROW_HEIGHT) - MARGIN_ROWS);
    const last = Math.min(rowCount, Math.ceil((top + height) / ROW_HEIGHT) + MARGIN_ROWS);
    if (!force && first === drawnFirst && last === drawnLast) return;
    drawnFirst = first;
    drawnLast = last;
    const count = Math.max(columns.length, 1);
    const fragment = document.createDocumentFragment();
    for (let index = first; index < last; index++) {
      const kept = state.rows.get(index);
      const cells = kept ? kept.cells : [];
      const row = document.createElement('div');
      row.className = 'row' + (kept && kept.selected ? ' selected' : '') + (kept ? '' : ' pending')
        + (index === state.cursor ? ' cursor' : '');
      row.style.top = index * ROW_HEIGHT + 'px';
      row.style.height = ROW_HEIGHT + 'px';
      row.dataset.row = index;
      row.id = rowId(index);
      row.setAttribute('role', grid ? 'row' : 'option');
      row.setAttribute('aria-selected', kept && kept.selected ? 'true' : 'false');
      if (grid) row.setAttribute('aria-rowindex', index + 2);
      else {
        row.setAttribute('aria-posinset', index + 1);
        row.setAttribute('aria-setsize', rowCount);
      }
      for (let c = 0; c < count; c++) {
        const cell = document.createElement('div');
        cell.className = 'cell';
        if (grid) cell.setAttribute('role', 'gridcell');
        cell.style.width = (columns.length ? widths[c] : control.rect[2] - 4) + 'px';
        cell.style.textAlign = aligns[c] || 'left';
        cell.textContent = cells[c] !== undefined ? cells[c] : '';
        row.appendChild(cell);
      }
      fragment.appendChild(row);
    }
    spacer.replaceChildren(fragment);
    if (state.cursor >= first && state.cursor < last) element.setAttribute('aria-activedescendant', rowId(state.cursor));
    else element.removeAttribute('aria-activedescendant');
    fetchMissing(first, last);
  }
  state.redraw = drawVisible;

  // Moves the cursor to the row and scrolls it into view.
  function moveTo(index) {
    if (!rowCount) return;
    const row = Math.max(0, Math.min(rowCount - 1, index));
    state.cursor = row;
    const height = viewHeight();
    if (row * ROW_HEIGHT < state.top) state.top = row * ROW_HEIGHT;
    else if ((row + 1) * ROW_HEIGHT > state.top + height) state.top = (row + 1) * ROW_HEIGHT - height;
    viewport.scrollTop = state.top;
    drawVisible(true);
  }
  const page = () => Math.max(1, Math.floor(viewHeight() / ROW_HEIGHT) - 1);
  onKeys(element, {
    ArrowDown: () => moveTo(state.cursor + 1),
    ArrowUp: () => moveTo(state.cursor < 0 ? 0 : state.cursor - 1),
    PageDown: () => moveTo(state.cursor + page()),
    PageUp: () => moveTo(state.cursor - page()),
    Home: () => moveTo(0),
    End: () => moveTo(rowCount - 1),
    ' ': () => (state.cursor >= 0 ? onRow(state.cursor, false) : moveTo(0)),
    Enter: () => (state.cursor >= 0 ? onRow(state.cursor, true) : false),
  });

  let pending = false;
  viewport.addEventListener('scroll', () => {
    state.top = viewport.scrollTop;
    if (pending) return;
    pending = true;
    requestAnimationFrame(() => { pending = false; drawVisible(false); });
  }, { passive: true });
  spacer.addEventListener('click', (event) => {
    const row = event.target.closest('.row');
    if (!row) return;
    state.cursor = Number(row.dataset.row);
    onRow(state.cursor, false);
  });
  spacer.addEventListener('dblclick', (event) => {
    const row = event.target.closest('.row');
    if (row) onRow(Number(row.dataset.row), true);
  });

  // Keep the operator's scroll position; follow the instrument when it
  // scrolled to rows the panel does not show (a new folder, a row brought
  // into view from elsewhere).
  if (control.topRow !== undefined && state.serverTop !== control.topRow) {
    const shown = Math.max(1, Math.floor(viewHeight() / ROW_HEIGHT));
    const shownFirst = Math.floor(state.top / ROW_HEIGHT);
    const apart = control.topRow + shown <= shownFirst || control.topRow >= shownFirst + shown;
    if (state.serverTop === undefined || apart) state.top = control.topRow * ROW_HEIGHT;
    state.serverTop = control.topRow;
  }
  // The viewport has its size only once it is in the document.
  requestAnimationFrame(() => {
    viewport.scrollTop = state.top;
    drawVisible(true);
  });
  drawVisible(true);
}

// Forgets the lists of windows that are gone (a dialog closed or reopened).
export function forgetListsExcept(windowHandles) {
  for (const key of lists.keys())
    if (!windowHandles.has(Number(key.split(':')[0]))) lists.delete(key);
}

// The screen does not carry column widths: share the width by the length of
// each header (a name column gets room for longer texts).
function columnWidths(columns, width) {
  if (!columns.length) return [];
  const weights = columns.map((text, index) => Math.max(3, String(text).length) + (index === 0 ? 4 : 0));
  const total = weights.reduce((sum, weight) => sum + weight, 0);
  return weights.map((weight) => Math.floor(((width - 4) * weight) / total));
}
