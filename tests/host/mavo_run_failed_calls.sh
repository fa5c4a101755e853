#!/bin/sh
# What the stand-in host says after a call that returns 1, checked against
# the project the call left: nothing changed; its own edits kept and nothing
# run; a stopped run's files put in place; a journal the kernel cannot
# finish, or of a run still putting its files in place, and what to do; its
# lock file removed between its edits and its call, or at the kernel's open
# of it while another call runs; another call made while the report is read;
# a file system that turns read-only in the commit; a call that fails before
# the kernel's.
set -eu
runner=$1
data=$2
shim=$3
work=$(mktemp -d)
sleeper=
trap '[ -n "$sleeper" ] && kill "$sleeper" 2> /dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/out.txt" 2>/dev/null; exit 1; }
cd "$data/.."
p="$work/p"
run() { "$runner" "$@" "$p" data/util data/weather > "$work/out.txt" 2>&1; }
said() { grep -qF -- "$1" "$work/out.txt" || fail "missing '$1'"; }
not_said() { if grep -qF -- "$1" "$work/out.txt"; then fail "said '$1'"; fi; }
# Every file of the project but the traces, hidden ones included.
snapshot() { (cd "$p" && for f in $(ls -A | grep -v '^v7trace'); do echo "$f"; cksum < "$f"; done); }
selected() { od -An -tu4 -j12 -N4 "$p/summaryb.dat" | tr -d ' '; }

"$runner" --new --scheme 1 "$p" data/util data/weather > /dev/null 2>&1 || fail "new project"
: > "$p/scheme3b.dat"  # a scheme whose input file is empty fails every run of it

# Its own edits kept, nothing run.
before=$(snapshot)
if run --scheme 3 --command 0; then fail "a scheme with an empty input file ran"; fi
said "nothing was simulated or saved: the call returned 1 and ran nothing; mavo-run's own edits stay (scheme 3 selected, command 0 stored: summaryb.dat); rerun with --trace"
not_said "as they were"
[ "$(selected)" = 3 ] || fail "the edit said to stay is not in the project"
# Nothing changed.
before=$(snapshot)
if run; then fail "ran"; fi
said "the call returned 1 and the project's files are as they were before mavo-run"
[ "$(snapshot)" = "$before" ] || fail "the project changed"
cp "$p/scheme1b.dat" "$p/scheme3b.dat"

# The journal of a run stopped in its commit: one step left, master.dir's
# new file waiting, its time in the future. Where the test may choose the
# next process number (as root), the number its temporaries bear is taken
# again, after the journal, by a live process that is not its maker. The
# call finishes it, runs nothing else and names the file it put in place.
journal() { printf 'mavo commit journal %s\n%s\nend\n' "$1" "$2" > "$p/.mavojournal"; }
stopped_commit() {  # the process number its places bear
  waiting=".master.dir.mavotmp-$1-abcdef"
  { cat "$p/master.dir"; echo; } > "$p/$waiting"
  journal 2 "$(printf 'replace %s .master.dir.mavotmp-%s-ghijkl\tmaster.dir\t%s 0 %s' "$waiting" "$1" \
    "$(stat -c %i "$p/$waiting")" "$(stat -c %i "$p/master.dir")")"
}
number=$(( $(cat /proc/sys/kernel/ns_last_pid) + 1000 ))
stopped_commit "$number"
touch -d '+1 hour' "$p/.mavojournal"
sleep 3  # the number is taken well after the journal was written
for attempt in 1 2 3 4 5; do
  if echo $((number - 1)) 2> /dev/null > /proc/sys/kernel/ns_last_pid; then
    sleep 60 & sleeper=$!
    [ "$sleeper" = "$number" ] && break
    kill "$sleeper"; sleeper=
  fi
done
[ -n "$sleeper" ] || echo "note: the process number could not be chosen; the journal's maker is dead instead"
new_master=$(cksum < "$p/$waiting")
if run --scheme 1; then fail "the call that finished a stopped commit returned 0"; fi
said "the call finished the commit of a run stopped while putting its files in place: it put master.dir in place from that run's journal .mavojournal and ran nothing else, so this call's options were not applied: run again"
[ ! -e "$p/.mavojournal" ] && [ ! -e "$p/$waiting" ] || fail "the journal or its file is still there"
[ "$(cksum < "$p/master.dir")" = "$new_master" ] || fail "master.dir is not the stopped run's"
[ -z "$sleeper" ] || { kill "$sleeper"; wait "$sleeper" 2> /dev/null || true; sleeper=; }
run --scheme 1 --command 0 || fail "run again"

