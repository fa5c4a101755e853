#!/bin/sh
# What the stand-in host says to a user who types at a UTF-8 terminal: every
# wrong argument named and refused before anything is touched, names stored
# in the project's code page and printed back as typed, the run that meets
# a missing zone file and the unknown zip code each told once and whole.
set -eu
runner=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/out.txt" 2>/dev/null; exit 1; }
# The README's commands name the data directories from the tree's root.
cd "$data/.."
run() { "$runner" "$@" > "$work/out.txt" 2>&1; }
expect_line() { grep -qxF -- "$1" "$work/out.txt" || fail "missing line '$1'"; }

run --new --scheme 1 "$work/p" data/util data/weather || fail "new project"
# Every file of the project, hidden ones included, byte for byte.
snapshot() { (cd "$work/p" && ls -A && for f in $(ls -A); do cksum < "$f"; done) | cksum; }
before=$(snapshot)
touch "$work/a-file"
# Each refused call: its arguments (split at '|'), then what it must say.
while IFS='|' read -r a1 a2 a3 a4 a5 a6 said; do
  set -- $a1 $a2 $a3 $a4 $a5 $a6
  [ "$1" = "-" ] && set --
  project="$work/p"
  case "$said" in *"not a directory"*) project="$work/a-file" ;; esac
  if "$runner" "$@" "$project" data/util data/weather > "$work/out.txt" 2>&1; then fail "accepted: $*"; fi
  grep -qF -- "$said" "$work/out.txt" || fail "for '$*' expected '$said'"
  if grep -qF "add --new" "$work/out.txt" && [ "$project" = "$work/a-file" ]; then fail "a file told to add --new"; fi
done <<'TABLE'
--command|0|||||mavo-run: --command needs --scheme
--scheme|1|--command|abc|||mavo-run: --command abc is not a command code
--scheme|1|--command|243.5|||mavo-run: --command 243.5 is not a command code: give a whole number 0 to 999
--scheme|1|--command|201|--target|13|mavo-run: --target 13: a copy (--command 201) goes into a scheme slot
--scheme|1|--command|201|||the project's second scheme is 0, no slot: give --target 1 to 9
--scheme|1|--site|0|||mavo-run: --site "0" is neither a zip code
--scheme|1|--site|.|||mavo-run: --site "." is neither a zip code
--bogus||||||mavo-run: unknown option --bogus
--scheme|0|||||mavo-run: --scheme 0: give a scheme slot 1 to 9 or a combination number
--scheme|10|||||mavo-run: --scheme 10: give a scheme slot 1 to 9
--scheme|20|||||mavo-run: --scheme 20: give a scheme slot 1 to 9
--scheme|99|||||mavo-run: --scheme 99: give a scheme slot 1 to 9
--scheme|123|||||mavo-run: --scheme 123: no combination line of the project holds it
--target|31|||||mavo-run: --target 31: give a scheme slot 1 to 9
--scheme|13|--site|3|||mavo-run: --site needs a scheme slot 1 to 9
--name|Łódź|||||character 1, "Ł" (U+0141), is not in Windows-1252
--new||||||is not a directory; give a project directory (--new makes a project only where nothing is)
-||||||is not a directory; give a project directory
TABLE
if "$runner" "$work/p" data/util data/weather extra > "$work/out.txt" 2>&1; then fail "a fourth directory accepted"; fi
expect_line "mavo-run: extra: one argument too many; the options come first, then the three directories PROJECT_DIR UTIL_DIR WEATHER_DIR"
if run --name "$(printf 'Caf\303')" "$work/p" data/util data/weather; then fail "invalid UTF-8 accepted"; fi
grep -qF "it is not UTF-8 text: byte 0xC3 after character 3" "$work/out.txt" || fail "invalid UTF-8 not named"
if run --scheme 1 --site "" "$work/p" data/util data/weather; then fail "an empty site accepted"; fi
grep -qF 'mavo-run: --site "" is neither a zip code' "$work/out.txt" || fail "an empty site not named"
if run --name "$(printf 'a\033[2Jb')" "$work/p" data/util data/weather; then fail "a control character accepted"; fi
grep -qF 'mavo-run: --name "a\x1B[2Jb": character 2 is a control character (U+001B)' "$work/out.txt" ||
  fail "a refused name not printed with its control character escaped"
if grep -q "$(printf '\033')" "$work/out.txt"; then fail "a control character printed to the terminal"; fi
# Whatever the user typed is printed back without its control bytes (a
# title-setting sequence reaches no terminal): an option, an extra
# argument, a directory, a directory --new cannot make.
title=$(printf '\033]0;T\007')
for typed in "--bo${title}gus|$work/p|unknown option --bo\x1B]0;T\x07gus" \
             "$work/p|extra$title|extra\x1B]0;T\x07: one argument too many" \
             "-|$work/no$title|the project directory $work/no\x1B]0;T\x07 does not exist" \
             "--new|$work/no/dir$title|cannot create the project directory $work/no/dir\x1B]0;T\x07"; do
  first=${typed%%|*}; rest=${typed#*|}; second=${rest%%|*}; words=${rest#*|}
  case "$first" in
    -) set -- "$second" data/util data/weather ;;
    --new) set -- --new "$second" data/util data/weather ;;
    "$work/p") set -- "$first" data/util data/weather "$second" ;;
    *) set -- "$first" "$second" data/util data/weather ;;
  esac
  if run "$@"; then fail "accepted: $words"; fi
  grep -qF -- "$words" "$work/out.txt" || fail "expected '$words'"
  if grep -q "$(printf '[\033\007]')" "$work/out.txt"; then fail "a control byte printed: $words"; fi
