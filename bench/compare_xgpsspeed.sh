#!/usr/bin/env bash
# The app beside gpsd's own xgpsspeed on one gpsfake feed, each for 25 s in a
# virtual X display: CPU time, peak RSS and context switches, and the app's
# ratios to xgpsspeed. Skipped, with a message, where xgpsspeed is missing.
#   bench/compare_xgpsspeed.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${KORVANE_COMPARE_SECONDS:-25}
for tool in xgpsspeed gpsfake Xvfb; do
  command -v "$tool" >/dev/null || { echo "compare_xgpsspeed: $tool is not installed; skipped"; exit 0; }
done

# Both programs find a session bus, as on a desktop (without one, each would
# start its own).
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
  exec dbus-run-session -- "$0" "$@"
fi

scratch=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -- "-$p" 2>/dev/null || kill "$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

display=:$((70 + RANDOM % 200))
setsid Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
port=$((20000 + RANDOM % 20000))
# About 10 fixes a second from the bundled drive (three sentences an epoch).
setsid gpsfake -q -c 0.033 -P "$port" "$root/resources/drives/demo.nmea" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.1
done

# user+sys seconds, peak RSS KiB, context switches (voluntary + involuntary).
# A program that ends before the time is up failed to run: that is an error,
# not a figure.
measure() {
  local out=$scratch/time.$RANDOM log=$scratch/log.$RANDOM status=0
  DISPLAY=$display /usr/bin/time -f "%U %S %M %w %c" -o "$out" \
    timeout -s TERM "$seconds" "$@" >/dev/null 2>"$log" || status=$?
  if [ "$status" != 124 ]; then
    echo "compare_xgpsspeed: $1 ended early (status $status):" >&2
    tail -n 3 "$log" >&2
    exit 1
  fi
  # The last line: time puts "Command exited with non-zero status" first.
  # The app says how many frames it painted (0 for xgpsspeed, which does not).
  local frames
  frames=$(sed -n 's/^korvane: \([0-9]*\) frames painted$/\1/p' "$log" | tail -n 1)
  tail -n 1 "$out" | awk -v f="${frames:-0}" '{ printf "%.2f %d %d %d\n", $1 + $2, $3, $4 + $5, f }'
}

home=$scratch/home
mkdir -p "$home/run" && chmod 700 "$home/run"
app() {
  XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/run \
    QT_QPA_PLATFORM=xcb KORVANE_COUNT_FRAMES=1 \
    measure "$build/korvane" --device "$1" --source "gpsd://127.0.0.1:$port"
}
# xgpsspeed's default units come from the locale, and a metric one makes it
# stop at start (it knows no "km/h" in its default nautical face): name them.
measure xgpsspeed --host 127.0.0.1 --port "$port" --speedunits mph >"$scratch/x" || exit 1
read -r x_cpu x_rss x_cs _ <"$scratch/x"
printf "%-18s %8s %10s %10s\n" "" "CPU s" "RSS MiB" "switches"
awk -v c="$x_cpu" -v r="$x_rss" -v s="$x_cs" \
  'BEGIN { printf "%-18s %8.2f %10.1f %10d\n", "xgpsspeed", c, r / 1024, s }'
for device in phone tablet; do
  app "$device" >"$scratch/a" || exit 1
  read -r cpu rss cs frames <"$scratch/a"
  awk -v d="korvane $device" -v c="$cpu" -v r="$rss" -v s="$cs" -v f="$frames" \
      -v xc="$x_cpu" -v xr="$x_rss" -v xs="$x_cs" 'BEGIN {
    fmt = "%-18s %8.2f %10.1f %10d   ratios: CPU %.2f, RSS %.2f, switches %.2f;"
    fmt = fmt " %d frames, %.2f ms CPU a frame\n"
    printf fmt, d, c, r / 1024, s, c / (xc > 0 ? xc : 1), r / (xr > 0 ? xr : 1),
           s / (xs > 0 ? xs : 1), f, (f > 0 ? 1000 * c / f : 0) }'
done