# A journal of a run still putting its files in place (its maker alive,
# started before it): refused, traced, and no "run again".
sleep 60 & sleeper=$!
sleep 3  # the journal is written after its maker started, as a run's is
stopped_commit "$sleeper"
before=$(snapshot)
if run --trace --scheme 1; then fail "ran beside a commit going on"; fi
said "nothing was run: the project holds the journal .mavojournal"
said "KERNEL: the call was refused: another run (process $sleeper) is putting its files in place in this project"
not_said "run again"
[ "$(snapshot)" = "$before" ] || fail "the project changed"
# That run ends its commit (here by hand) while the kernel traces why it
# refused the call: what it changed is not this call's.
if SHIM_PAUSE_NAME=v7trace0.txt SHIM_PAUSE_AT=1 SHIM_PAUSE_RUN="mv '$p/$waiting' '$p/master.dir' && rm '$p/.mavojournal'" \
  LD_PRELOAD="$shim" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" run --trace --scheme 1; then
  fail "ran beside a commit going on"
fi
said "nothing was run: the kernel refused the call untouched, as another run was putting its files in place in the project (that run changed master.dir, this call nothing); that run has ended: run again"
stopped_commit "$sleeper"
kill "$sleeper"; wait "$sleeper" 2> /dev/null || true; sleeper=
if run --scheme 1; then fail "the call that finished a stopped commit returned 0"; fi
said "it put master.dir in place"

# A journal of the format before inode numbers: left, the trace says why and
# what to do; doing it lets the next call run.
journal 1 "$(printf 'replace .master.dir.mavotmp-99999-abcdef .master.dir.mavotmp-99999-ghijkl\tmaster.dir')"
cp "$p/master.dir" "$p/.master.dir.mavotmp-99999-abcdef"
before=$(snapshot)
if run --scheme 1; then fail "ran past an old journal"; fi
said "nothing was run: the project holds the journal .mavojournal of a run stopped while putting its files in place, which the kernel did not finish"
said "run once with --trace"
not_said "run again"
if run --trace --scheme 1; then fail "ran past an old journal"; fi
said "KERNEL: it is of version 1, written by an older kernel without the inode numbers of its files"
said "KERNEL:   master.dir: not replaced, its new file waits in .master.dir.mavotmp-99999-abcdef"
said "then remove .mavojournal and the .mavotmp- files it names that are still there"
[ "$(snapshot)" = "$before" ] || fail "the project changed"
rm "$p/.mavojournal" "$p/.master.dir.mavotmp-99999-abcdef"
run --scheme 1 || fail "the call after the journal was removed"

# The lock file removed between mavo-run's edits and its call, and another
# mavo-run running scheme 1 meanwhile: this call (scheme 3) runs nothing.
second="rm -f '$p/.mavolock' && env -u MAVO_RUN_BEFORE_CALL '$runner' --scheme 1 --command 0 '$p' data/util data/weather > '$work/second.txt' 2>&1"
if MAVO_RUN_BEFORE_CALL=$second run --scheme 3 --command 0; then fail "ran after its lock was replaced"; fi
grep -qx "return 0" "$work/second.txt" || fail "the second call did not run"
said "mavo-run: the project's lock file $p/.mavolock was removed, replaced or moved after mavo-run took it"
not_said "progress 3 0 0 0 0"
[ ! -e "$p/scheme3.csv" ] || fail "scheme 3 was run"

# A call (scheme 3 at Chicago) paused at one of its opens of a file, while
# another call runs scheme 1 at Phoenix, after removing the lock file where
# asked. The call reports its own run, as the project holds it after the
# call, or fails saying that its lock file was replaced; never the other's.
q="$work/q"
paused() {  # NAME N COMMAND: the call paused at open N of NAME
  rm -rf "$q"; cp -r data/project "$q"
  SHIM_PAUSE_NAME=$1 SHIM_PAUSE_AT=$2 SHIM_PAUSE_RUN=$3 SHIM_COUNT_FILE="$work/opens" LD_PRELOAD="$shim" \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    "$runner" $traced --scheme 3 --command 0 --site ChiOHare.epw "$q" data/util data/weather > "$work/out.txt" 2>&1
}
traced=
other="'$runner' --scheme 1 --command 0 --site Phoenix.epw '$q' data/util data/weather > '$work/second.txt' 2>&1"
its_own_run() {
  said "run: scheme 3"; said "site: Chicago Ohare Intl Ap,IL"; not_said "run: scheme 1"
  [ "$(od -An -tu4 -j12 -N4 "$q/summaryb.dat" | tr -d ' ')" = 3 ] || fail "the project does not select scheme 3"
  grep -qF "Chicago Ohare" "$q/scheme3b.dat" || fail "scheme 3 is not at Chicago"
}
paused .mavolock 0 true || fail "a call with the shim"
its_own_run
opens=$(cat "$work/opens")
failed=0
i=1
while [ "$i" -le "$opens" ]; do
  if paused .mavolock "$i" "rm -f '$q/.mavolock'; $other"; then
    its_own_run
  else
    failed=$((failed + 1))
    said "mavo-run: the project's lock file $q/.mavolock was removed, replaced or moved"
    not_said "run: scheme"; not_said "return 0"
  fi
  i=$((i + 1))
