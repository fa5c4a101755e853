#!/bin/sh
# The cost of putting a run's files in place, for a plain run of the sample
# project: the opens, renames and unlinks it makes in the project directory
# (counted with strace), and the run's wall time as a whole process, paired
# with another build (the previous commit's, say) run by turns on copies of
# the same project, so that a busy machine weighs on both alike.
#
#   bench/commit_cost.sh [--runs N] NEW_MAVO_RUN OLD_MAVO_RUN DATA_DIR
#
# NEW_MAVO_RUN and OLD_MAVO_RUN are release builds' bin/mavo-run; DATA_DIR
# the kernel tree's data directory. Prints, for each build, the calls into
# the project directory by kind, then the median and the quartiles of N
# timed runs (default 30). Not a test: figures for a person to compare.
set -eu
runs=30
if [ "${1:-}" = "--runs" ]; then runs=$2; shift 2; fi
[ $# -eq 3 ] || { echo "usage: $0 [--runs N] NEW_MAVO_RUN OLD_MAVO_RUN DATA_DIR" >&2; exit 2; }
new=$1; old=$2; data=$3
command -v strace > /dev/null || { echo "$0: strace is needed (apt-get install strace)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() { "$1" "$2" "$data/util" "$data/weather" > /dev/null 2>&1; }

# The sample's scheme 1 holds the design command (243), which designs on
# every run: the first run stores the plain simulation (0) in its place, so
# that every run measured is a plain run of the saved design.
for which in new old; do
  eval runner=\$$which
  cp -r "$data/project" "$work/$which"
  "$runner" --scheme 1 --command 0 "$work/$which" "$data/util" "$data/weather" > /dev/null 2>&1 ||
    { echo "$0: the $which build does not run the sample" >&2; exit 1; }
done

echo "calls into the project directory, one plain run:"
printf '%-5s %6s %7s %7s %7s\n' build opens renames unlinks stats
for which in new old; do
  eval runner=\$$which
  strace -f -qq -o "$work/$which.trace" -e trace=open,openat,rename,renameat,renameat2,unlink,unlinkat,stat,lstat,newfstatat,statx \
    "$runner" "$work/$which" "$data/util" "$data/weather" > /dev/null 2>&1
  in_project() { grep -E "^[0-9]+ +($1)\(" "$work/$which.trace" | grep -c "$work/$which" || true; }
  printf '%-5s %6s %7s %7s %7s\n' "$which" "$(in_project 'open|openat')" "$(in_project 'rename|renameat|renameat2')" \
    "$(in_project 'unlink|unlinkat')" "$(in_project 'stat|lstat|newfstatat|statx')"
done

# Wall time of whole runs, the two builds by turns.
i=0
: > "$work/new.times"; : > "$work/old.times"
while [ $i -lt "$runs" ]; do
  for which in new old; do
    eval runner=\$$which
    start=$(date +%s%N)
    run "$runner" "$work/$which"
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 )) >> "$work/$which.times"
  done
  i=$((i + 1))
done
echo "wall time of a whole run, $runs runs each (microseconds):"
printf '%-5s %8s %8s %8s\n' build q1 median q3
for which in new old; do
  sort -n "$work/$which.times" | awk -v b="$which" '{ t[NR] = $1 } END {
    printf "%-5s %8d %8d %8d\n", b, t[int(NR / 4) + 1], t[int(NR / 2) + 1], t[int(3 * NR / 4) + 1] }'
done
