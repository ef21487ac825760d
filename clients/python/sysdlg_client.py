"""Operate the instrument simulator's touch panel from a script.

The client speaks the simulator's HTTP API (standard library only): it reads
the screen, finds windows and controls by their texts, taps, types and
presses keys as an operator does, waits for windows, and reads what the host
received (the request log) and holds (the configuration).

    from sysdlg_client import Client
    panel = Client("http://127.0.0.1:8080")
    panel.choose_tab("通信設定")
    panel.tap(panel.find("LAN設定変更"))
    lan = panel.wait_for_window("LAN設定")
"""

import json
import socket
import time
import urllib.error
import urllib.parse
import urllib.request

# Windows virtual-key codes of the keys the panel's windows act on.
KEYS = {
    "backspace": 8, "enter": 13, "escape": 27, "space": 32, "end": 35, "home": 36,
    "left": 37, "up": 38, "right": 39, "down": 40, "delete": 46,
}


class ApiError(Exception):
    """The simulator refused a call: `status` is the HTTP status."""

    def __init__(self, status, message):
        super().__init__(f"{status}: {message}")
        self.status = status
        self.message = message


class NotFound(LookupError):
    """No window or control matches, or more than one does."""


def _same_text(shown, wanted):
    # Multi-line captions ("設定値保存・読み出し\n(My設定)") are found by
    # their words, whatever breaks the lines.
    return " ".join(str(shown).split()) == " ".join(str(wanted).split())


class Control:
    """A control as the screen shows it; `data` is its screen JSON."""

    def __init__(self, window, data):
        self.window = window
        self.data = data

    def __getattr__(self, name):
        try:
            return self.data[name]
        except KeyError:
            raise AttributeError(name) from None

    @property
    def kind(self):
        return self.data.get("class", "")

    def __repr__(self):
        return f"<{self.kind} {self.data.get('id')} {self.data.get('text', '')!r} in {self.window.caption!r}>"


class Window:
    """A top-level window (a dialog) with the controls of its shown pages."""

    def __init__(self, data, top=None):
        self.data = data
        self.hwnd = data["hwnd"]
        self.caption = data.get("caption", "")
        self.template = data.get("template")
        self.modal = data.get("modal", False)
        self.enabled = data.get("enabled", False)
        # Taps on a page's controls are addressed to the top-level window.
        self.top = top or self

    def controls(self):
        """Every visible control, those of the shown tab page included."""
        found = [Control(self, c) for c in self.data.get("controls", []) if c.get("visible")]
        for child in self.data.get("children", []):
            if child.get("visible"):
                found.extend(Window(child, self.top).controls())
        return found

    def find_all(self, text=None, kind=None):
        return [c for c in self.controls()
                if (kind is None or c.kind == kind) and (text is None or _same_text(c.data.get("text", ""), text))]

    def find(self, text=None, kind=None):
        """The one control with this text (and class); NotFound otherwise."""
        found = self.find_all(text, kind)
        if len(found) != 1:
            what = f"{kind or 'control'} {text!r}"
            raise NotFound(f"{len(found)} of {what} in window {self.caption!r}")
        return found[0]

    def beside(self, label, kind="hand"):
        """The control of class `kind` on the line that the static `label` starts."""
        static = self.find(label, "static")
        x, y, w, h = static.data["rect"]
        middle = y + h / 2
        on_line = [c for c in self.find_all(kind=kind)
                   if c.data["rect"][0] >= x + w and abs(c.data["rect"][1] + c.data["rect"][3] / 2 - middle) <= h]
        if not on_line:
            raise NotFound(f"no {kind} beside {label!r} in window {self.caption!r}")
        return min(on_line, key=lambda c: c.data["rect"][0])

    def tabs(self):
        """The tab control (there is at most one per dialog)."""
        return self.find(kind="tab")


class Screen:
    def __init__(self, data):
        self.data = data
        self.version = data.get("version", 0)
        self.ended = bool(data.get("ended"))
        self.windows = [Window(w) for w in data.get("windows", [])]

    @property
    def front(self):
        """The window that takes the operator's input, or None."""
        return next((w for w in self.windows if w.data.get("visible") and w.enabled), None)

    def window(self, caption):
        return next((w for w in self.windows if _same_text(w.caption, caption)), None)


