#!/usr/bin/env bash
# Captures the program's windows on a virtual X server into screenshots/
# (git-ignored): the splash, the main window's four pages after a real
# search, the message dialog as error, notice and question, the error report,
# the indexing window, the help window, the new release notice, the
# Properties window and the larger results window (normal and maximized),
# each at 100% and 200% scale. Needs the packages of scripts/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${ZEPHRIX_BUILD_DIR:-build}
out=$PWD/screenshots

cmake -S . -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" --target screenshots

# Own settings and data, so the user's options never show up in the pictures.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out"

for scale in 1 2; do
    xvfb-run --auto-servernum --server-args="-screen 0 1920x1400x24 -dpi 96 -noreset" \
        env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
        XDG_CONFIG_HOME="$scratch/config" ZEPHRIX_DATA_DIR="$scratch/data" \
        ZEPHRIX_REPORT_URL=http://127.0.0.1:9 \
        "$build_dir/tests/screenshots" "$out"
done
ls -1 "$out"/*.png
