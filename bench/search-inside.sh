#!/bin/sh
# Searching inside files: zephrix-cli search --inside over 1 GiB of warm text
# files that do not hold the text (so every byte is read), against GNU grep
# -F -l over the same files, case-sensitive and not.
#
#   bench/search-inside.sh [BUILD_DIR] [RUNS] [FILES] [MIB_PER_FILE]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/search-timing.sh"
build=${1:-build}
runs=${2:-5}
files=${3:-8}
mib=${4:-128}
cli=$(cd "$build" && pwd)/src/zephrix-cli
work=${WORK_INSIDE:-/tmp/zephrix-inside-bench}
dir=$work/files
indexes=$work/indexes

if [ ! -f "$dir/done" ] || [ "$(cat "$dir/done")" != "$files x $mib" ]; then
    rm -rf "$work"
    mkdir -p "$dir"
    # One MiB of plain text, repeated.
    LC_ALL=C awk 'BEGIN { srand(3); split("the quarterly report of SALES and costs for 2024 was sent to Finance", w, " ");
                          while (n < 1048576) { s = w[int(rand() * 13) + 1] (rand() < 0.1 ? "\n" : " "); printf "%s", s; n += length(s) } }' \
        | head -c 1048576 >"$work/block"
    i=0
    while [ "$i" -lt "$files" ]; do
        j=0
        while [ "$j" -lt "$mib" ]; do cat "$work/block"; j=$((j + 1)); done >"$dir/part$i.txt"
        i=$((i + 1))
    done
    echo "$files x $mib" >"$dir/done"
fi
"$cli" --indexes "$indexes" index "$dir" >/dev/null
# Reading everything once puts it in the page cache.
cat "$dir"/*.txt >/dev/null

bytes=$((files * mib * 1048576))
scan() {
    "$cli" --indexes "$indexes" search --drive "$dir" --no-settings --type txt --inside-types txt "$@" >/dev/null 2>&1
}
grepFiles() {
    LC_ALL=C grep -F -l "$@" "$dir"/*.txt >/dev/null
}
rate() {
    awk -v b="$bytes" -v ms="$1" 'BEGIN { printf "%.2f", b / (ms / 1000) / 1e9 }'
}

printf '%-18s %10s %8s %10s %8s %9s\n' mode "ms" "GB/s" "grep ms" "GB/s" "peak MiB"
for mode in sensitive insensitive; do
    if [ "$mode" = sensitive ]; then
        ours=$(median_ms "$runs" scan --inside xylophone --case)
        theirs=$(median_ms "$runs" grepFiles xylophone)
        peak=$(peak_mib "$cli" --indexes "$indexes" search --drive "$dir" --no-settings --type txt --inside-types txt --inside xylophone --case)
    else
        ours=$(median_ms "$runs" scan --inside xylophone)
        theirs=$(median_ms "$runs" grepFiles -i xylophone)
        peak=$(peak_mib "$cli" --indexes "$indexes" search --drive "$dir" --no-settings --type txt --inside-types txt --inside xylophone)
    fi
    printf '%-18s %10s %8s %10s %8s %9s\n' "$mode" "$ours" "$(rate "$ours")" "$theirs" "$(rate "$theirs")" "$peak"
done
