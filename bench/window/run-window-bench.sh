#!/usr/bin/env bash
# The main window's search beside zephrix-cli and plocate, on a quiet machine:
#   bench/window/run-window-bench.sh [WORK] [RUNS]
# Makes two 1,000,000-entry pairs in WORK (default /tmp/zx-window-bench):
# one of `few/` with 1000 names containing "quarterly", one of `many/` with
# 100,000; lays out every entry of the first pair as a file under `tree/`;
# runs window-bench on a virtual X server (xcb, as on a desktop), with the
# tree as the drive of the background rebuild (f); then times plocate -i over
# an updatedb database of the tree, for the repeated in-memory search (d).
# Needs scripts/install-deps.sh --bench.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${ZEPHRIX_BUILD_DIR:-build}
work=${1:-/tmp/zx-window-bench}
runs=${2:-5}

cmake --build "$build" --target zephrix-cli window-bench >/dev/null
cli=$PWD/$build/src/zephrix-cli
mkdir -p "$work/data/indexes" "$work/many-indexes"

# Each pair is made in a folder of its own (the maker clears its folder),
# then both go where the window reads its indexes. A later run reuses them.
if [ ! -f "$work/pairs-made" ]; then
    bench/search-make-pair.sh "$cli" "$work/data/indexes" "$work/few" 1000000 1000
    bench/search-make-pair.sh "$cli" "$work/many-indexes" "$work/many" 1000000 100000
    cp "$work"/many-indexes/*.idx "$work/data/indexes/"
    touch "$work/pairs-made"
fi

# A tree of the same million names, for plocate and for the background
# rebuild (f): every entry of the first pair as an empty file, in its folder.
entries=$(ls "$work"/data/indexes/*few.idx)
if [ ! -d "$work/tree" ]; then
    python3 - "$entries" "${entries%.idx}paths.idx" "$work/tree" <<'EOF'
import os, sys
entries, folders, tree = sys.argv[1:4]
with open(folders, 'rb') as f:
    paths = [line.rstrip(b'\r\n') for line in f][1:]
root = paths[0]
made = set()
with open(entries, 'rb') as f:
    next(f)
    for line in f:
        name, folder = line.rstrip(b'\r\n').split(b'|')[:2]
        where = os.path.join(tree.encode(), paths[int(folder)][len(root):])
        if where not in made:
            os.makedirs(where, exist_ok=True)
            made.add(where)
        open(os.path.join(where, name), 'wb').close()
EOF
fi
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -dpi 96" \
    env QT_QPA_PLATFORM=xcb "$build/bench/window-bench" "$cli" "$work/data" "$work/few/" "$work/many/" "$runs" "$work/tree/"

updatedb.plocate --require-visibility no --prunepaths "" --prunenames "" --prunefs "" \
    -U "$work/tree" -o "$work/plocate.db"
echo "plocate -i over the same names (the window's (d) above is the figure to compare):"
hyperfine --warmup 3 --runs $((runs * 3)) -N "plocate -d $work/plocate.db -i quarterly"
