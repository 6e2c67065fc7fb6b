#!/usr/bin/env bash
# Runs the real program on a virtual X server with a private session bus and
# checks, with Debian's pyatspi, what assistive tools read from its main
# window. Skips (exit 77) where the packages are not installed.
set -euo pipefail
program=$1
python=/usr/bin/python3

skip() {
    echo "SKIP: $1 is missing (scripts/install-deps.sh installs it)"
    exit 77
}
command -v xvfb-run >/dev/null || skip xvfb-run
command -v dbus-run-session >/dev/null || skip dbus-run-session
[ -x /usr/libexec/at-spi-bus-launcher ] || skip at-spi-bus-launcher
"$python" -c 'import pyatspi' 2>/dev/null || skip python3-pyatspi

exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -dpi 96" \
    dbus-run-session -- "$python" "$(dirname "$0")/accessibility.py" "$program"
