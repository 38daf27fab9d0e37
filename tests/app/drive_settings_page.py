"""Drives the real app over AT-SPI as a screen-reader user would: opens
Settings from the gauge, picks a unit, closes the page, and prints what the
gauge's face then says of itself.

    drive_settings_page.py SEGMENT DIAL_UNIT KORVANE [ARGS...]

Runs inside its own session bus (dbus-run-session) with an X display.
"""
import os
import signal
import subprocess
import sys
import time

import pyatspi

TIMEOUT_S = 60


def dump(node, depth=0):
    print("  " * depth + f"{node.getRoleName()} {node.name!r}", file=sys.stderr)
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def wait_for(what, probe):
    deadline = time.monotonic() + TIMEOUT_S
    while time.monotonic() < deadline:
        found = probe()
        if found is not None:
            return found
        time.sleep(0.05)
    app = app_named("korvane")
    if app is not None:
        dump(app)
    sys.exit(f"timed out waiting for {what}")


def app_named(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def find(root, role, name, parent_name=None):
    def match(node):
        if (role is not None and node.getRoleName() != role) or node.name != name:
            return False
        return parent_name is None or (node.parent is not None and node.parent.name == parent_name)
    found = pyatspi.findDescendant(root, match)
    return found


def press(node):
    # What a screen reader does: the control's first (default) action.
    node.queryAction().doAction(0)


def main():
    unit, dial_unit, app_cmd = sys.argv[1], sys.argv[2], sys.argv[3:]
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    app_proc = subprocess.Popen(app_cmd, env=env)
    try:
        app = wait_for("the app on the bus", lambda: app_named("korvane"))
        press(wait_for("the Settings button", lambda: find(app, "push button", "Settings")))
        press(wait_for(f"the {unit} segment", lambda: find(app, None, unit)))
        press(wait_for("the page's Done", lambda: find(app, "push button", "Done", "Settings")))
        face = wait_for("the redrawn face", lambda: find(app, None, f"Speed dial, {dial_unit}"))
        print("face:", face.name, flush=True)
    finally:
        app_proc.send_signal(signal.SIGTERM)
        app_proc.wait(TIMEOUT_S)
        launcher.terminate()
    sys.exit(app_proc.returncode)


main()
