#!/usr/bin/env python3
"""Sets up an instrument from a script, through its touch panel as an
operator would: the measurement mode, the recording channels and a fixed LAN
address. The system dialog is closed at the end, which keeps the channel
selection; the host's configuration is printed.

    setup_instrument.py --url http://127.0.0.1:8080 --mode メモリレコーダ \\
        --channels 1,2,3,9 --address 192.168.0.77
"""

import argparse
import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

from sysdlg_client import Client  # noqa: E402

MODES = ["ペンレコーダ", "メモリレコーダ", "HDレコーダ", "マルチレコーダ", "X-Yレコーダ"]
SYSTEM = "システム"
MAIN_SCREEN = "メイン画面"
CONFIRM = "実行"


def open_system_dialog(panel):
    """The system dialog in front; opened from the main screen if need be."""
    front = panel.front()
    if front.caption != SYSTEM:
        panel.tap(front.find(SYSTEM, "button"))
    return panel.wait_for_window(SYSTEM)


def set_mode(panel, mode):
    panel.choose_tab("測定モード")
    switch = panel.find(mode, "pushswitch")
    if switch.data.get("selected"):
        return
    panel.tap(switch)
    # The instrument describes the mode and asks before it changes.
    question = panel.wait_for_window("測定モード")
    panel.tap(question.find(CONFIRM, "button"))
    panel.wait_for_window(SYSTEM)


def recordable(panel, channels):
    """Fails, before anything is changed, on a channel the instrument cannot
    record (outside its panel, or an empty slot)."""
    panel.choose_tab("収録設定")
    grid = panel.find(kind="channels")
    count = grid.data.get("rowCount", len(grid.data.get("rows", [])))
    locked = {int(i) for i in str(grid.data.get("disabled", "")).split(",") if i != ""}
    for channel in channels:
        if channel < 1 or channel > count or channel - 1 in locked:
            raise SystemExit(f"channel {channel} cannot be recorded on this instrument")


def set_channels(panel, channels):
    """Selects exactly `channels` (numbers from 1) on the channel panel."""
    recordable(panel, channels)
    wanted = {c - 1 for c in channels}
    grid = panel.find(kind="channels")
    for index in range(grid.data.get("rowCount", 0)):
        grid = panel.find(kind="channels")
        if (index in grid.data.get("selectedRows", [])) != (index in wanted):
            panel.tap(grid, item=index)


def type_into(panel, hand, text):
    """Opens the soft keyboard behind a "手" button and enters `text`."""
    panel.tap(hand)
    keyboard = panel.front()
    panel.tap(keyboard.find("行消去", "button"))
    panel.type_text(text)
    panel.tap(panel.front().find(CONFIRM, "button"))
    panel.wait_until_closed(keyboard.caption)


def set_lan_address(panel, address, mask=None, gateway=None):
    panel.choose_tab("通信設定")
    panel.tap(panel.find("LAN設定変更", "button"))
    lan = panel.wait_for_window("LAN設定")
    dhcp = lan.find(kind="checkbox")
    if dhcp.data.get("checked"):
        panel.tap(dhcp)
    for label, value in (("IPアドレス", address), ("サブネットマスク", mask), ("ゲートウェイアドレス", gateway)):
        if value:
            type_into(panel, panel.front().beside(label), value)
    panel.tap(panel.front().find(CONFIRM, "button"))
    # The instrument says so when the adapter refuses the addresses.
    front = panel.front()
    if front.caption != SYSTEM:
        texts = [c.data.get("text", "") for c in front.find_all(kind="static")]
        raise SystemExit("the LAN settings were not applied: " + " / ".join(t for t in texts if t))


def close_dialog(panel, timeout=20.0):
    """Closes the system dialog, confirming what it asks on the way (a
    changed channel selection clears the memory), until the main screen is
    in front."""
    panel.tap(panel.find("閉じる", "button", window=SYSTEM))
    deadline = time.monotonic() + timeout
    screen = panel.screen()
    while screen.front is None or screen.front.caption != MAIN_SCREEN:
        if time.monotonic() > deadline:
            raise SystemExit("the system dialog did not close")
        front = screen.front
        if front is not None and front.caption != SYSTEM:
            buttons = front.find_all(kind="button")
            confirm = [b for b in buttons if b.data.get("text") in (CONFIRM, "OK")]
            screen = panel.tap((confirm or buttons)[0])
            continue
        try:
            screen = panel.screen(after=screen.version, wait=1)
        except TimeoutError:
            screen = panel.screen()


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--url", default="http://127.0.0.1:8080")
    parser.add_argument("--token", default=os.environ.get("SYSDLG_TOKEN"))
    parser.add_argument("--mode", choices=MODES, default="メモリレコーダ")
    parser.add_argument("--channels", default="1,2,3,4",
                        help="channels to record, numbers from 1, comma-separated")
    parser.add_argument("--address", default="192.168.0.77")
    parser.add_argument("--mask")
    parser.add_argument("--gateway")
    args = parser.parse_args(argv)
    channels = [int(c) for c in args.channels.split(",") if c.strip()]

    panel = Client(args.url, token=args.token)
    open_system_dialog(panel)
    recordable(panel, channels)
    set_mode(panel, args.mode)
    set_channels(panel, channels)
    set_lan_address(panel, args.address, args.mask, args.gateway)
    close_dialog(panel)
    config = panel.config()
    print(json.dumps({"sysmeas": config["sysmeas"], "use_chan_mask": config["sysrec1"]["use_chan_mask"],
                      "network": config["network"]}, ensure_ascii=False, indent=2))
    return 0


if __name__ == "__main__":
    sys.exit(main())
