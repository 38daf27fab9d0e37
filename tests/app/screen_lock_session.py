"""Runs the app against a stand-in screen saver on a private session bus and
prints every call it receives, one per line: "Inhibit APP", "UnInhibit N".
Once the app has asked for the inhibition it is ended with SIGTERM.

    dbus-run-session -- screen_lock_session.py KORVANE [ARGS...]
"""
import signal
import subprocess
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

TIMEOUT_S = 60


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, app):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.app = app

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        print("Inhibit", application, flush=True)
        GLib.timeout_add(200, lambda: self.app.send_signal(signal.SIGTERM) and False)
        return 4711

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        print("UnInhibit", cookie, flush=True)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName("org.freedesktop.ScreenSaver", bus)
    app = subprocess.Popen(sys.argv[1:])
    ScreenSaver(bus, app)
    loop = GLib.MainLoop()

    def check():
        if app.poll() is not None:
            loop.quit()
            return False
        return True

    GLib.timeout_add(50, check)
    GLib.timeout_add_seconds(TIMEOUT_S, loop.quit)
    loop.run()
    del name
    sys.exit(app.wait())


main()
