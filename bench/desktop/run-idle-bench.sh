#!/usr/bin/env bash
# The running program's idle cost with its window hidden, on a quiet machine:
#   bench/desktop/run-idle-bench.sh [MINUTES]
# Starts the built zephrix on a virtual X server with a window manager and a
# notification area, hidden from the start (AutoHide=1), its one drive a small
# folder whose fresh index leaves no build due, the timers at their own
# intervals. After 5 s to settle, reads from /proc the CPU time it used over
# 60 s (target: under 0.1 % of one core) and its resident memory every minute
# for MINUTES (default 10; target: no growth). Needs scripts/install-deps.sh
# --test (Xvfb, openbox, trayer).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${ZEPHRIX_BUILD_DIR:-build}
minutes=${1:-10}
cmake --build "$build" --target zephrix zephrix-cli >/dev/null

work=$(mktemp -d /tmp/zx-idle-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/drive/docs" "$work/data/indexes" "$work/config/Zephrix" "$work/run"
chmod 700 "$work/run"
for i in $(seq 1 200); do : >"$work/drive/docs/file-$i.txt"; done
printf '[Settings]\nAutoUpdate=0\nAutoHide=1\n' >"$work/config/Zephrix/Zephrix.conf"
echo "/dev/idle0 $work/drive/ ext4 rw 0 0" >"$work/mounts"
"$build/src/zephrix-cli" --indexes "$work/data/indexes" index "$work/drive/" >/dev/null

export XDG_CONFIG_HOME=$work/config ZEPHRIX_DATA_DIR=$work/data XDG_RUNTIME_DIR=$work/run \
    ZEPHRIX_TEST_MOUNTS=$work/mounts QT_QPA_PLATFORM=xcb
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" bash -c '
    set -eu
    program=$1 minutes=$2
    openbox --sm-disable >/dev/null 2>&1 &
    trayer --edge bottom --align right --SetDockType true >/dev/null 2>&1 &
    sleep 1
    "$program" 2>/dev/null &
    pid=$!
    # Time on a CPU in nanoseconds, and resident memory in kB.
    cpu() { cut -d" " -f1 /proc/$pid/schedstat; }
    rss() { awk "/^VmRSS/ {print \$2}" /proc/$pid/status; }
    now() { date +%s%N; }
    sleep 5
    c0=$(cpu) t0=$(now) first=$(rss)
    sleep 60
    c1=$(cpu) t1=$(now)
    awk -v c=$((c1 - c0)) -v t=$((t1 - t0)) "BEGIN {
        printf \"idle CPU over %.0f s: %.1f ms, %.4f %% of one core (target < 0.1 %%)\n\", t / 1e9, c / 1e6, 100 * c / t }"
    echo "resident memory after 0 min: $first kB"
    for minute in $(seq 1 "$minutes"); do
        [ "$minute" -eq 1 ] || sleep 60
        echo "resident memory after $minute min: $(rss) kB"
    done
    last=$(rss)
    echo "growth over $minutes min: $((last - first)) kB (target: none)"
    kill $pid
' _ "$PWD/$build/src/zephrix" "$minutes"
