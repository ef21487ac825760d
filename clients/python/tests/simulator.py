"""Starts the instrument simulator for a test: a fresh temporary data root, a
free port (the simulator prints the one it got), and a clean end."""

import os
import shutil
import subprocess
import tempfile
import threading

HERE = os.path.dirname(os.path.abspath(__file__))


def simulator_binary():
    # A binary that was named must be the one tested: no quiet fallback.
    path = os.environ.get("SYSDLG_SIM") or os.path.join(HERE, "..", "..", "..", "build", "app", "sysdlg-sim")
    if not os.path.isfile(path):
        raise FileNotFoundError(f"no simulator at {path} (set SYSDLG_SIM)")
    return path


class Simulator:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="sysdlg-py-")
        self.process = subprocess.Popen([simulator_binary(), "--root", self.root, "--port", "0"],
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        # A simulator that prints no port in time is ended; its output then ends too.
        timer = threading.Timer(20, self.process.kill)
        timer.start()
        lines = iter(self.process.stdout.readline, "")
        port = next((line.split()[1] for line in lines if line.startswith("port: ")), None)
        timer.cancel()
        if port is None:
            self.stop()
            raise RuntimeError("the simulator printed no port")
        self.base = f"http://127.0.0.1:{port}"
        # Its later output is read, so that it never blocks on a full pipe.
        self.drain = threading.Thread(target=self.process.stdout.read, daemon=True)
        self.drain.start()

    def stop(self):
        """Ends the simulator (SIGTERM) and removes its root; its exit status."""
        self.process.terminate()
        try:
            self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        if hasattr(self, "drain"):
            self.drain.join(5)
        self.process.stdout.close()
        shutil.rmtree(self.root, ignore_errors=True)
        return self.process.returncode
