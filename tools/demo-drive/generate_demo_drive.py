#!/usr/bin/env python3
"""Writes resources/drives/demo.nmea, the drive the app replays with --source demo.

A fictional twelve-minute car trip on the edge of Freising, Bavaria, recorded
at 1 Hz as a receiver would send it (RMC, GGA and GSA per epoch, speed in
knots): a minute parked with the receiver's jitter, stop-and-go through town
with turns and traffic lights, a motorway stretch up to about 130 km/h with a
tunnel of about 20 s without a fix, and the exit to a stop. HDOP varies with
the surroundings. Fixed seed: the output is the same on every run.

Usage: generate_demo_drive.py [OUTPUT]   (default: resources/drives/demo.nmea)
"""

import datetime
import math
import os
import random
import sys

SEED = 20240518
START = datetime.datetime(2024, 5, 18, 9, 14, 5, tzinfo=datetime.timezone.utc)
ORIGIN = (48.39652, 11.74391)  # lat, lon of the parking place
EARTH_RADIUS = 6371008.8
KNOTS_PER_MPS = 3600.0 / 1852.0
SUBSTEPS = 10  # physics steps per epoch

rng = random.Random(SEED)

# The route, in order. drive: distance m, cruise m/s, speed at the end m/s,
# surroundings ("town", "road", "motorway", "tunnel"). turn: degrees (left
# positive), radius m. wait: seconds standing.
ROUTE = [
    ("wait", 60),
    ("drive", 120, 8.0, 4.0, "town"),
    ("turn", -90, 12),
    ("drive", 350, 13.9, 0.0, "town"),
    ("wait", 25),  # traffic light
    ("drive", 280, 13.9, 5.0, "town"),
    ("turn", 90, 15),
    ("drive", 420, 13.9, 0.0, "town"),
    ("wait", 18),
    ("drive", 60, 6.0, 0.0, "town"),  # queue creeping forward
    ("wait", 12),
    ("drive", 500, 13.9, 6.0, "town"),
    ("turn", -90, 18),
    ("drive", 900, 19.4, 11.0, "road"),
    ("turn", 60, 90),  # on-ramp
    ("drive", 2600, 36.1, 36.1, "motorway"),
    ("turn", 12, 1500),
    ("drive", 1800, 35.0, 33.3, "motorway"),
    ("drive", 680, 33.3, 33.3, "tunnel"),
    ("drive", 2400, 36.1, 33.3, "motorway"),
    ("turn", -15, 1200),
    ("drive", 1200, 33.3, 16.0, "motorway"),
    ("turn", -70, 80),  # exit
    ("drive", 700, 19.4, 0.0, "road"),
    ("wait", 20),
    ("turn", 90, 14),
    ("drive", 450, 13.9, 0.0, "town"),
    ("wait", 40),
]

# HDOP and satellites in use by surroundings.
SKY = {
    "town": (1.6, 0.5, 8),
    "road": (1.0, 0.3, 10),
    "motorway": (0.8, 0.2, 11),
    "tunnel": (None, None, 0),
}


def accel_limit(v):
    """A mid-size car: brisk from standstill, weaker at motorway speed."""
    return max(0.7, 2.6 - 0.05 * v)


BRAKE = 2.8


class Car:
    def __init__(self):
        self.x = 0.0  # east m
        self.y = 0.0  # north m
        self.heading = 25.0  # degrees from north, clockwise
        self.v = 0.0
        self.t = 0.0
        self.surroundings = "town"
        self.samples = []  # one per epoch: (x, y, heading, v, surroundings)

    def step(self, dt, accel, yaw_rate=0.0):
        self.v = max(0.0, self.v + accel * dt)
        self.heading = (self.heading + yaw_rate * dt) % 360.0
        h = math.radians(self.heading)
        self.x += self.v * dt * math.sin(h)
        self.y += self.v * dt * math.cos(h)
        self.t += dt
        if abs(self.t - round(self.t)) < 1e-6:
            self.samples.append((self.x, self.y, self.heading, self.v, self.surroundings))


def run_route():
    car = Car()
    dt = 1.0 / SUBSTEPS
    car.samples.append((0.0, 0.0, car.heading, 0.0, "town"))
    for leg in ROUTE:
        kind = leg[0]
        if kind == "wait":
            for _ in range(leg[1] * SUBSTEPS):
                car.step(dt, 0.0)
        elif kind == "drive":
            _, distance, cruise, end, surroundings = leg
            car.surroundings = surroundings
            # A little variation in how hard the driver pushes.
            cruise *= rng.uniform(0.96, 1.01)
            covered = 0.0
            while covered < distance:
                remaining = distance - covered
                braking = (car.v ** 2 - end ** 2) / (2 * BRAKE) if car.v > end else 0.0
                if remaining <= braking + car.v * dt:
                    a = -BRAKE
                    if end == 0.0 and car.v < 0.3:
                        break
                elif car.v < cruise - 0.2:
                    a = accel_limit(car.v)
                elif car.v > cruise + 0.2:
                    a = -1.0
                else:
                    a = rng.uniform(-0.15, 0.15)
                if end > 0.0 and remaining <= braking + car.v * dt:
                    a = max(a, (end - car.v) / dt)
                x0, y0 = car.x, car.y
                car.step(dt, a)
                covered += math.hypot(car.x - x0, car.y - y0)
            if end == 0.0:
                while car.v > 0.0:
                    car.step(dt, -BRAKE)
                car.v = 0.0
        elif kind == "turn":
            _, degrees, radius = leg
            turned = 0.0
            while abs(turned) < abs(degrees):
                v = max(car.v, 3.0)
                # Left turns (positive) turn the heading anticlockwise.
                yaw = -math.degrees(v / radius) if degrees > 0 else math.degrees(v / radius)
                car.step(dt, 0.0 if car.v >= 3.0 else 1.0, yaw)
                turned += abs(yaw) * dt
    return car.samples