done
[ "$(snapshot)" = "$before" ] || fail "a refused call changed the project"

# --new where other files lie and no project: refused before anything is
# made there, with no advice to add --new.
mkdir "$work/other"; : > "$work/other/notes.txt"
if run --new --scheme 1 "$work/other" data/util data/weather; then fail "--new among other files accepted"; fi
expect_line "mavo-run: --new makes a project only where nothing is, and the directory $work/other holds other files and no project (no summaryb.dat): give a directory that does not exist or is empty"
[ "$(ls -A "$work/other")" = notes.txt ] || fail "the refused --new left files"

# An empty directory holds no project, nor does one holding only the lock
# file a call leaves: without --new the call is refused, with it the
# project is made there.
for d in empty locked; do
  mkdir "$work/$d"
  [ "$d" = locked ] && : > "$work/$d/.mavolock"
  if run "$work/$d" data/util data/weather; then fail "an empty project directory ($d) accepted"; fi
  expect_line "mavo-run: the project directory $work/$d is empty: add --new to make a new project there"
  [ -z "$(ls "$work/$d")" ] || fail "a refused call wrote into the empty directory ($d)"
  run --new "$work/$d" data/util data/weather || fail "--new in an empty directory ($d)"
  expect_line "return 0"
done

# A name is stored one byte per character and printed back as typed; a
# rename names the scheme it renamed; the 24th character stays whole.
run --scheme 1 --command 208 --target 2 --name "Café à la carte" "$work/p" data/util data/weather || fail "rename"
expect_line 'run: scheme 1 "BASECASE Energy Efficien"'
expect_line 'library command 208 done: scheme 2 is now named "Café à la carte"'
[ "$(sed -n 2p "$work/p/master.dir" | cut -c5-19)" = "$(printf 'Caf\351 \340 la carte')" ] ||
  fail "name not stored in the code page"
run --scheme 2 --command 208 --target 2 --name "ABCDEFGHIJKLMNOPQRSTUVWé" "$work/p" data/util data/weather ||
  fail "24-character rename"
run --scheme 2 --command 0 "$work/p" data/util data/weather || fail "run of the renamed scheme"
expect_line 'run: scheme 2 "ABCDEFGHIJKLMNOPQRSTUVWé"'
grep -qF 'PlanName="ABCDEFGHIJKLMNOPQRSTUVWé"' "$work/p/scheme2.xml" || fail "24-character name not exported whole"

# A refusal's reason is in the trace of a traced call, whichever scheme the
# command starts from: a select of a line broken by its member's re-read,
# from scheme 2, whose line's leading member's file keeps no trace switch.
run --scheme 1 --command 201 --target 3 "$work/p" data/util data/weather || fail "copy"
run --scheme 3 --command 208 --target 3 --name "Copy" "$work/p" data/util data/weather || fail "name"
run --scheme 3 --command 204 --target 13 --name "Line" "$work/p" data/util data/weather || fail "combination"
expect_line "library command 204 done"
run --scheme 3 --command 209 --target 3 --name "MAR JUL" "$work/p" data/util data/weather || fail "re-read"
run --trace --scheme 2 --command 206 --target 13 "$work/p" data/util data/weather || fail "select"
expect_line "library command 206 refused: the scheme's stored results still do not match its climate: select given up"

# The fallback at a climate zone without its file, as the README lists it.
run --new --site 5 --scheme 1 "$work/zone5" data/util data/weather || fail "zone 5 run"
sed -n '/^    site: LOS ANGELES WESTWOOD, zip code 90024$/,/^$/p' README.md | sed '/^$/d; s/^    //' > "$work/listed.txt"
[ "$(wc -l < "$work/listed.txt")" -eq 3 ] || fail "the README's listing of the fallback run not found"
while IFS= read -r line; do expect_line "$line"; done < "$work/listed.txt"
if grep -q "simulated on\|weather file could not be read" "$work/out.txt"; then fail "fallback run in other words"; fi

