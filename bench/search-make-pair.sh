#!/bin/sh
# Generates a drive pair of ENTRIES file entries (default 1,000,000) for ROOT
# in INDEXES, in the stored form, stamped now. About MATCHES entries (default
# 1000) have "Quarterly" in their names, in mixed case; only those files are
# created under ROOT, since a search touches the disk for nothing else.
#
#   bench/search-make-pair.sh CLI INDEXES ROOT [ENTRIES] [MATCHES]
set -eu
cli=$1 indexes=$2 root=${3%/} entries=${4:-1000000} matches=${5:-1000}

mkdir -p "$indexes" "$root"
rm -rf "${root:?}"/*
# An index of the empty root gives the pair its file names.
rm -f "$indexes"/*.idx
"$cli" --indexes "$indexes" index "$root" >/dev/null
entriesFile=$(ls "$indexes"/*.idx | grep -v 'paths\.idx$')
foldersFile=${entriesFile%.idx}paths.idx
stamp=$(sed -n 1p "$entriesFile" | tr -d '\r')

# Paths go through the environment: awk -v would read "\x2d" in an escaped
# file name as an escape of its own.
ROOT="$root/" ENTRIES_FILE="$entriesFile" FOLDERS_FILE="$foldersFile" PLANTED="$indexes/planted.txt" \
    LC_ALL=C awk -v n="$entries" -v m="$matches" -v stamp="$stamp" '
BEGIN {
    root = ENVIRON["ROOT"]; entriesFile = ENVIRON["ENTRIES_FILE"]
    foldersFile = ENVIRON["FOLDERS_FILE"]; planted = ENVIRON["PLANTED"]
    srand(42)
    split("report invoice photo holiday notes draft budget summary scan letter backup music video " \
          "readme config index main test data chart slide table archive thesis paper memo", words, " ")
    split("txt doc pdf jpg png mp3 mp4 xls ppt zip c h cpp py html log json xml csv md", exts, " ")
    split("Quarterly QUARTERLY quarterly QuarterLY", planted_forms, " ")
    perFolder = 20
    subs = 100
    leaves = int((n + perFolder - 1) / perFolder)
    tops = int((leaves + subs - 1) / subs)
    printf "%s\r\n%s\r\n", stamp, root > foldersFile
    for (t = 0; t < tops; t++) { printf "%sd%03d/\r\n", root, t > foldersFile }
    for (k = 0; k < leaves; k++) {
        folder[k] = sprintf("%sd%03d/s%02d/", root, int(k / subs), k % subs)
        printf "%s\r\n", folder[k] > foldersFile
    }
    printf "%s\r\n", stamp > entriesFile
    every = int(n / m)
    for (i = 0; i < n; i++) {
        k = int(i / perFolder)
        if (i % every == every / 2) {
            name = sprintf("%s-Report-%d.xlsx", planted_forms[i % 4 + 1], i)
            print folder[k] name > planted
        } else {
            r = rand()
            if (r < 0.3) name = sprintf("IMG_%08d.jpg", int(rand() * 100000000))
            else if (r < 0.6) name = sprintf("%s-%s-%d.%s", words[int(rand() * 24) + 1], words[int(rand() * 24) + 1], int(rand() * 10000), exts[int(rand() * 20) + 1])
            else if (r < 0.8) name = sprintf("%s_%d.%s", words[int(rand() * 24) + 1], int(rand() * 1000), exts[int(rand() * 20) + 1])
            else name = sprintf("lib%s%s.so.%d", words[int(rand() * 24) + 1], words[int(rand() * 24) + 1], int(rand() * 10))
        }
        month = int(rand() * 12) + 1; day = int(rand() * 28) + 1; year = 2000 + int(rand() * 25)
        hour = int(rand() * 12) + 1; minute = int(rand() * 60); second = int(rand() * 60)
        date = sprintf("%d/%d/%d %d:%02d:%02d %s", month, day, year, hour, minute, second, rand() < 0.5 ? "AM" : "PM")
        printf "%s|%d|%d|%s|%s\r\n", name, tops + 1 + k, int(rand() * 5000000), date, date > entriesFile
    }
}'
# The planted files exist; nothing else does.
while IFS= read -r path; do
    mkdir -p "${path%/*}"
    : > "$path"
done < "$indexes/planted.txt"
echo "pair: $entriesFile ($(($(wc -l < "$entriesFile") - 1)) entries), $(wc -l < "$indexes/planted.txt") planted files"