def checksum(body):
    c = 0
    for ch in body.encode("ascii"):
        c ^= ch
    return "%02X" % c


def sentence(body):
    return "$%s*%s\r\n" % (body, checksum(body))


def nmea_lat(lat):
    d = int(abs(lat))
    m = (abs(lat) - d) * 60.0
    return "%02d%08.5f" % (d, m), "N" if lat >= 0 else "S"


def nmea_lon(lon):
    d = int(abs(lon))
    m = (abs(lon) - d) * 60.0
    return "%03d%08.5f" % (d, m), "E" if lon >= 0 else "W"


def to_geo(x, y):
    lat = ORIGIN[0] + math.degrees(y / EARTH_RADIUS)
    lon = ORIGIN[1] + math.degrees(x / (EARTH_RADIUS * math.cos(math.radians(ORIGIN[0]))))
    return lat, lon


def main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "resources", "drives", "demo.nmea")
    samples = run_route()
    lines = [
        "# Korvane Vandel demo drive: a fictional trip near Freising, Bavaria, 1 Hz.\r\n",
        "# Generated by tools/demo-drive/generate_demo_drive.py; do not edit by hand.\r\n",
    ]
    # Receiver error: slowly wandering offsets (metres), as real position
    # errors are correlated from one epoch to the next.
    ex = ey = 0.0
    hdop = 1.4
    since_fix = 99
    prns = [2, 5, 7, 9, 13, 15, 18, 20, 24, 26, 29, 30]
    for i, (x, y, heading, v, surroundings) in enumerate(samples):
        when = START + datetime.timedelta(seconds=i)
        hhmmss = when.strftime("%H%M%S") + ".00"
        ddmmyy = when.strftime("%d%m%y")
        base, spread, sats = SKY[surroundings]
        if base is None:
            lines.append(sentence("GPRMC,%s,V,,,,,,,%s,,,N" % (hhmmss, ddmmyy)))
            lines.append(sentence("GPGGA,%s,,,,,0,00,99.99,,,,,," % hhmmss))
            lines.append(sentence("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99"))
            since_fix = 0
            continue
        since_fix += 1
        # Just out of the tunnel the receiver sees few satellites.
        recovering = max(0, 6 - since_fix)
        target = base + 0.5 * recovering
        hdop += 0.25 * (target - hdop) + rng.gauss(0.0, spread * 0.15)
        hdop = min(max(hdop, 0.6), 6.0)
        sats_used = max(4, min(12, sats - recovering + rng.choice((-1, 0, 0, 1))))
        sigma = 1.2 * hdop
        ex = 0.9 * ex + rng.gauss(0.0, sigma * 0.45)
        ey = 0.9 * ey + rng.gauss(0.0, sigma * 0.45)
        lat, lon = to_geo(x + ex, y + ey)
        if v < 0.5:
            speed = min(0.3, abs(rng.gauss(0.0, 0.12)))
            course = (heading + rng.uniform(-60, 60)) % 360.0
        else:
            speed = max(0.0, v + rng.gauss(0.0, 0.08))
            course = (heading + rng.gauss(0.0, 0.8)) % 360.0
        alt = 448.0 + 6.0 * math.sin(i / 90.0) + rng.gauss(0.0, 0.8 * hdop)
        la, ns = nmea_lat(lat)
        lo, ew = nmea_lon(lon)
        lines.append(sentence("GPRMC,%s,A,%s,%s,%s,%s,%.2f,%.1f,%s,3.4,E,A" % (
            hhmmss, la, ns, lo, ew, speed * KNOTS_PER_MPS, course, ddmmyy)))
        lines.append(sentence("GPGGA,%s,%s,%s,%s,%s,1,%02d,%.2f,%.1f,M,47.3,M,," % (
            hhmmss, la, ns, lo, ew, sats_used, hdop, alt)))
        used = prns[:sats_used] + [""] * (12 - sats_used)
        pdop = hdop * 1.6
        lines.append(sentence("GPGSA,A,3,%s,%.2f,%.2f,%.2f" % (
            ",".join("%02d" % p if p else "" for p in used), pdop, hdop, hdop * 1.25)))
    with open(out_path, "w", newline="") as f:
        f.writelines(lines)
    print("%s: %d epochs (%d:%02d), top speed %.0f km/h, %.1f km" % (
        out_path, len(samples), len(samples) // 60, len(samples) % 60,
        max(s[3] for s in samples) * 3.6,
        sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(samples, samples[1:])) / 1000.0))


if __name__ == "__main__":
    main()
