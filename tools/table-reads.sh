#!/bin/sh
# Which cells of the climate-zone tables (the residential and non-residential
# code requirements and the vintage windows by zone) the reference projects
# and the sweep read: builds the kernel counting every table read
# (-DMAVO_TABLE_READS=ON, in build-reads), runs the references and CI's
# sweep (seed 1, CASES cases, 80 by default) with the count on, and prints
# per table and zone how many of the rows some run reads are read there,
# naming those that are not.
#
#   tools/table-reads.sh [CASES]
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
cases=${1:-80}
build=$src/build-reads
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAVO_TABLE_READS=ON >/dev/null
cmake --build "$build" -j 3 >/dev/null
MAVO_TABLE_READS_FILE=$work/references "$build/bin/mavo-reference" "$src/tests/data/reference/results.txt" \
    "$src/data/util" "$src/data/weather" >/dev/null || true
MAVO_TABLE_READS_FILE=$work/sweep "$build/bin/mavo-sweep" --seed 1 --cases "$cases" --jobs 3 "$work/sweep-cases" \
    "$src/data/util" "$src/data/weather" >/dev/null || true

# Lines "table row zone"; a row counts for a table when some run, in some
# zone, reads it.
summary() {
    sort -u "$1" | awk -v what="$2" '
        { read[$1 " " $2 " " $3] = 1; rows[$1 " " $2] = 1; tables[$1] = 1 }
        END {
            printf "%s:\n", what
            for (t in tables) {
                n = 0
                for (k in rows) { split(k, p, " "); if (p[1] == t) { n++; row[n] = p[2] + 0 } }
                for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (row[j] < row[i]) { x = row[i]; row[i] = row[j]; row[j] = x }
                printf "  %s, %d rows read in some zone\n", t, n
                for (z = 1; z <= 16; z++) {
                    got = 0; missing = ""
                    for (i = 1; i <= n; i++) {
                        if ((t " " row[i] " " z) in read) got++
                        else missing = missing " " row[i]
                    }
                    printf "    zone %2d: %d of %d%s\n", z, got, n, missing == "" ? "" : " (not read:" missing ")"
                }
            }
        }'
}
summary "$work/references" "the reference projects"
summary "$work/sweep" "the sweep, seed 1, $cases cases"
