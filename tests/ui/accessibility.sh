#!/usr/bin/env bash
# What assistive tools read from the real program on a virtual X server with a
# private session bus. Skips (exit 77) where the packages are not installed.
set -euo pipefail
program=$1
python=/usr/bin/python3

skip() {
    echo "SKIP: $1 is missing (scripts/install-deps.sh installs it)"
    exit 77
}
command -v Xvfb >/dev/null || skip Xvfb
command -v dbus-run-session >/dev/null || skip dbus-run-session
[ -x /usr/libexec/at-spi-bus-launcher ] || skip at-spi-bus-launcher
"$python" -c 'import pyatspi' 2>/dev/null || skip python3-pyatspi

# Xvfb picks a free display and writes its number once it accepts clients;
# -noreset keeps it from refusing the program when its last client leaves.
display_file=$(mktemp)
trap '[ -n "${server:-}" ] && kill $server 2>/dev/null; rm -f "$display_file"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
server=$!
while kill -0 $server 2>/dev/null && [ ! -s "$display_file" ]; do sleep 0.1; done
[ -s "$display_file" ] || { echo "FAIL: the X server did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

dbus-run-session -- "$python" "$(dirname "$0")/accessibility.py" "$program"
