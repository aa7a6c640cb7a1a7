#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Drives the program through the accessibility bus (run with Debian's /usr/bin/python3).

  atspi.py --pid PID press NAME [--role ROLE]      press a button or option by accessible name
  atspi.py --pid PID wait NAME [--role ROLE]       wait until it is showing
  atspi.py --pid PID text NAME [--role ROLE]       print its text
  atspi.py --pid PID enabled NAME [--role ROLE]    exit 0 when it is enabled, 1 when not
  atspi.py --pid PID checked NAME [--role ROLE]    exit 0 when it is checked, 1 when not
  atspi.py --pid PID centre NAME [--role ROLE]     print "x y", its centre on the screen

ROLE is an AT-SPI role name such as "push button", "radio button" or "text"; it tells a button
from the time field named after it. Exits 2 when nothing matches within --timeout seconds.
"""
import argparse
import sys
import time

import pyatspi


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def find(app, name, role):
    stack = [app]
    while stack:
        node = stack.pop()
        try:
            if node.name == name and (role is None or node.getRoleName() == role):
                states = node.getState()
                if states.contains(pyatspi.STATE_SHOWING) or node.getRoleName() == "frame":
                    return node
            stack.extend(child for child in node if child is not None)
        except Exception:
            continue
    return None


def wait_for(pid, name, role, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        app = application(pid)
        if app is not None:
            node = find(app, name, role)
            if node is not None:
                return node
        time.sleep(0.2)
    print(f"no accessible named {name!r} (role {role}) in process {pid}", file=sys.stderr)
    sys.exit(2)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("Press", "press", "click", "Toggle", "toggle"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    if action.nActions == 0:
        sys.exit(f"{node.name!r} has no action")
    action.doAction(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--timeout", type=float, default=15)
    parser.add_argument("command", choices=["press", "wait", "text", "enabled", "checked", "centre"])
    parser.add_argument("name")
    parser.add_argument("--role")
    args = parser.parse_args()

    node = wait_for(args.pid, args.name, args.role, args.timeout)
    if args.command == "press":
        press(node)
    elif args.command == "text":
        text = node.queryText()
        print(text.getText(0, text.characterCount))
    elif args.command == "enabled":
        sys.exit(0 if node.getState().contains(pyatspi.STATE_ENABLED) else 1)
    elif args.command == "centre":
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x + box.width // 2, box.y + box.height // 2)
    elif args.command == "checked":
        sys.exit(0 if node.getState().contains(pyatspi.STATE_CHECKED) else 1)


if __name__ == "__main__":
    main()