# A weather file that cannot be read: the run falls back to climate zone
# 9 and, as the README says, names the site "Climate Data Error RE-DO" in
# its report, while the scheme stays at its weather file (row 4 = -1).
mkdir "$work/weather"; cp data/weather/* "$work/weather"
head -c 100 data/weather/Phoenix.epw > "$work/weather/Cut.epw"
run --scheme 4 --command 0 --site Cut.epw "$work/p" data/util "$work/weather" || fail "cut weather file run"
expect_line "site: Climate Data Error RE-DO"
expect_line "days simulated (row 48): 0"
grep -qF "nothing was simulated: every result of the scheme is 0 (the climate data were not valid: the weather file could not be read, and the run fell back to the default location, climate zone 9; " "$work/out.txt" ||
  fail "the README's words on a weather file that cannot be read not said"
grep -qF "Climate File Name: Climate Data Error RE-DO" "$work/p/scheme4.csv" || fail "the report names another site"
[ "$(od -An -tf4 -j $((12 + (3 * 200 + 3) * 4)) -N4 "$work/p/stratb.dat" | tr -d ' ')" = -1 ] ||
  fail "the scheme's site is no longer its weather file"

# An unknown zip code: one site line.
run --new --site 99999 --scheme 1 "$work/zip" data/util data/weather || fail "unknown zip run"
[ "$(grep -c '^site:' "$work/out.txt")" -eq 1 ] || fail "more than one site line"
expect_line "site: zip code 99999 is not in zipcodes.sce; the run was made at, and saved as the site, the default location (flag 89): LOS ANGELES WESTWOOD, zip code 90024; simulated on zone9.txh (climate zone 9)"
# A number past the climate zones that the table lacks, in the same words.
run --site 18 --scheme 1 "$work/zip" data/util data/weather || fail "site 18 run"
expect_line "site: site 18 is not in zipcodes.sce (a climate zone is 1 to 16); the run was made at, and saved as the site, the default location (flag 89): LOS ANGELES WESTWOOD, zip code 90024; simulated on zone9.txh (climate zone 9)"

# Refused calls, each told what is wrong and what to do, the project as it
# was: a lock file that is a directory or a link; a strategy file too short
# for the command (the scheme selection is not made either); scheme 2 at a
# zip code the table lacks (named as asked, beside the zip code of the
# default location the run saved); a user who may not write a new
# project's parent directory, or a project file.
cp -r "$work/p" "$work/r"
summary=$(cksum < "$work/r/summaryb.dat")
refused() {  # WHAT WORDS ARGS...
  what=$1; words=$2; shift 2
  if run "$@"; then fail "accepted: $what"; fi
  grep -qF -- "$words" "$work/out.txt" || fail "$what: expected '$words'"
  [ "$(cksum < "$work/r/summaryb.dat")" = "$summary" ] || fail "$what: the project changed"
}
rm -f "$work/r/.mavolock"; mkdir "$work/r/.mavolock"
refused "a lock file that is a directory" \
  "mavo-run: cannot lock the project with $work/r/.mavolock: it is a directory; remove it, the kernel makes it anew" \
  --scheme 3 "$work/r" data/util data/weather
rmdir "$work/r/.mavolock"; ln -s "$work/a-file" "$work/r/.mavolock"
refused "a lock file that is a link" \
  "mavo-run: cannot lock the project with $work/r/.mavolock: it is a symbolic link; remove it, the kernel makes it anew" \
  --scheme 3 "$work/r" data/util data/weather
rm "$work/r/.mavolock"
head -c 1000 "$work/p/stratb.dat" > "$work/r/stratb.dat"
refused "a strategy file too short" "is too short to hold the value at byte 1616; left as it is" \
  --scheme 3 --command 0 "$work/r" data/util data/weather
grep -qxF "mavo-run: none of its edits was made" "$work/out.txt" || fail "a refused edit not told"
run --new --site 94105 --scheme 2 --command 0 "$work/zip2" data/util data/weather || fail "scheme 2 at an unknown zip"
expect_line "site: zip code 94105 is not in zipcodes.sce; the run was made at, and saved as the site, the default location (flag 89): LOS ANGELES WESTWOOD, zip code 90024; simulated on zone9.txh (climate zone 9)"
# Another user (nobody, where the test runs as root).
as_user() { "$@"; }
other_user=yes
if [ "$(id -u)" = 0 ]; then
  as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
  command -v setpriv > /dev/null && chmod 755 "$work" &&
    as_user sh -c 'test -x "$1" && test -r data/util/master0.dir' sh "$runner" || other_user=
fi
if [ -z "$other_user" ]; then
  echo "note: no other user to run as: the words to a user who may not write are left unchecked"
else
  mkdir "$work/closed"; chmod 555 "$work/closed"
  if as_user "$runner" --new --scheme 1 "$work/closed/p" data/util data/weather > "$work/out.txt" 2>&1; then
    fail "a project made in a directory the user may not write"
  fi
  grep -qF "mavo-run: cannot create the project directory $work/closed/p: Permission denied; this user may not write its parent directory" "$work/out.txt" ||
    fail "--new under a parent the user may not write not told so"
  cp -r "$work/p" "$work/shared"; rm -f "$work/shared/.mavolock"; chmod 777 "$work/shared"; chmod 444 "$work/shared/summaryb.dat"
  if as_user "$runner" --scheme 3 "$work/shared" data/util data/weather > "$work/out.txt" 2>&1; then
    fail "a project file the user may not write was edited"
  fi
  grep -qF "mavo-run: cannot open $work/shared/summaryb.dat to write: Permission denied; this user may not write it" "$work/out.txt" ||
    fail "a project file the user may not write not told so"
fi
echo ok
