#!/bin/sh
# Two host processes started together on one project, one moving scheme 1
# to Phoenix and one scheme 3 (a copy of scheme 1), twelve times: the
# project's lock lets one run at a time, so every run that returns 0 finds
# its results in the summary file afterwards (a run the lock refuses
# returns 1 and changes nothing).
set -eu
runner=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
run() { "$runner" "$@" "$data/util" "$data/weather" > /dev/null 2>&1; }

# Rows 1 to 48 of summary column k, as bytes.
column() { od -An -tx1 -v -j $((2526 + ($2 - 1) * 48 * 4)) -N 192 "$1/summaryb.dat"; }

cp -r "$data/project" "$work/settled"
run "$work/settled" || fail "settling run"
# Scheme 3 a copy of scheme 1: a slot without a design has no results to move.
run --scheme 1 --command 201 --target 3 "$work/settled" || fail "copy into slot 3"
for k in 1 3; do
  cp -r "$work/settled" "$work/alone$k"
  run --scheme $k --site Phoenix.epw "$work/alone$k" || fail "scheme $k alone"
  [ "$(column "$work/alone$k" $k)" != "$(column "$work/settled" $k)" ] || fail "scheme $k unchanged by its move"
done

trial=1
while [ $trial -le 12 ]; do
  p="$work/trial$trial"
  cp -r "$work/settled" "$p"
  run --scheme 1 --site Phoenix.epw "$p" & one=$!
  run --scheme 3 --site Phoenix.epw "$p" & three=$!
  ok1=0; ok3=0
  wait $one && ok1=1
  wait $three && ok3=1
  [ $ok1 -eq 1 ] || [ $ok3 -eq 1 ] || fail "trial $trial: neither run returned 0"
  for k in 1 3; do
    eval ok=\$ok$k
    if [ "$ok" -eq 1 ] && [ "$(column "$p" $k)" != "$(column "$work/alone$k" $k)" ]; then
      fail "trial $trial: scheme $k returned 0 but its results are not in the summary file"
    fi
  done
  rm -rf "$p"
  trial=$((trial + 1))
done
echo ok
