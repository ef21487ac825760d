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

// Input calls are queued so that a quick series of taps and keys reaches
// the instrument in order, each after the previous one has been handled.
let queue = Promise.resolve();

export function send(route, body) {
  const call = queue.then(async () => {
    const response = await fetch('/api/' + route, {
      method: 'POST',
      headers: headers({ 'Content-Type': 'application/json' }),
      body: JSON.stringify(body),
    });
    return answer(response);
  });
  queue = call.catch(() => {});
  return call;
}

// Calls onScreen with every new screen until stopped; onState reports the
// connection ('ok', 'lost').
export function followScreen(onScreen, onState) {
  let version = 0;
  let stopped = false;
  let controller = null;
  async function loop() {
    while (!stopped) {
      controller = new AbortController();
      try {
        const path = version ? `/api/screen?after=${version}` : '/api/screen';
        const screen = await getJson(path, controller.signal);
        onState('ok');
        if (screen && screen.version > version) {
          version = screen.version;
          onScreen(screen);
        }
      } catch (e) {
        if (stopped) return;
        onState('lost', e);
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
