#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Presses a caption button of one window's frame through the accessibility bus.

  frame_press.py --pid PID WINDOW_TITLE BUTTON_NAME

Several windows carry a frame with the same button names ("最小化", "关闭"), so the search starts
at the top-level frame named WINDOW_TITLE. Exits 2 when nothing matches within 15 seconds.
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pyatspi  # noqa: E402

from atspi import application, find, press  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("window")
    parser.add_argument("button")
    args = parser.parse_args()
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        app = application(args.pid)
        if app is not None:
            for top in app:
                try:
                    if top is None or top.name != args.window:
                        continue
                except Exception:
                    continue
                node = find(top, args.button, "push button")
                if node is not None:
                    press(node)
                    return
        time.sleep(0.2)
    print(f"no button {args.button!r} in window {args.window!r}", file=sys.stderr)
    sys.exit(2)


if __name__ == "__main__":
    main()
