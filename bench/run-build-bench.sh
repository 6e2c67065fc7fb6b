#!/usr/bin/env bash
# Index build against find and against the bare walk, warm cache, same tree:
#   bench/run-build-bench.sh [TREE] [RUNS]
# TREE defaults to bench/data/tree-1m (made by bench/make-tree.py when
# missing); give / for the machine's own root (only read; the pairs go to
# bench/out). Prints each command's median wall time (hyperfine when it is
# installed, else /usr/bin/time over RUNS runs) and the build's peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZEPHRIX_BUILD_DIR:-build}
tree=${1:-bench/data/tree-1m}
runs=${2:-5}
out=bench/out
mkdir -p "$out/indexes"
[ -d "$tree" ] || python3 bench/make-tree.py "$tree"
cmake --build "$build" --target zephrix-cli bare-walk >/dev/null

cli="$build/src/zephrix-cli --indexes $out/indexes index $tree"
find_cmd="find $tree -xdev -printf '%f|%s|%C@|%T@\n' > $out/find.txt"
walk="$build/bench/bare-walk $tree"

if command -v hyperfine >/dev/null; then
  hyperfine --warmup 1 --runs "$runs" --ignore-failure \
    --export-markdown "$out/build-$(basename "$(realpath "$tree")").md" \
    -n zephrix-cli "$cli" -n find "$find_cmd" -n bare-walk "$walk"
else
  median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
  for name in zephrix-cli find bare-walk; do
    case $name in
      zephrix-cli) cmd=$cli ;; find) cmd=$find_cmd ;; bare-walk) cmd=$walk ;;
    esac
    sh -c "$cmd" 2>/dev/null || true
    for _ in $(seq "$runs"); do
      /usr/bin/time -f %e sh -c "$cmd" 2>&1 >/dev/null | tail -1
    done | median | sed "s/^/$name median seconds: /"
  done
fi
# Peak memory of one build: it follows the folder count, not the file count.
/usr/bin/time -v sh -c "exec $cli" 2>&1 | grep -E "Maximum resident|Elapsed" || true
