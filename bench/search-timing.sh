# Shared by the search benchmarks: median wall time of a command, in ms.
#   median_ms RUNS COMMAND...   (the command runs once first, uncounted)

median_ms() {
    runs=$1
    shift
    "$@" >/dev/null 2>&1 || true
    i=0
    while [ "$i" -lt "$runs" ]; do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        echo $(((end - start) / 1000))
        i=$((i + 1))
    done | sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f\n", m / 1000 }'
}

# Peak resident memory of one run, in MiB (GNU time).
peak_mib() {
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { printf "%.1f\n", $2 / 1024 }'
}
