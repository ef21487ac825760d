"""Starts the instrument simulator for a test: a fresh temporary data root, a
free port (the simulator prints the one it got), and a clean end."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading

HERE = os.path.dirname(os.path.abspath(__file__))
PROJECT = os.path.normpath(os.path.join(HERE, "..", "..", ".."))


def simulator_binary():
    # A binary that was named must be the one tested: no quiet fallback.
    named = os.environ.get("SYSDLG_SIM")
    if named:
        if not os.path.isfile(named):
            raise FileNotFoundError(f"SYSDLG_SIM names no file: {named}")
        return named
    built = os.path.join(PROJECT, "build", "app", "sysdlg-sim")
    if not os.path.isfile(built):
        raise FileNotFoundError(f"sysdlg-sim not found (set SYSDLG_SIM); looked at {built}")
    return built


class Simulator:
    def __init__(self, *args):
        self.root = tempfile.mkdtemp(prefix="sysdlg-py-")
        self.process = subprocess.Popen(
            [simulator_binary(), "--root", self.root, "--port", "0", *args],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.port = self._read_port()
        self.base = f"http://127.0.0.1:{self.port}"

    def _read_port(self):
        found = {}

        def read():
            for line in self.process.stdout:
                match = re.match(r"^port: (\d+)$", line.strip())
                if match:
                    found["port"] = int(match.group(1))
                    return

        reader = threading.Thread(target=read, daemon=True)
        reader.start()
        reader.join(20)
        if "port" not in found:
            self.stop()
            raise RuntimeError("the simulator printed no port")
        # Keep draining its output so that it never blocks on a full pipe.
        self._drain = threading.Thread(target=lambda: [None for _ in self.process.stdout], daemon=True)
        self._drain.start()
        return found["port"]

    def stop(self):
        """Ends the simulator (SIGTERM) and removes its root; its exit status."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        drain = getattr(self, "_drain", None)
        if drain:
            drain.join(5)
        self.process.stdout.close()
        shutil.rmtree(self.root, ignore_errors=True)
        return self.process.returncode
