#!/bin/sh
# Two threads of one host call the kernel at the same moment, CALLS times
# each (200 unless given), on two projects: the stand-in host settles each project and keeps a
# copy of its lone run, then the threads run against those copies.
set -eu
runner=$1
data=$2
threads=$3
library=$4
calls=${5:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cp -r "$data/project" "$work/a"
cp -r "$data/project" "$work/b"
# The first runs settle a project (its parameter column, then the back-up
# copy of a scheme other than the first); the third is a lone run of the
# settled project.
for round in 1 2 3; do
  "$runner" "$work/a" "$data/util" "$data/weather" > /dev/null || fail "project a, run $round"
  "$runner" --scheme 3 "$work/b" "$data/util" "$data/weather" > /dev/null || fail "project b, run $round"
done
cp -r "$work/a" "$work/lone-a"
cp -r "$work/b" "$work/lone-b"

"$threads" "$library" "$data/util" "$data/weather" "$work/a" "$work/lone-a" "$work/b" "$work/lone-b" "$calls"
