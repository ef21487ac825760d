"""The Python client and its example against a real simulator on a temporary
data root: what the host holds and heard afterwards, and how the client
reports what it cannot do."""

import json
import os
import subprocess
import sys
import unittest

from simulator import HERE, Simulator

sys.path.insert(0, os.path.join(HERE, ".."))

from sysdlg_client import ApiError, Client, Control, NotFound  # noqa: E402

EXAMPLE = os.path.join(HERE, "..", "examples", "setup_instrument.py")


class SimulatorTest(unittest.TestCase):
    def setUp(self):
        self.simulator = Simulator()
        self.panel = Client(self.simulator.base)

    def tearDown(self):
        self.assertEqual(self.simulator.stop(), 0, "the simulator ends cleanly")

    def example(self, *args):
        return subprocess.run([sys.executable, EXAMPLE, "--url", self.simulator.base, *args],
                              capture_output=True, text=True, timeout=120)


class ExampleTest(SimulatorTest):
    def test_sets_mode_channels_and_address(self):
        run = self.example("--mode", "HDレコーダ", "--channels", "1,3,9",
                           "--address", "10.1.2.3", "--mask", "255.255.0.0", "--gateway", "10.1.0.1")
        self.assertEqual(run.returncode, 0, run.stderr)
        config = self.panel.config()
        self.assertEqual(config["sysmeas"]["mode"], "2")
        self.assertEqual(config["sysrec1"]["use_chan_mask"], str(0b100000101))
        self.assertEqual(config["network"],
                         {"dhcp": False, "address": "10.1.2.3", "mask": "255.255.0.0", "gateway": "10.1.0.1"})
        self.assertEqual(json.loads(run.stdout)["network"], config["network"])
        flags = [r["fields"].get("flags") for r in self.panel.requests()]
        self.assertIn("CHG_MEASURE_MODE", flags)
        self.assertIn("CHG_COMM", flags)
        self.assertEqual(self.panel.front().caption, "メイン画面")

    def test_refusals_leave_the_instrument_as_it_was(self):
        cases = [
            (["--channels", "1,8"], "channel 8 cannot be recorded", "0"),   # an empty slot
            (["--channels", "19"], "channel 19 cannot be recorded", "0"),
            (["--address", "192.168.0.255"], "the LAN settings were not applied", "1"),
        ]
        for args, message, mode in cases:
            with self.subTest(args=args):
                before = self.panel.config()
                run = self.example("--mode", "メモリレコーダ", *args)
                self.assertNotEqual(run.returncode, 0)
                self.assertIn(message, run.stderr)
                after = self.panel.config()
                self.assertEqual(after["network"], before["network"])
                self.assertEqual(after["sysrec1"]["use_chan_mask"], before["sysrec1"]["use_chan_mask"])
                self.assertEqual(after["sysmeas"]["mode"], mode)
                self.back_to_system_dialog()

    def back_to_system_dialog(self):
        for _ in range(5):
            front = self.panel.front()
            if front.caption == "システム":
                return
            leave = [c for c in front.find_all(kind="button") if c.data["text"] in ("閉じる", "キャンセル")]
            self.panel.tap(leave[0])
        self.fail(f"{self.panel.front().caption} stays in front")


class ClientTest(SimulatorTest):
    def test_finding_typing_and_waiting_in_the_lan_settings(self):
        self.panel.choose_tab("通信設定")
        self.panel.tap(self.panel.find("LAN設定変更", "button"))
        lan = self.panel.wait_for_window("LAN設定")
        for text, kind in [("存在しない", None), ("手", "hand"), ("LAN設定変更", "button")]:
            with self.subTest(text=text), self.assertRaises(NotFound):
                lan.find(text, kind)
        with self.assertRaises(NotFound):
            self.panel.choose_tab("存在しないタブ", window="システム")
        self.assertEqual(lan.beside("サブネットマスク").data["id"], 17041)
        self.panel.tap(lan.beside("IPアドレス"))
        keyboard = self.panel.wait_for_window("IPアドレスの入力")
        self.panel.tap(keyboard.find("行消去", "button"))
        self.assertEqual(self.panel.type_text("10.0.0.9").front.find(kind="edit").data["text"], "10.0.0.9")
        screen = self.panel.press_key("backspace", repeat=2)
        self.assertEqual(screen.front.find(kind="edit").data["text"], "10.0.0")
        with self.assertRaises(TimeoutError):
            self.panel.wait_for_window("存在しない画面", timeout=0.5)
        for caption in ("IPアドレスの入力", "LAN設定"):
            self.panel.press_key("escape")
            self.panel.wait_until_closed(caption)
        self.assertEqual(self.panel.front().caption, "システム")
        self.assertEqual(self.panel.config()["network"]["address"], "192.168.0.100")

    def test_refused_input_raises_with_the_status(self):
        self.panel.choose_tab("補助設定")
        system = self.panel.front()
        # The delay is usable only while the display's auto-off is ticked.
        delay = next(c for c in system.find_all(kind="jog") if c.data["id"] == 17071)
        self.assertFalse(delay.data["enabled"])
        cases = [(delay, 409), (Control(system, {"id": 4242}), 404)]
        for control, status in cases:
            with self.subTest(status=status):
                with self.assertRaises(ApiError) as raised:
                    self.panel.tap(control)
                self.assertEqual(raised.exception.status, status)


if __name__ == "__main__":
    unittest.main()
