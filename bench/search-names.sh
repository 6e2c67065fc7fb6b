#!/bin/sh
# Name searches over a generated 1,000,000-entry drive pair, end to end
# through zephrix-cli (warm cache, results limit off), each against GNU grep
# over the same entries file in the same run. grep writes to a real file: with
# /dev/null as its output it stops at the first match.
#
#   bench/search-names.sh [BUILD_DIR] [RUNS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/search-timing.sh"
build=${1:-build}
runs=${2:-11}
cli=$(cd "$build" && pwd)/src/zephrix-cli
work=${WORK:-/tmp/zephrix-search-bench}
indexes=$work/indexes
root=$work/root
out=$work/out

if [ ! -f "$indexes/planted.txt" ]; then
    "$here/search-make-pair.sh" "$cli" "$indexes" "$root"
fi
entries=$(ls "$indexes"/*.idx | grep -v 'paths\.idx$')
# Stamped at generation: refresh the stamp so the pair counts as fresh.
stamp=$(date '+%-m/%-d/%Y %-I:%M:%S %p')
for f in "$entries" "${entries%.idx}paths.idx"; do
    sed -i "1s|.*|$stamp\r|" "$f"
done

search() {
    "$cli" --indexes "$indexes" search --drive "$root" --no-settings --no-folders --no-limit "$@" >"$out.rows" 2>/dev/null
}
grepFor() {
    LC_ALL=C grep -F -i "$1" "$entries" >"$out.grep"
}

printf '%-58s %6s %8s %8s %6s %9s\n' request rows ms "grep ms" ratio "peak MiB"
for request in "contains|--name quarterly|quarterly" \
               "exactly|--name quarterly-report-500500 --match exactly|quarterly-report-500500." \
               "starts with|--name quarterly --match starts|quarterly" \
               "ends with|--name report-500500 --match ends|report-500500." \
               "type only|--type xlsx|.xlsx|" \
               "nothing matches|--name zzzzzz|zzzzzz"; do
    label=${request%%|*}
    rest=${request#*|}
    args=${rest%%|*}
    pattern=${rest#*|}
    # shellcheck disable=SC2086
    ours=$(median_ms "$runs" search $args)
    theirs=$(median_ms "$runs" grepFor "$pattern")
    # shellcheck disable=SC2086
    search $args
    rows=$(wc -l <"$out.rows")
    # shellcheck disable=SC2086
    peak=$(peak_mib "$cli" --indexes "$indexes" search --drive "$root" --no-settings --no-folders --no-limit $args)
    ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')
    printf '%-58s %6s %8s %8s %6s %9s\n' "$label ($args)" "$rows" "$ours" "$theirs" "$ratio" "$peak"
done
