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

# A display far above those others count up from; -displayfd tells when it
# accepts clients; -noreset keeps it from refusing the program when its last
# client leaves.
display_file=$(mktemp)
server=
trap '[ -n "$server" ] && kill $server 2>/dev/null; rm -f "$display_file"' EXIT
for _ in 1 2 3 4 5; do
    Xvfb ":$((RANDOM % 30000 + 2000))" -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
        3>"$display_file" 2>/dev/null &
    server=$!
    while kill -0 $server 2>/dev/null && [ ! -s "$display_file" ]; do sleep 0.1; done
    [ -s "$display_file" ] && break
done
[ -s "$display_file" ] || { echo "FAIL: the X server did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

dbus-run-session -- "$python" "$(dirname "$0")/accessibility.py" "$program"
