// The touch-panel API as the page uses it: the token (when the simulator
// needs one) travels in a header, input is sent one call at a time in the
// order the operator made it, and the screen is followed by long polling.

const token = new URLSearchParams(location.search).get('token') || '';

function headers(extra) {
  const all = Object.assign({}, extra);
  if (token) all['X-Sysdlg-Token'] = token;
  return all;
}

export class ApiError extends Error {
  constructor(status, message) {
    super(message);
    this.status = status;
  }
}

async function answer(response) {
  let body = null;
  try {
    body = await response.json();
  } catch (e) {
    body = null;
  }
  if (!response.ok) throw new ApiError(response.status, (body && body.error) || response.statusText);
  return body;
}

export async function getJson(path, signal) {
  const response = await fetch(path, { headers: headers(), cache: 'no-store', signal });
  return answer(response);
}

// Input reaches the instrument one call at a time, in the order the operator
// made it. While a call is in flight the next ones wait, and a fast typist's
// input is gathered there: typed text joins the text waiting for the same
// window, and a repeated editing key (Backspace, Delete, the arrows) the same
// key, so twenty quick characters cost a call or two rather than twenty.
const REPEATABLE_KEYS = new Set([8, 37, 38, 39, 40, 46]);
const MAX_TEXT = 1000;
const waiting = [];
let inFlight = false;

function joins(last, route, body) {
  if (last.route !== route || last.body.hwnd !== body.hwnd) return false;
  if (route === 'type' && last.body.text.length + body.text.length <= MAX_TEXT) {
    last.body.text += body.text;
    return true;
  }
  if (route === 'key' && last.body.vk === body.vk && REPEATABLE_KEYS.has(body.vk) && (last.body.repeat || 1) < 100) {
    last.body.repeat = (last.body.repeat || 1) + 1;
    return true;
  }
  return false;
}

async function sendWaiting() {
  if (inFlight || !waiting.length) return;
  inFlight = true;
  const { route, body, callers } = waiting.shift();
  try {
    const response = await fetch('/api/' + route, {
      method: 'POST',
      headers: headers({ 'Content-Type': 'application/json' }),
      body: JSON.stringify(body),
    });
    const result = await answer(response);
    callers.forEach(({ resolve }) => resolve(result));
  } catch (e) {
    callers.forEach(({ reject }) => reject(e));
  } finally {
    inFlight = false;
    sendWaiting();
  }
}

// Answers the instrument's answer to the call that carried this input.
export function send(route, body) {
  return new Promise((resolve, reject) => {
    const last = waiting[waiting.length - 1];
    if (last && joins(last, route, body)) {
      last.callers.push({ resolve, reject });
    } else {
      waiting.push({ route, body: Object.assign({}, body), callers: [{ resolve, reject }] });
    }
    sendWaiting();
  });
}

// Calls onScreen with every new screen until stopped. onState reports the
// connection: 'ok', 'lost' (no answer; asked again every second) or 'ended'
// (the simulator said it is ending). A simulator found again may be a new
// one whose screens count from 1 again: after 'lost' or 'ended', the next
// screen is taken whatever its version.
export function followScreen(onScreen, onState) {
  let version = 0;
  let stopped = false;
  let controller = null;
  async function loop() {
    while (!stopped) {
      controller = new AbortController();
      let state = 'ok';
      try {
        const path = version ? `/api/screen?after=${version}` : '/api/screen';
        const screen = await getJson(path, controller.signal);
        if (screen && screen.ended) {
          state = 'ended';
        } else if (screen && screen.version > version) {
          onState('ok');
          version = screen.version;
          onScreen(screen);
        } else {
          onState('ok');
        }
      } catch (e) {
        if (stopped) return;
        state = 'lost';
      }
      if (state !== 'ok') {
        version = 0;
        onState(state);
        await new Promise((resolve) => setTimeout(resolve, 1000));
      }
    }
  }
  loop();
  return {
    // A screen that arrived with an input answer counts as seen.
    seen(v) { if (v > version) version = v; },
    stop() { stopped = true; if (controller) controller.abort(); },
  };
}
