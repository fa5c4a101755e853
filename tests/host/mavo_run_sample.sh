#!/bin/sh
# Runs the stand-in host on a copy of the sample project and checks what the
# host sees: the getters, the three progress reports, the report of the run
# and the return code, and the trace file left in the project directory.
set -eu
runner=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$data/project" "$work/project"
"$runner" --trace "$work/project" "$data/util" "$data/weather" > "$work/out.txt"

fail() { echo "FAIL: $*"; cat "$work/out.txt"; exit 1; }
expect_line() { grep -qxF "$1" "$work/out.txt" || fail "missing output line '$1'"; }

expect_line "archName x86_64"
expect_line "archBits 64"
expect_line "isArchBigEndian 0"
expect_line "buildStyle Release"
expect_line "buildVersion 5.900"
expect_line "progressStates 1848"
grep -q "^buildDateTime .*2018" "$work/out.txt" || fail "build date"
progress=$(grep '^progress ' "$work/out.txt" | tr '\n' '|')
case "$progress" in
  "progress "[0-9]*" 0 0 0 0|progress -1 -1 -1 -1 -1|progress -1 -1 -1 -1 -1|") ;;
  *) fail "progress reports: $progress" ;;
esac
[ "$(tail -n 1 "$work/out.txt")" = "return 0" ] || fail "return code"

# The host's report of the run: the days and main results it prints are the
# summary rows of the scheme run, as the summary file keeps them.
. "$(dirname "$0")/summary_file.sh"
summary="$work/project/summaryb.dat"
scheme=$(selected_scheme "$summary")
for row in 48 1 18 19 25 66 38 37 70; do
  printed=$(printed_row "$row" < "$work/out.txt")
  stored=$(summary_row "$summary" "$row" "$scheme")
  same_to_the_cent "$printed" "$stored" || fail "row $row printed as '$printed', saved as $stored"
done
grep -q "^files written: .*scheme$scheme.csv .*summaryb.dat" "$work/out.txt" || fail "files written"

# A traced run's developer dump lies beside its trace.
[ -f "$work/project/datadump.txt" ] || fail "no developer dump beside the trace"
trace=$(cat "$work/project"/v7trace*.txt)
for text in " -=- " "Start Kernel" "181203" "154759" "DBG IN  : MAIN (MAC_OS_KERNEL)" \
            "DBG IN  : AAAMAIN .ne.c_dos" "DBG OUT : End of AAAMAIN" "DBG OUT : MAIN (MAC_OS_KERNEL)" \
            "DBG IN  : CALCS" "DBG IN  : KEEPCSV"; do
  printf '%s\n' "$trace" | grep -qF -- "$text" || fail "trace lacks '$text'"
done
# The first run settles the new project's parameter column; after that a
# run with nothing changed leaves the project's files as they were.
"$runner" --trace "$work/project" "$data/util" "$data/weather" > "$work/out.txt"
mkdir "$work/first"
cp "$work/project"/*.dat "$work/project"/*.het "$work/first/"
"$runner" --trace "$work/project" "$data/util" "$data/weather" > "$work/out.txt"
for f in "$work/first"/*; do
  cmp -s "$f" "$work/project/$(basename "$f")" || fail "third run changed $(basename "$f")"
done

# An untraced run writes nothing outside the project directory: not into
# the temporary directory, not into the host's current directory.
mkdir "$work/tmp" "$work/cwd"
(cd "$work/cwd" && TMPDIR="$work/tmp" "$runner" "$work/project" "$data/util" "$data/weather" > "$work/out.txt")
[ -z "$(find "$work/tmp" "$work/cwd" -mindepth 1)" ] || fail "an untraced run wrote outside the project directory"

# The stand-in host writes nothing through a symbolic link: a link at the
# summary file, pointing outside the project, leaves the file it points to
# as it was.
cp "$work/project/summaryb.dat" "$work/outside.dat"
cp "$work/outside.dat" "$work/outside.before"
mv "$work/project/summaryb.dat" "$work/summary.kept"
ln -s "$work/outside.dat" "$work/project/summaryb.dat"
"$runner" --scheme 2 "$work/project" "$data/util" "$data/weather" > "$work/out.txt" 2>&1 || true
cmp -s "$work/outside.dat" "$work/outside.before" || fail "the host wrote through a link at the summary file"
rm "$work/project/summaryb.dat"
mv "$work/summary.kept" "$work/project/summaryb.dat"

# The stand-in host writes nothing into a file too short to hold its word:
# an emptied input file stays empty, and the kernel refuses it.
: > "$work/project/scheme1b.dat"
"$runner" --scheme 1 "$work/project" "$data/util" "$data/weather" > "$work/out.txt" 2>&1 &&
  fail "a run of an emptied input file must fail"
[ "$(tail -n 1 "$work/out.txt")" = "return 1" ] || fail "the emptied input file did not reach the kernel"
[ ! -s "$work/project/scheme1b.dat" ] || fail "the host wrote into the emptied input file"
echo "ok"
