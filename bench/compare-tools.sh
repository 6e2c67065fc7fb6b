#!/usr/bin/env bash
# The same tree through zephrix-cli and the standard tools, in one run, warm
# cache:
#   walk:   zephrix-cli index   vs  find -printf (one lstat per file)
#                               vs  fdfind (names only, no stat, threads)
#   search: zephrix-cli search  vs  plocate -b (names only) over its own database
#                               vs  grep -F -i over our entries file
#   bench/compare-tools.sh [TREE] [TEXT] [RUNS]
# TREE defaults to bench/data/tree-1m (bench/make-tree.py makes it); TEXT to
# a text that matches about a thousand of its names. Needs the packages of
# scripts/install-deps.sh --bench.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZEPHRIX_BUILD_DIR:-build}
tree=$(realpath "${1:-bench/data/tree-1m}")
text=${2:-4c3}
runs=${3:-5}
out=$PWD/bench/out/compare
mkdir -p "$out/indexes"
[ -d "$tree" ] || python3 bench/make-tree.py "$tree"
cmake --build "$build" --target zephrix-cli >/dev/null
cli=$PWD/$build/src/zephrix-cli

# The search side works on fresh index and database files of the same tree.
"$cli" --indexes "$out/indexes" index "$tree"
updatedb.plocate --require-visibility no --prunepaths "" --prunenames "" --prunefs "" \
  -U "$tree" -o "$out/plocate.db"
entries=$(ls "$out"/indexes/*.idx | grep -v 'paths\.idx$')

hyperfine --warmup 1 --runs "$runs" --export-markdown "$out/walk.md" \
  -n zephrix-cli "$cli --indexes $out/indexes index $tree" \
  -n find "find $tree -xdev -printf '%f|%s|%C@|%T@\n' > $out/find.txt" \
  -n fdfind "fdfind -H -I --one-file-system . $tree > $out/fd.txt"

# Searches are short: more runs, and warm-ups that fault the memory in.
hyperfine --warmup 3 --runs $((runs * 3)) --export-markdown "$out/search.md" \
  -n zephrix-cli "$cli --indexes $out/indexes search --no-settings --drive $tree --name $text --no-limit > $out/rows.txt" \
  -n plocate "plocate -d $out/plocate.db -i -b $text > $out/plocate.txt" \
  -n grep "LC_ALL=C grep -F -i $text '$entries' > $out/grep.txt"

printf 'rows: zephrix-cli %s, plocate %s, grep %s\n' \
  "$(wc -l <"$out/rows.txt")" "$(wc -l <"$out/plocate.txt")" "$(wc -l <"$out/grep.txt")"
/usr/bin/time -f 'zephrix-cli search peak %M KiB' \
  "$cli" --indexes "$out/indexes" search --no-settings --drive "$tree" --name "$text" --no-limit >/dev/null