done
[ "$failed" -gt 0 ] || fail "no pause at the lock file's opens let the other call run"
# The lock file moved away and back (a sync tool, a user's mv) at each open
# of the summary file, from mavo-run's edit to its report's read, while the
# other call runs: the file keeps its inode, yet the call fails saying its
# lock file was moved; moved once the kernel began (its trace is there: its
# load on), it leaves the project's files as the other call left them (the
# old files its own commit moved aside go once it ends).
left='for f in $(ls -A | grep -v "^v7trace\|\.mavotmp-" | grep -vx .mavolock); do echo "$f"; cksum < "$f"; done'
{ echo "[ -e '$q/v7trace0.txt' ] && : > '$work/in-call'"; echo "mv '$q/.mavolock' '$work/away'"
  echo "$other"; echo "(cd '$q' && $left) > '$work/other-left'"; echo "mv '$work/away' '$q/.mavolock'"; } > "$work/away.sh"
traced=--trace
paused summaryb.dat 0 true
opens=$(cat "$work/opens")
in_call=0
i=1
while [ "$i" -le "$opens" ]; do
  rm -f "$work/in-call"
  if paused summaryb.dat "$i" "sh '$work/away.sh'"; then fail "a run reported while its lock file was away (open $i)"; fi
  said "mavo-run: the project's lock file $q/.mavolock was removed, replaced or moved"
  not_said "run: scheme"; not_said "return 0"
  grep -qx "return 0" "$work/second.txt" || fail "the other call did not run (open $i)"
  if [ -e "$work/in-call" ]; then
    in_call=$((in_call + 1))
    [ "$(cd "$q" && eval "$left")" = "$(cat "$work/other-left")" ] || fail "the project is not the other call's (open $i)"
  fi
  i=$((i + 1))
done
[ "$in_call" -gt 1 ] || fail "no pause in the call"
traced=
# The report's read of the summary file, the last open of it: the call
# still holds the project, so the other call is refused.
paused summaryb.dat 0 true
opens=$(cat "$work/opens")
paused summaryb.dat "$opens" "$other" || fail "paused at its report"
its_own_run
grep -qF "another run holds the project" "$work/second.txt" || fail "the other call ran in the report's read"

# The file system turns read-only after the journal and one step of the
# commit: nothing can be undone, and the files stay with the journal,
# which the next call finishes.
rm -rf "$q"; cp -r data/project "$q"
if SHIM_READ_ONLY_AFTER=2 LD_PRELOAD="$shim" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
  "$runner" --scheme 3 --command 0 "$q" data/util data/weather > "$work/out.txt" 2>&1; then
  fail "a commit on a read-only file system returned 0"
fi
said "nor could its commit be undone"
said "this call left them with its journal .mavojournal (changed so far: "
said "the next call puts them in place from it and runs nothing else"
not_said "running again does not help"
[ -e "$q/.mavojournal" ] || fail "no journal left"
if "$runner" "$q" data/util data/weather > "$work/out.txt" 2>&1; then fail "the journal was not finished"; fi
said "the call finished the commit of a run stopped while putting its files in place"
[ ! -e "$q/.mavojournal" ] || fail "the journal is still there"

# A call that fails before the kernel's (here on a summary file that is a
# link) leaves no lock file: one of its user's could shut out the project's
# other users.
rm -rf "$q"; cp -r data/project "$q"; rm -f "$q/.mavolock"
mv "$q/summaryb.dat" "$work/summaryb.dat"; ln -s "$work/summaryb.dat" "$q/summaryb.dat"
if "$runner" --scheme 3 "$q" data/util data/weather > "$work/out.txt" 2>&1; then fail "wrote through a link"; fi
said "is a symbolic link"
[ ! -e "$q/.mavolock" ] || fail "a call that failed before the kernel's left its lock file"

# A project shared by a group: a member who may write the directory but not
# the lock file its owner made with another group is told to give the file
# the directory's group (chgrp), and the file stays the owner's. Made as
# root, the member being nobody in group users.
member() { setpriv --reuid=65534 --regid="${users:-100}" --clear-groups "$@"; }
users=$(getent group users | cut -d: -f3)
if [ "$(id -u)" = 0 ] && command -v setpriv > /dev/null &&
  member sh -c 'test -x "$1" && test -r "$2/util" && test -x "$2/weather"' sh "$runner" "$data"; then
  rm -rf "$q"; cp -r data/project "$q"; chmod 755 "$work"
  users=$(getent group users | cut -d: -f3); users=${users:-100}
  chgrp -R "$users" "$q"; chmod -R g+w "$q"; chmod g-s "$q"
  : > "$q/.mavolock"; chown 0:0 "$q/.mavolock"; chmod 644 "$q/.mavolock"
  if setpriv --reuid=65534 --regid="$users" --clear-groups "$runner" --scheme 1 "$q" "$data/util" "$data/weather" \
    > "$work/out.txt" 2>&1; then fail "a member ran past a lock file it may not write"; fi
  said "may not be written by this user, who may write the project directory: it is not of the directory's group (gid $users)"
  said "give it that group (chgrp $users $q/.mavolock, as root or as its owner once a member)"
  [ "$(stat -c %u:%g "$q/.mavolock")" = 0:0 ] || fail "the owner's lock file was changed"
else
  echo "note: not root, or the tree not open to other users: the lock file of another group is left unchecked"
fi
echo ok
