#!/usr/bin/env bash
# Loading a 1,000,000-entry pair, warm cache:
#   bench/run-load-bench.sh [TREE] [RUNS]
# Builds the pair of TREE (default bench/data/tree-1m) when bench/out has
# none, then times RUNS loads in one process and reports the tables' memory
# against the bound (1.5 x the entries file + 24 bytes per entry), and the
# whole process's peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZEPHRIX_BUILD_DIR:-build}
tree=${1:-bench/data/tree-1m}
runs=${2:-7}
out=bench/out
mkdir -p "$out/indexes"
[ -d "$tree" ] || python3 bench/make-tree.py "$tree"
cmake --build "$build" --target zephrix-cli load-index-bench >/dev/null
root="$(realpath "$tree")/"
if [ "$("$build/src/zephrix-cli" --indexes "$out/indexes" age "$root")" = 100 ]; then
  "$build/src/zephrix-cli" --indexes "$out/indexes" index "$root"
fi
"$build/bench/load-index-bench" "$out/indexes" "$root" "$runs"
/usr/bin/time -v "$build/bench/load-index-bench" "$out/indexes" "$root" 0 2>&1 |
  grep -E "Maximum resident" || true
