"""What the AT-SPI drivers share: the real app started on a fresh
accessibility bus, and waiting for what it shows there."""
import contextlib
import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT_S = 60


def dump(node, depth=0):
    print("  " * depth + f"{node.getRoleName()} {node.name!r}", file=sys.stderr)
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def app_named(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def wait_for(what, probe):
    deadline = time.monotonic() + TIMEOUT_S
    while time.monotonic() < deadline:
        try:
            found = probe()
        except GLib.GError:
            found = None  # a node went away while the tree was read: read again
        if found is not None:
            return found
        time.sleep(0.05)
    app = app_named("korvane")
    if app is not None:
        dump(app)
    sys.exit(f"timed out waiting for {what}")


@contextlib.contextmanager
def app_on_bus(app_cmd):
    """Yields the app's process and its node on the bus; ends both after."""
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    app_proc = subprocess.Popen(app_cmd, env=env)
    try:
        yield app_proc, wait_for("the app on the bus", lambda: app_named("korvane"))
    finally:
        app_proc.send_signal(signal.SIGTERM)
        app_proc.wait(TIMEOUT_S)
        launcher.terminate()
