"""Reads the real app's accessibility tree over AT-SPI at its design size,
resizes the window and reads it again: the second reading must be the first
scaled and centred as the stage is, with one window, each control once, and
a point lookup at each button's centre finding that button.

    check_accessibility.py DESIGN_WxH WINDOW_WxH -- KORVANE [ARGS...]

The app must start at its design size (scale 1). Runs inside its own session
bus (dbus-run-session) with an X display.
"""
import subprocess
import sys

import pyatspi

from atspi_session import app_on_bus, wait_for


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def reading(app):
    """Every node under the app: path -> (role, name, showing, extents)."""
    nodes, order = {}, []

    def walk(node):
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        order.append(node.path)
        nodes[node.path] = (node.getRoleName(), node.name, showing, extents(node))
        for child in node:
            if child is not None:
                walk(child)
    for window in app:
        walk(window)
    return nodes, order


def settled(app, window_size):
    """A reading once the window has the size and two readings agree."""
    frames = [w for w in app if w is not None and w.getRoleName() == "frame"]
    if not frames or extents(frames[0])[2:] != window_size:
        return None
    first, second = reading(app), reading(app)
    return second if first == second else None


def size(text):
    w, h = text.split("x")
    return (int(w), int(h))


def main():
    split = sys.argv.index("--")
    design, window = size(sys.argv[1]), size(sys.argv[2])
    app_cmd = sys.argv[split + 1:]
    failures = []
    with app_on_bus(app_cmd) as (app_proc, app):
        before, _ = wait_for("the design-size window", lambda: settled(app, design))
        window_id = wait_for("the X window", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Korvane Vandel$"],
            capture_output=True, text=True).stdout.split() or None)[0]
        subprocess.run(["xdotool", "windowsize", window_id, str(window[0]), str(window[1])],
                       check=True)
        after, order = wait_for("the resized window", lambda: settled(app, window))

        windows = [w for w in app if w is not None]
        if len(windows) != 1 or windows[0].getRoleName() != "frame":
            failures.append(f"windows on the bus: {[w.getRoleName() for w in windows]}")
        if len(order) != len(set(order)):
            failures.append(f"{len(order) - len(set(order))} nodes listed twice")

        scale = min(window[0] / design[0], window[1] / design[1])
        origin = extents(windows[0])[:2]
        off_x = origin[0] + (window[0] - design[0] * scale) / 2
        off_y = origin[1] + (window[1] - design[1] * scale) / 2
        compared = 0
        for path, (role, name, showing, (x, y, w, h)) in after.items():
            was = before.get(path)
            if not showing or role == "frame" or was is None or not was[2] or was[3][2] <= 0:
                continue
            bx, by, bw, bh = was[3]
            want = (off_x + bx * scale, off_y + by * scale,
                    off_x + (bx + bw) * scale, off_y + (by + bh) * scale)
            got = (x, y, x + w, y + h)
            if any(abs(g - e) > 1 for g, e in zip(got, want)):
                failures.append(f"{role} {name!r}: {got} drawn at "
                                f"{tuple(round(v, 1) for v in want)}")
            compared += 1

        component = windows[0].queryComponent()
        pointed = 0
        for path, (role, name, showing, (x, y, w, h)) in after.items():
            if role != "push button" or not showing or w < 2 or h < 2:
                continue
            hit = component.getAccessibleAtPoint(x + w // 2, y + h // 2, pyatspi.DESKTOP_COORDS)
            if hit is None or hit.path != path:
                failures.append(f"at the centre of {name!r}: "
                                f"{hit.getRoleName() + ' ' + repr(hit.name) if hit else None}")
            pointed += 1
        if compared < 10 or pointed < 3:
            failures.append(f"too little to compare: {compared} extents, {pointed} buttons")
        print(f"scale {scale:.4f}: {compared} extents, {pointed} point look-ups", flush=True)
    for failure in failures:
        print(failure, flush=True)
    sys.exit(1 if failures else app_proc.returncode)


main()
