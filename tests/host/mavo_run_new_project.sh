#!/bin/sh
# The stand-in host's part of a run: a new project made from the utility
# directory's defaults, a scheme selected with its command, a second run of
# the same project, and what the host reports after library commands.
set -eu
runner=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/out.txt" 2>/dev/null; exit 1; }

"$runner" --new --scheme 3 "$work/NEWDIR" "$data/util" "$data/weather" > "$work/out.txt" || fail "first run"
grep -qx "progress 3 0 0 0 0" "$work/out.txt" || fail "scheme 3 not selected"
[ "$(tail -n 1 "$work/out.txt")" = "return 0" ] || fail "first run return"
for f in master.dir summaryb.dat stratb.dat stratb.bfr strategy.txt; do
  [ -f "$work/NEWDIR/$f" ] || fail "new project lacks $f"
done

"$runner" --trace --scheme 3 --command 205 "$work/NEWDIR" "$data/util" "$data/weather" > "$work/out.txt" ||
  fail "second run"
[ "$(tail -n 1 "$work/out.txt")" = "return 0" ] || fail "second run return"
grep -qF "DBG IN  : LIBARY" "$work/NEWDIR/v7trace3.txt" || fail "command 205 did not reach the library operation"
# An erase that names no scheme is refused; the host says so, with the
# reason the kernel traced.
grep -qx "library command 205 refused: no scheme or combination line of that number to erase" "$work/out.txt" ||
  fail "refused command not reported"

# A new project asks for its designs: scheme 1 the code-minimum, scheme 2
# the efficient one, generated before they are simulated. Scheme 2 stands
# on the site chosen for scheme 1.
"$runner" --trace --new --site ChiOHare.epw --scheme 1 "$work/DESIGNS" "$data/util" "$data/weather" > "$work/out.txt" ||
  fail "design run of scheme 1"
"$runner" --trace --scheme 2 "$work/DESIGNS" "$data/util" "$data/weather" > "$work/out.txt" || fail "design run of scheme 2"
for s in 1 2; do
  grep -qF "nflag(22)=T, call EXPERT" "$work/DESIGNS/v7trace$s.txt" || fail "scheme $s of a new project not designed"
  grep -qF "TMYFILE ChiOHare.epw" "$work/DESIGNS/v7trace$s.txt" || fail "scheme $s not on the chosen site"
  # The blank column the design is about to fill is no error.
  if grep -qF "code below 1" "$work/DESIGNS/v7trace$s.txt"; then fail "scheme $s design traced an error of its own"; fi
done

# The two designs combined (line 1: summary column 10) and compared with
# the code-minimum design: the host prints the difference column, the
# line's rows minus scheme 1's.
"$runner" --scheme 2 --command 208 --target 2 --name "Efficient" "$work/DESIGNS" "$data/util" "$data/weather" \
  > "$work/out.txt" || fail "naming scheme 2"
"$runner" --scheme 2 --command 204 --target 12 --name "Both" "$work/DESIGNS" "$data/util" "$data/weather" \
  > "$work/out.txt" || fail "combining"
"$runner" --scheme 12 --command 212 --target 1 "$work/DESIGNS" "$data/util" "$data/weather" > "$work/out.txt" ||
  fail "comparing"
. "$(dirname "$0")/summary_file.sh"
sed -n '/^difference, combination 12 minus scheme 1 (column 19):$/,$p' "$work/out.txt" > "$work/difference.txt"
for row in 18 19 21 25 38 37; do
  printed=$(printed_row "$row" < "$work/difference.txt")
  line=$(summary_row "$work/DESIGNS/summaryb.dat" "$row" 10)
  scheme=$(summary_row "$work/DESIGNS/summaryb.dat" "$row" 1)
  same_to_the_cent "$printed" "$(awk -v a="$line" -v b="$scheme" 'BEGIN { print a - b }')" ||
    fail "difference row $row printed as '$printed', columns $line and $scheme"
done
# Without weather the designed scheme is not simulated, and the host says so.
"$runner" --scheme 1 "$work/DESIGNS" "$data/util" "$work/no-weather" > "$work/out.txt" 2>&1 || true
grep -q "^nothing was simulated" "$work/out.txt" || fail "a run without weather not reported"

# A site chosen by the host reaches the weather reader; a copy goes to the
# target the host names, not to the efficient design's slot.
"$runner" --trace --scheme 4 --site ChiOHare.epw "$work/NEWDIR" "$data/util" "$data/weather" > "$work/out.txt" ||
  fail "EPW site run"
grep -qF "TMYFILE ChiOHare.epw" "$work/NEWDIR/v7trace4.txt" || fail "EPW site not used"
"$runner" --scheme 4 --command 201 --target 6 "$work/NEWDIR" "$data/util" "$data/weather" > "$work/out.txt" ||
  fail "copy run"
grep -qx "progress 4 0 0 0 0" "$work/out.txt" || fail "copy source not selected"
grep -qx "library command 201 done" "$work/out.txt" || fail "copy not reported as done"
grep -qF ChiOHare.epw "$work/NEWDIR/scheme6b.dat" || fail "copy did not reach scheme 6"
# The copy is named through the library's name buffer.
"$runner" --scheme 6 --command 208 --target 6 --name "Chicago copy" "$work/NEWDIR" "$data/util" "$data/weather" \
  > "$work/out.txt" || fail "rename run"
grep -q "^ 0  Chicago copy" "$work/NEWDIR/master.dir" || fail "name not left in the name buffer"
"$runner" --scheme 4 --site 12345678 "$work/NEWDIR" "$data/util" "$data/weather" > "$work/out.txt" 2>&1 &&
  fail "a site that is neither a zip code nor a weather file must be refused"

# The scheme stays selected in the project for the next run.
"$runner" "$work/NEWDIR" "$data/util" "$data/weather" > "$work/out.txt" || fail "third run"
grep -qx "progress 6 0 0 0 0" "$work/out.txt" || fail "selection not kept"

"$runner" --scheme 3 --command 1 /nonexistent/project "$data/util" "$data/weather" > "$work/out.txt" 2>&1 &&
  fail "a missing project must be refused"
echo ok
