"""Small outline kit for building monoline glyphs from strokes.

Glyphs are unions of simple pieces (straight strokes, elliptical arc bands,
rings). Pieces may overlap: TrueType renderers fill with the non-zero rule,
so every piece is emitted clockwise (outer) and its holes anticlockwise.
Coordinates are font units, y up.
"""

import math

# A contour is a list of (x, y, on_curve).


def _area(contour):
    a = 0.0
    n = len(contour)
    for i in range(n):
        x0, y0, _ = contour[i]
        x1, y1, _ = contour[(i + 1) % n]
        a += x0 * y1 - x1 * y0
    return a / 2.0


def clockwise(contour):
    return contour if _area(contour) < 0 else list(reversed(contour))


def anticlockwise(contour):
    return contour if _area(contour) > 0 else list(reversed(contour))


def _arc_points(cx, cy, rx, ry, a0, a1):
    """Quadratic approximation of an elliptical arc from a0 to a1 (degrees).

    Built on the unit circle (control point on the tangents' intersection)
    and scaled: the affine map keeps the quadratic exact for the ellipse.
    Returns on/off points including both end points.
    """
    sweep = a1 - a0
    n = max(1, int(math.ceil(abs(sweep) / 30.0)))
    step = math.radians(sweep) / n
    pts = []
    t = math.radians(a0)
    pts.append((cx + rx * math.cos(t), cy + ry * math.sin(t), True))
    k = 1.0 / math.cos(step / 2.0)
    for _ in range(n):
        tm = t + step / 2.0
        t2 = t + step
        pts.append((cx + rx * k * math.cos(tm), cy + ry * k * math.sin(tm), False))
        pts.append((cx + rx * math.cos(t2), cy + ry * math.sin(t2), True))
        t = t2
    return pts


def ellipse_point(cx, cy, rx, ry, a):
    t = math.radians(a)
    return (cx + rx * math.cos(t), cy + ry * math.sin(t))


def ring(cx, cy, rx, ry, w):
    """A closed elliptical stroke of width w around the centre line (rx, ry)."""
    outer = _arc_points(cx, cy, rx + w / 2.0, ry + w / 2.0, 0, 360)[:-1]
    inner = _arc_points(cx, cy, rx - w / 2.0, ry - w / 2.0, 0, 360)[:-1]
    return [clockwise(outer), anticlockwise(inner)]


def arc(cx, cy, rx, ry, a0, a1, w):
    """An open elliptical stroke from angle a0 to a1 (degrees, either way)."""
    outer = _arc_points(cx, cy, rx + w / 2.0, ry + w / 2.0, a0, a1)
    inner = _arc_points(cx, cy, rx - w / 2.0, ry - w / 2.0, a1, a0)
    return [clockwise(outer + inner)]


def polygon(points):
    return [clockwise([(x, y, True) for x, y in points])]


def _clip(points, box):
    """Sutherland-Hodgman clip of a straight polygon against a box."""
    x0, y0, x1, y1 = box
    edges = [
        (lambda p: p[0] >= x0, lambda p, q: _ix(p, q, x=x0)),
        (lambda p: p[0] <= x1, lambda p, q: _ix(p, q, x=x1)),
        (lambda p: p[1] >= y0, lambda p, q: _ix(p, q, y=y0)),
        (lambda p: p[1] <= y1, lambda p, q: _ix(p, q, y=y1)),
    ]
    for inside, cut in edges:
        out = []
        n = len(points)
        for i in range(n):
            cur, prev = points[i], points[i - 1]
            if inside(cur):
                if not inside(prev):
                    out.append(cut(prev, cur))
                out.append(cur)
            elif inside(prev):
                out.append(cut(prev, cur))
        points = out
        if not points:
            break
    return points


def _ix(p, q, x=None, y=None):
    if x is not None:
        t = (x - p[0]) / (q[0] - p[0])
        return (x, p[1] + t * (q[1] - p[1]))
    t = (y - p[1]) / (q[1] - p[1])
    return (p[0] + t * (q[0] - p[0]), y)


def line(p, q, w, box=None, ext=0.0):
    """A straight stroke of width w from p to q with butt ends.

    ext lengthens both ends (to bury them in a neighbouring piece); box
    clips the result so ends run flush with the glyph's edges.
    """
    dx, dy = q[0] - p[0], q[1] - p[1]
    ln = math.hypot(dx, dy)
    ux, uy = dx / ln, dy / ln
    nx, ny = -uy * w / 2.0, ux * w / 2.0
    p = (p[0] - ux * ext, p[1] - uy * ext)
    q = (q[0] + ux * ext, q[1] + uy * ext)
    pts = [(p[0] + nx, p[1] + ny), (q[0] + nx, q[1] + ny),
           (q[0] - nx, q[1] - ny), (p[0] - nx, p[1] - ny)]
    if box is not None:
        pts = _clip(pts, box)
        if len(pts) < 3:
            return []
    return polygon(pts)


def rect(x0, y0, x1, y1):
    return polygon([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])


def transform(contours, fn):
    """Map every point through fn; reflections flip the winding back."""
    out = []
    for c in contours:
        m = [(*fn(x, y), on) for x, y, on in c]
        was_cw = _area(c) < 0
        out.append(clockwise(m) if was_cw else anticlockwise(m))
    return out


def draw(contours, pen, dx=0.0):
    for c in contours:
        # Start on an on-curve point.
        start = next(i for i, p in enumerate(c) if p[2])
        c = c[start:] + c[:start]
        pen.moveTo((round(c[0][0] + dx), round(c[0][1])))
        offs = []
        for x, y, on in c[1:] + [c[0]]:
            pt = (round(x + dx), round(y))
            if on:
                if offs:
                    pen.qCurveTo(*offs, pt)
                    offs = []
                else:
                    pen.lineTo(pt)
            else:
                offs.append(pt)
        pen.closePath()


def bounds(contours):
    xs = [p[0] for c in contours for p in c]
    ys = [p[1] for c in contours for p in c]
    return min(xs), min(ys), max(xs), max(ys)


def tangent_join(cx, cy, rx, ry, target, a_lo, a_hi):
    """Angle on the ellipse whose tangent points straight at target.

    Used where an arc runs into a straight stroke, so the two meet without a
    kink. Bisection between a_lo and a_hi (degrees).
    """
    def f(a):
        t = math.radians(a)
        px, py = cx + rx * math.cos(t), cy + ry * math.sin(t)
        tx, ty = -rx * math.sin(t), ry * math.cos(t)
        vx, vy = target[0] - px, target[1] - py
        return tx * vy - ty * vx

    lo, hi = a_lo, a_hi
    flo = f(lo)
    for _ in range(60):
        mid = (lo + hi) / 2.0
        fm = f(mid)
        if (fm < 0) == (flo < 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return (lo + hi) / 2.0
