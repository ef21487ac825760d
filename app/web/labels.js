// The text that names a control which shows no name of its own (a jog, an
// entry field, a list, the "手" buttons): the templates put such a label as a
// static at the start of the control's line, else just above it, else the
// control sits in a group box whose legend says what it is.

const LINE_SLACK = 2;
const ABOVE_GAP = 8;

const flat = (text) => String(text || '').replace(/\s+/g, ' ').trim();
const right = (rect) => rect[0] + rect[2];
const bottom = (rect) => rect[1] + rect[3];
const middle = (rect) => rect[1] + rect[3] / 2;

function candidates(window, control, kind) {
  return (window.controls || []).filter((c) => c !== control && c.visible && c.class === kind && flat(c.text));
}

function besideOnLine(statics, rect) {
  const onLine = statics.filter((c) => right(c.rect) <= rect[0] + LINE_SLACK
    && Math.abs(middle(c.rect) - middle(rect)) <= Math.max(rect[3], c.rect[3]) / 2);
  // The line's first static is its label; the ones after it show values.
  onLine.sort((a, b) => a.rect[0] - b.rect[0]);
  return onLine[0];
}

function justAbove(statics, rect) {
  const above = statics.filter((c) => bottom(c.rect) <= rect[1] + LINE_SLACK && rect[1] - bottom(c.rect) <= ABOVE_GAP
    && c.rect[0] < right(rect) && right(c.rect) > rect[0]);
  above.sort((a, b) => bottom(b.rect) - bottom(a.rect));
  return above[0];
}

function enclosingGroup(groups, rect) {
  const around = groups.filter((c) => c.rect[0] <= rect[0] && c.rect[1] <= rect[1]
    && right(c.rect) >= right(rect) && bottom(c.rect) >= bottom(rect));
  around.sort((a, b) => a.rect[2] * a.rect[3] - b.rect[2] * b.rect[3]);
  return around[0];
}

// The label of `control` in `window` (its screen JSON), or '' when the
// window has none for it.
export function labelFor(window, control) {
  const statics = candidates(window, control, 'static');
  const found = besideOnLine(statics, control.rect) || justAbove(statics, control.rect)
    || enclosingGroup(candidates(window, control, 'groupbox'), control.rect);
  return found ? flat(found.text) : '';
}
