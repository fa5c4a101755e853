#!/bin/sh
# The binary sample files in data/ are exactly what the kernel's writers
# produce today: regenerate them and compare.
set -eu
tool=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" "$work"
status=0
for f in $(cd "$work" && find . -type f | sed 's|^\./||' | sort); do
  if ! cmp -s "$work/$f" "$data/$f"; then
    echo "data/$f differs from what make-sample-data writes now; rerun: make-sample-data data"
    status=1
  fi
done
[ $status -eq 0 ] && echo ok
exit $status
