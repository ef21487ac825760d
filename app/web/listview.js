// A list view or list box drawn with virtual scrolling: the viewport holds a
// spacer as tall as every row together and only the rows in view (plus a
// margin) exist as elements, so 100,000 rows scroll as smoothly as ten.
// The scroll position of each list survives redraws of the screen.

const DEFAULT_ROW_HEIGHT = 18;
const MARGIN_ROWS = 8;
const scrollPositions = new Map();   // list key -> { top, serverTop }

export function drawList(element, control, key, onRow, onColumn) {
  const columns = control.columns || [];
  const rows = control.rows || [];
  const selected = new Set(control.selectedRows || []);
  const widths = control.columnWidths && control.columnWidths.length === columns.length
    ? control.columnWidths : columnWidths(columns, control.rect[2]);
  const ROW_HEIGHT = control.rowHeight > 0 ? control.rowHeight : DEFAULT_ROW_HEIGHT;

  if (columns.length) {
    const header = document.createElement('div');
    header.className = 'header';
    columns.forEach((text, index) => {
      const cell = document.createElement('div');
      cell.className = 'col';
      cell.style.width = widths[index] + 'px';
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
  spacer.style.height = rows.length * ROW_HEIGHT + 'px';
  viewport.appendChild(spacer);
  element.appendChild(viewport);

  let drawnFirst = -1;
  let drawnLast = -1;
  function drawVisible() {
    const height = viewport.clientHeight || control.rect[3];
    const first = Math.max(0, Math.floor(viewport.scrollTop / ROW_HEIGHT) - MARGIN_ROWS);
    const last = Math.min(rows.length, Math.ceil((viewport.scrollTop + height) / ROW_HEIGHT) + MARGIN_ROWS);
    if (first === drawnFirst && last === drawnLast) return;
    drawnFirst = first;
    drawnLast = last;
    const fragment = document.createDocumentFragment();
    for (let index = first; index < last; index++) {
      const row = document.createElement('div');
      row.className = 'row' + (selected.has(index) ? ' selected' : '');
      row.style.top = index * ROW_HEIGHT + 'px';
      row.style.height = ROW_HEIGHT + 'px';
      row.dataset.row = index;
      const cells = rows[index] || [];
      const count = Math.max(columns.length, 1);
      for (let c = 0; c < count; c++) {
        const cell = document.createElement('div');
        cell.className = 'cell';
        cell.style.width = (columns.length ? widths[c] : control.rect[2] - 4) + 'px';
        cell.textContent = cells[c] !== undefined ? cells[c] : '';
        row.appendChild(cell);
      }
      fragment.appendChild(row);
    }
    spacer.replaceChildren(fragment);
  }

  let pending = false;
  viewport.addEventListener('scroll', () => {
    const kept = scrollPositions.get(key) || {};
    scrollPositions.set(key, Object.assign(kept, { top: viewport.scrollTop }));
    if (pending) return;
    pending = true;
    requestAnimationFrame(() => { pending = false; drawVisible(); });
  }, { passive: true });
  spacer.addEventListener('click', (event) => {
    const row = event.target.closest('.row');
    if (row) onRow(Number(row.dataset.row), false);
  });
  spacer.addEventListener('dblclick', (event) => {
    const row = event.target.closest('.row');
    if (row) onRow(Number(row.dataset.row), true);
  });

  // Keep the operator's scroll position; follow the instrument when it
  // scrolled the list itself (a row brought into view).
  const kept = scrollPositions.get(key);
  let top = kept ? kept.top : 0;
  if (control.topRow !== undefined && (!kept || kept.serverTop !== control.topRow)) {
    const wanted = control.topRow * ROW_HEIGHT;
    if (!kept || wanted < kept.top || wanted >= kept.top + control.rect[3] - ROW_HEIGHT * 2) top = wanted;
  }
  scrollPositions.set(key, { top, serverTop: control.topRow });
  // The viewport has its size only once it is in the document.
  requestAnimationFrame(() => {
    viewport.scrollTop = top;
    drawVisible();
  });
  drawVisible();
}

// The screen does not carry column widths: share the width by the length of
// each header (a name column gets room for longer texts).
function columnWidths(columns, width) {
  if (!columns.length) return [];
  const weights = columns.map((text, index) => Math.max(3, String(text).length) + (index === 0 ? 4 : 0));
  const total = weights.reduce((sum, weight) => sum + weight, 0);
  return weights.map((weight) => Math.floor(((width - 4) * weight) / total));
}
