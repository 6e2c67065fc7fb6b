#!/bin/sh
# A search whose filters pass nothing touches the file system for no entry:
# the system calls of zephrix-cli search over the generated 1,000,000-entry
# pair, counted by strace. Calls that name files (stat, open, access) stay a
# handful whatever the number of entries.
#
#   bench/search-strace.sh [BUILD_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cli=$(cd "$build" && pwd)/src/zephrix-cli
work=${WORK:-/tmp/zephrix-search-bench}
indexes=$work/indexes
root=$work/root
if [ ! -f "$indexes/planted.txt" ]; then
    "$here/search-make-pair.sh" "$cli" "$indexes" "$root"
fi

for request in "--name zzzzzz" "--type nosuchtype" "--name quarterly --size large"; do
    # shellcheck disable=SC2086
    strace -c -f -o "$work/strace.txt" "$cli" --indexes "$indexes" search --drive "$root" --no-settings \
        --no-limit $request >/dev/null 2>&1 || true
    echo "== zephrix-cli search $request"
    sed -n '1,/^-.*total/p' "$work/strace.txt" | grep -E 'calls|stat|open|access|readlink|getdents|total' || true
    awk '$NF ~ /^(statx|newfstatat|lstat|stat|openat|open|access|faccessat2?|readlink)$/ { n += $4 }
         END { printf "calls that name a file: %d, for 1000000 entries\n", n }' "$work/strace.txt"
done
