"""Drives the real app over AT-SPI as a screen-reader user would: presses
controls by their accessible names, one step after the other, and prints
each control it was asked to find.

    drive_pages.py STEP... -- KORVANE [ARGS...]

A step is "press:NAME" or "press:NAME:WITHIN" (the control's default action;
WITHIN names a control it lies in, to tell apart controls of one name),
"find:NAME" (waits until a control of that name shows), "gone:NAME"
(waits until none shows) or "file:PATH:TEXT" (waits until the file holds
that text: what the app handed to the desktop).

Runs inside its own session bus (dbus-run-session) with an X display.
"""
import sys

import pyatspi

from atspi_session import app_on_bus, wait_for


def find(root, role, name, ancestor_name=None):
    def inside(node):
        node = node.parent
        while node is not None:
            if node.name == ancestor_name:
                return True
            node = node.parent
        return False

    def match(node):
        if (role is not None and node.getRoleName() != role) or node.name != name:
            return False
        return ancestor_name is None or inside(node)
    return pyatspi.findDescendant(root, match)


def press(node):
    # What a screen reader does: the control's first (default) action.
    node.queryAction().doAction(0)


def main():
    split = sys.argv.index("--")
    steps, app_cmd = sys.argv[1:split], sys.argv[split + 1:]
    with app_on_bus(app_cmd) as (app_proc, app):
        for step in steps:
            verb, name, *within = step.split(":", 2)
            if verb == "file":
                def holds():
                    try:
                        with open(name, encoding="utf-8") as f:
                            return True if within[0] in f.read() else None
                    except FileNotFoundError:
                        return None
                wait_for(f"{within[0]} in {name}", holds)
                print(f"file: {within[0]}", flush=True)
                continue
            if verb == "gone":
                wait_for(f"{name} to go", lambda: None if find(app, None, name) else True)
                print(f"gone: {name}", flush=True)
                continue
            def found_and_pressed():
                node = find(app, None, name, within[0] if within else None)
                if node is not None and verb == "press":
                    press(node)  # a stale node raises, and is looked up again
                return node
            node = wait_for(name, found_and_pressed)
            print(f"{verb}: {node.name}", flush=True)
    sys.exit(app_proc.returncode)


main()