class Client:
    """One simulator, at `base_url` (e.g. "http://127.0.0.1:8080").

    `token` is the API token the simulator prints when it listens on an
    address other than a loopback one."""

    def __init__(self, base_url, token=None, timeout=10.0, retries=5):
        self.base_url = base_url.rstrip("/")
        self.token = token
        self.timeout = timeout
        self.retries = retries

    # -- HTTP ---------------------------------------------------------------

    def _call(self, method, route, body=None, timeout=None):
        data = None if body is None else json.dumps(body).encode("utf-8")
        headers = {"Accept": "application/json"}
        if data is not None:
            headers["Content-Type"] = "application/json"
        if self.token:
            headers["Authorization"] = f"Bearer {self.token}"
        request = urllib.request.Request(self.base_url + route, data=data, headers=headers, method=method)
        try:
            with urllib.request.urlopen(request, timeout=timeout or self.timeout) as response:
                return response.status, json.loads(response.read().decode("utf-8"))
        except urllib.error.HTTPError as error:
            try:
                message = json.loads(error.read().decode("utf-8")).get("error", error.reason)
            except (ValueError, AttributeError):
                message = error.reason
            raise ApiError(error.code, message) from None

    def get(self, route, timeout=None):
        return self._call("GET", route, timeout=timeout)[1]

    def _input(self, route, body):
        # 503: the instrument did not take the input, so it is sent again;
        # 202: it took it and is still at work, and the screen that shows the
        # outcome comes with a later version.
        for attempt in range(self.retries + 1):
            try:
                status, answer = self._call("POST", "/api/" + route, body)
            except ApiError as error:
                if error.status != 503 or attempt == self.retries:
                    raise
                time.sleep(0.2 * (attempt + 1))
                continue
            if status == 202 and answer.get("busy"):
                return self.screen(after=answer["version"])
            return Screen(answer)
        raise AssertionError("unreachable")

    # -- reading ------------------------------------------------------------

    # The simulator answers a long poll after at most 25 s.
    LONG_POLL = 25.0

    def screen(self, after=None, wait=None):
        """The screen; with `after`, the first one newer than that version.
        That waits up to `wait` seconds (at most the simulator's long-poll
        limit) and raises TimeoutError when nothing changed by then."""
        if after is None:
            return Screen(self.get("/api/screen"))
        wait = self.LONG_POLL if wait is None else max(0.05, min(wait, self.LONG_POLL))
        try:
            return Screen(self.get(f"/api/screen?after={int(after)}", timeout=wait + 5 if wait >= self.LONG_POLL else wait))
        except urllib.error.URLError as error:
            if isinstance(error.reason, socket.timeout):
                raise TimeoutError(f"no new screen after {wait} s") from None
            raise

    def requests(self, after=None):
        """The host's request log: [{"seq", "kind", "name", "fields"}]."""
        return self.get("/api/requests" if after is None else f"/api/requests?after={int(after)}")

    def config(self):
        """The configuration the host holds."""
        return self.get("/api/config")

    def front(self):
        window = self.screen().front
        if window is None:
            raise NotFound("no window takes input")
        return window

    def find(self, text=None, kind=None, window=None):
        """A control of the window in front (or of the window with caption
        `window`) by its text and class ("button", "checkbox", "pushswitch",
        "hand", "jog", "edit", "listview", ...)."""
        return self._window(window).find(text, kind)

    def _window(self, caption):
        if caption is None:
            return self.front()
        found = self.screen().window(caption)
        if found is None:
            raise NotFound(f"no window {caption!r}")
        return found

    # -- acting -------------------------------------------------------------

    def tap(self, control, **part):
        """Taps a control; `part` names a part: row=, column=, tab=, item=,
        ext=, x= and y=, double=True."""
        return self._input("tap", dict({"hwnd": control.window.top.hwnd, "id": control.data["id"]}, **part))

    def tap_text(self, text, kind=None, window=None, **part):
        return self.tap(self.find(text, kind, window), **part)

    def choose_tab(self, text, window=None):
        """Shows the tab page whose tab reads `text`."""
        tabs = self._window(window).tabs()
        names = tabs.data.get("tabs", [])
        matches = [i for i, name in enumerate(names) if _same_text(name, text)]
        if not matches:
            raise NotFound(f"no tab {text!r} among {names}")
        if tabs.data.get("current") == matches[0]:
            return self.screen()
        return self.tap(tabs, tab=matches[0])

    def type_text(self, text, window=None):
        """Types into the entry of the soft keyboard or number pad in front."""
        return self._input("type", {"hwnd": self._window(window).hwnd, "text": text})

    def press_key(self, key, window=None, repeat=1):
        """Presses a key ("enter", "escape", "backspace", ... or a virtual-key
        code) in the window in front, `repeat` times."""
        vk = KEYS[key.lower()] if isinstance(key, str) else int(key)
        body = {"hwnd": self._window(window).hwnd, "vk": vk}
        if repeat != 1:
            body["repeat"] = repeat
        return self._input("key", body)

    def wait_for_window(self, caption, timeout=10.0, front=True):
        """Waits until a window with this caption is shown (in front, unless
        `front` is False) and answers it; TimeoutError after `timeout` s."""
        return self._wait(lambda screen: self._shown(screen, caption, front), timeout, f"window {caption!r}")

    def wait_until_closed(self, caption, timeout=10.0):
        self._wait(lambda screen: screen.window(caption) is None or None, timeout, f"{caption!r} to close")

    @staticmethod
    def _shown(screen, caption, front):
        window = screen.front if front else screen.window(caption)
        return window if window is not None and _same_text(window.caption, caption) else None

    def _wait(self, found, timeout, what):
        deadline = time.monotonic() + timeout
        screen = self.screen()
        while True:
            result = found(screen)
            if result is not None:
                return result
            if screen.ended:
                raise ApiError(503, f"the simulator ended while waiting for {what}")
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise TimeoutError(f"no {what} after {timeout} s")
            try:
                screen = self.screen(after=screen.version, wait=remaining)
            except TimeoutError:
                pass
