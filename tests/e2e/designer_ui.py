#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads Qt Designer's docks through the accessibility bus (run with Debian's /usr/bin/python3).

  designer_ui.py --pid PID cells DOCK            print the texts of the dock's cells, one a line
  designer_ui.py --pid PID centre DOCK TEXT [N]  print "x y", the centre of the dock's cell with
                                                 this text, or of the N-th cell after it (0: itself)

DOCK is a dock's title, such as "Widget Box", "Object Inspector" or "Property Editor". Exits 2
when the dock or cell is not there within --timeout seconds.
"""
import argparse
import sys
import time

import pyatspi


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def dock(app, title):
    stack = [app]
    while stack:
        node = stack.pop()
        try:
            if node.getRoleName() == "frame" and node.name == title:
                return node
            stack.extend(child for child in node if child is not None)
        except Exception:
            continue
    return None


def cells(node):
    found = []
    stack = [node]
    while stack:
        current = stack.pop(0)
        try:
            if current.getRoleName() == "table cell":
                found.append(current)
            stack.extend(child for child in current if child is not None)
        except Exception:
            continue
    return found


def centre(cell):
    extents = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--timeout", type=float, default=15)
    parser.add_argument("command", choices=["cells", "centre"])
    parser.add_argument("dock")
    parser.add_argument("text", nargs="?")
    parser.add_argument("after", nargs="?", type=int, default=0)
    args = parser.parse_args()

    deadline = time.monotonic() + args.timeout
    while True:
        app = application(args.pid)
        found = dock(app, args.dock) if app is not None else None
        if found is not None:
            all_cells = cells(found)
            if args.command == "cells":
                for cell in all_cells:
                    print(cell.name)
                return
            names = [cell.name for cell in all_cells]
            if args.text in names:
                x, y = centre(all_cells[names.index(args.text) + args.after])
                print(x, y)
                return
        if time.monotonic() > deadline:
            print(f"no {args.text!r} in dock {args.dock!r} of process {args.pid}", file=sys.stderr)
            sys.exit(2)
        time.sleep(0.2)


if __name__ == "__main__":
    main()
